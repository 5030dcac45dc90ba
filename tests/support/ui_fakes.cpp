#include "support/ui_fakes.h"

namespace torvane::test {

std::shared_ptr<const Image> FakeImageLoader::load(std::string_view fileName) {
    ++loads[std::string(fileName)];
    const auto found = m_images.find(fileName);
    return found == m_images.end() ? nullptr : found->second;
}

void FakeImageLoader::add(std::string_view fileName, Image image) {
    m_images[std::string(fileName)] = std::make_shared<const Image>(std::move(image));
}

void FakeImageLoader::addFilled(const std::vector<std::string_view>& names, std::int32_t width,
                                std::int32_t height, std::uint32_t pixel) {
    for (std::string_view name : names) add(name, Image::filled(width, height, pixel));
}

void FakeImageLoader::remove(std::string_view fileName) {
    const auto found = m_images.find(fileName);
    if (found != m_images.end()) m_images.erase(found);
}

std::string FakeImageLoader::nameOf(const Image& image) const {
    for (const auto& [name, picture] : m_images) {
        if (picture.get() == &image) return name;
    }
    return "?";
}

void RecordingCanvas::copyRect(const Image& source, const SkinRect& rect) {
    ops.push_back(Op{Kind::Copy, m_images.nameOf(source), rect, {}, {}});
}

void RecordingCanvas::drawTopLeft(const Image& source, std::int32_t x, std::int32_t y,
                                  std::int32_t width, std::int32_t height) {
    ops.push_back(
        Op{Kind::TopLeft, m_images.nameOf(source), SkinRect{x, y, width, height}, {}, {}});
}

void RecordingCanvas::fillRect(const SkinRect& rect, Colour colour) {
    ops.push_back(Op{Kind::Fill, {}, rect, {}, colour});
}

void RecordingCanvas::drawText(std::int32_t x, std::int32_t y, std::u16string_view text,
                               Colour colour) {
    ops.push_back(Op{Kind::Text, {}, SkinRect{x, y, 0, 0}, std::u16string(text), colour});
}

TextSize RecordingCanvas::measureText(std::u16string_view text) {
    return TextSize{static_cast<std::int32_t>(text.size()) * kUnitWidth, kTextHeight};
}

std::vector<SkinRect> RecordingCanvas::copiesFrom(std::string_view picture) const {
    std::vector<SkinRect> rects;
    for (const Op& op : ops) {
        if (op.kind == Kind::Copy && op.picture == picture) rects.push_back(op.rect);
    }
    return rects;
}

std::string RecordingCanvas::lastCopyOf(const SkinRect& rect) const {
    std::string picture;
    for (const Op& op : ops) {
        if (op.kind == Kind::Copy && op.rect == rect) picture = op.picture;
    }
    return picture;
}

std::vector<RecordingCanvas::Op> RecordingCanvas::texts() const {
    std::vector<Op> result;
    for (const Op& op : ops) {
        if (op.kind == Kind::Text) result.push_back(op);
    }
    return result;
}

const RecordingCanvas::Op* RecordingCanvas::textOp(std::u16string_view text) const {
    for (const Op& op : ops) {
        if (op.kind == Kind::Text && op.text == text) return &op;
    }
    return nullptr;
}

}  // namespace torvane::test
