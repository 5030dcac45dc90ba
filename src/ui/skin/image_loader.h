#pragma once

#include <memory>
#include <string_view>

#include "ui/skin/image.h"

namespace torvane {

// File names of the skin's pictures, relative to the skin folder.
namespace skin_file {
inline constexpr std::string_view kMainNormal = "main_normal.jpg";
inline constexpr std::string_view kMainOver = "main_over.jpg";
inline constexpr std::string_view kMainDown = "main_down.jpg";
inline constexpr std::string_view kAdvancedNormal = "advanced_normal.jpg";
inline constexpr std::string_view kAdvancedOver = "advanced_over.jpg";
inline constexpr std::string_view kAdvancedDown = "advanced_down.jpg";
inline constexpr std::string_view kColourNormalPink = "color_normal_pink.jpg";
inline constexpr std::string_view kColourOverRed = "color_over_red.jpg";
inline constexpr std::string_view kColourDownPurple = "color_down_purple.jpg";
inline constexpr std::string_view kColourOverBlue = "color_over_blue.jpg";
inline constexpr std::string_view kColourNormalGray = "color_normal_gray.jpg";
inline constexpr std::string_view kDpiSlider = "dpi_slider.jpg";
inline constexpr std::string_view kMainMask = "main_mask.jpg";
inline constexpr std::string_view kMenuNormal = "menu_normal.jpg";
inline constexpr std::string_view kMenuOver = "menu_over.jpg";
inline constexpr std::string_view kMenuDown = "menu_down.jpg";
inline constexpr std::string_view kMenuMask = "menu_mask.jpg";
inline constexpr std::string_view kSubMenuNormal = "advanced menu_normal.jpg";
inline constexpr std::string_view kSubMenuOver = "advanced menu_over.jpg";
inline constexpr std::string_view kSubMenuDown = "advanced menu_down.jpg";
inline constexpr std::string_view kSubMenuMask = "advanced menu_mask.jpg";
inline constexpr std::string_view kWarningNormal = "warning_normal.jpg";
inline constexpr std::string_view kWarningOver = "warning_over.jpg";
inline constexpr std::string_view kWarningMask = "warning_mask.bmp";
}  // namespace skin_file

// Gives the skin's pictures (JPEG and BMP files of the skin folder) decoded.
//
// load() takes a file name relative to the skin folder (one of skin_file::*) and returns the
// decoded picture, or null when the file is missing or cannot be decoded; the caller then draws
// nothing from it. The picture is shared and immutable: an adapter may keep it decoded after its
// first use and hand out the same object again. UI thread only.
class ImageLoader {
  public:
    virtual ~ImageLoader() = default;
    virtual std::shared_ptr<const Image> load(std::string_view fileName) = 0;
};

// One picture of the skin folder through `images`: null when it is missing or undecodable.
inline std::shared_ptr<const Image> loadSkinImage(ImageLoader& images, std::string_view fileName) {
    return images.load(fileName);
}

}  // namespace torvane
