#pragma once

#include <cstdint>
#include <string_view>

#include "ui/skin/image.h"
#include "ui/skin/skin_layout.h"

namespace torvane {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour&) const = default;
};

inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kYellow{255, 255, 0};
inline constexpr Colour kRed{255, 0, 0};
inline constexpr Colour kBlack{0, 0, 0};

struct TextSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const TextSize&) const = default;
};

// An off-screen surface that a paint composes before it reaches the screen in one copy.
// Coordinates are client pixels, origin top-left; everything drawn is clipped to the surface.
// Text uses the window's font (a CJK font at 10 points) on a transparent background.
// The canvas does not keep the pictures it is given. UI thread only.
class Canvas {
  public:
    virtual ~Canvas() = default;
    // Copies `rect` of `source` to the same place on the canvas, 1:1. Parts of the rectangle that
    // lie outside the picture are not drawn; a rectangle of zero or negative size draws nothing.
    virtual void copyRect(const Image& source, const SkinRect& rect) = 0;
    // Draws the top-left width x height part of `source` with its top-left corner at (x, y).
    virtual void drawTopLeft(const Image& source, std::int32_t x, std::int32_t y,
                             std::int32_t width, std::int32_t height) = 0;
    // Fills a rectangle with one colour.
    virtual void fillRect(const SkinRect& rect, Colour colour) = 0;
    // Draws `text` (UTF-16) with its top-left corner at (x, y).
    virtual void drawText(std::int32_t x, std::int32_t y, std::u16string_view text,
                          Colour colour) = 0;
    // The size `text` takes in the canvas's font: its advance width and the font's line height.
    virtual TextSize measureText(std::u16string_view text) = 0;
};

}  // namespace torvane
