#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/canvas.h"
#include "ui/skin/image_loader.h"

namespace torvane::test {

// Hands out prepared pictures by file name and counts the loads; unknown names fail.
class FakeImageLoader : public ImageLoader {
  public:
    std::shared_ptr<const Image> load(std::string_view fileName) override;
    void add(std::string_view fileName, Image image);
    // Adds a picture of the given size filled with `pixel` for each name.
    void addFilled(const std::vector<std::string_view>& names, std::int32_t width,
                   std::int32_t height, std::uint32_t pixel = Image::rgb(0, 0, 0));
    void remove(std::string_view fileName);
    // The name a picture was added under, "?" for an unknown one.
    std::string nameOf(const Image& image) const;

    std::map<std::string, int, std::less<>> loads;

  private:
    std::map<std::string, std::shared_ptr<const Image>, std::less<>> m_images;
};

// Keeps every drawing call. Text measures 7 pixels per UTF-16 unit and 12 pixels high.
class RecordingCanvas : public Canvas {
  public:
    enum class Kind { Copy, TopLeft, Fill, Text };
    struct Op {
        Kind kind = Kind::Copy;
        std::string picture;  // name of the source picture (Copy, TopLeft)
        SkinRect rect;        // Copy: the rectangle; TopLeft: position and size; Fill; Text: x, y
        std::u16string text;
        Colour colour;
        bool operator==(const Op&) const = default;
    };
    static constexpr int kUnitWidth = 7;
    static constexpr int kTextHeight = 12;

    explicit RecordingCanvas(const FakeImageLoader& images) : m_images(images) {}

    void copyRect(const Image& source, const SkinRect& rect) override;
    void drawTopLeft(const Image& source, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height) override;
    void fillRect(const SkinRect& rect, Colour colour) override;
    void drawText(std::int32_t x, std::int32_t y, std::u16string_view text, Colour colour) override;
    TextSize measureText(std::u16string_view text) override;

    // The rectangles copied from `picture`, in order.
    std::vector<SkinRect> copiesFrom(std::string_view picture) const;
    // The last copy that covers exactly `rect`, as the picture's name ("" when none).
    std::string lastCopyOf(const SkinRect& rect) const;
    // The text operations, in order.
    std::vector<Op> texts() const;
    // The text operation drawing exactly `text`; null when none.
    const Op* textOp(std::u16string_view text) const;

    std::vector<Op> ops;

  private:
    const FakeImageLoader& m_images;
};

}  // namespace torvane::test
