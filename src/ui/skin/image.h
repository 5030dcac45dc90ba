#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace torvane {

// A decoded picture of the skin: 8-bit red, green and blue per pixel, rows top to bottom.
// Each pixel is one 32-bit word 0xffRRGGBB, so adapters can hand the rows to a painter without
// converting them.
struct Image {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels;  // width * height words, row-major

    static constexpr std::uint32_t rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        return 0xff000000u | (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
    }
    static constexpr std::uint8_t redOf(std::uint32_t pixel) { return (pixel >> 16) & 0xffu; }
    static constexpr std::uint8_t greenOf(std::uint32_t pixel) { return (pixel >> 8) & 0xffu; }
    static constexpr std::uint8_t blueOf(std::uint32_t pixel) { return pixel & 0xffu; }

    // A picture of the given size filled with one colour (sizes below zero give an empty one).
    static Image filled(std::int32_t width, std::int32_t height, std::uint32_t pixel) {
        Image image;
        if (width <= 0 || height <= 0) return image;
        image.width = width;
        image.height = height;
        image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                            pixel);
        return image;
    }

    bool operator==(const Image&) const = default;

    bool valid() const {
        return width > 0 && height > 0 &&
               pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
    // The pixel at (x, y); the caller keeps x and y inside the picture.
    std::uint32_t at(std::int32_t x, std::int32_t y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

}  // namespace torvane
