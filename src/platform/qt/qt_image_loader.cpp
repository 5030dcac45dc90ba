#include "platform/qt/qt_image_loader.h"

#include <QImage>
#include <QString>
#include <cstring>
#include <utility>

namespace torvane {

QtImageLoader::QtImageLoader(std::filesystem::path skinDirectory, Caching caching)
    : m_skinDirectory(std::move(skinDirectory)), m_caching(caching) {}

std::shared_ptr<const Image> QtImageLoader::load(std::string_view fileName) {
    const std::filesystem::path path = m_skinDirectory / std::filesystem::path(fileName);
    if (m_caching == Caching::DecodeEachTime) return decodeFile(path);
    const std::string key(fileName);
    if (auto found = m_cache.find(key); found != m_cache.end()) return found->second;
    std::shared_ptr<const Image> image = decodeFile(path);
    m_cache.emplace(key, image);
    return image;
}

std::shared_ptr<const Image> QtImageLoader::decodeFile(const std::filesystem::path& path) {
    QImage decoded;
    if (!decoded.load(QString::fromStdU16String(path.u16string())) || decoded.isNull()) {
        return nullptr;
    }
    auto image = std::make_shared<Image>(fromQImage(decoded));
    if (!image->valid()) return nullptr;
    return image;
}

Image QtImageLoader::fromQImage(const QImage& source) {
    const QImage rgb = source.format() == QImage::Format_RGB32
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);
    Image image = Image::filled(rgb.width(), rgb.height(), 0xff000000u);
    if (!image.valid()) return image;
    const auto rowBytes = static_cast<std::size_t>(image.width) * sizeof(std::uint32_t);
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(image.pixels.data() + static_cast<std::size_t>(y) * image.width,
                    rgb.constScanLine(y), rowBytes);
    }
    // Format_RGB32 leaves the top byte unspecified in theory; keep the 0xff the core expects.
    for (std::uint32_t& pixel : image.pixels) pixel |= 0xff000000u;
    return image;
}

}  // namespace torvane
