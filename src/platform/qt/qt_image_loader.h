#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ui/skin/image_loader.h"

class QImage;

namespace torvane {

// The skin's pictures decoded with QImage (JPEG through Qt's image plugin, BMP built in).
// By default each picture is decoded on its first use and kept, so paints after the first one
// read no file; DecodeEachTime reads and decodes the file on every load. A file that is missing
// or cannot be decoded gives null (and, when kept, is not tried again). UI thread only.
class QtImageLoader : public ImageLoader {
  public:
    enum class Caching { KeepDecoded, DecodeEachTime };

    explicit QtImageLoader(std::filesystem::path skinDirectory,
                           Caching caching = Caching::KeepDecoded);

    std::shared_ptr<const Image> load(std::string_view fileName) override;

    // Decodes one picture file; null when it is missing or undecodable.
    static std::shared_ptr<const Image> decodeFile(const std::filesystem::path& path);
    // The pixels of a QImage as an Image (any format; alpha is dropped).
    static Image fromQImage(const QImage& image);

  private:
    std::filesystem::path m_skinDirectory;
    Caching m_caching;
    std::unordered_map<std::string, std::shared_ptr<const Image>> m_cache;
};

}  // namespace torvane
