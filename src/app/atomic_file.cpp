#include "app/atomic_file.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace torvane {

namespace {

std::filesystem::path temporaryPathFor(const std::filesystem::path& target) {
    static std::atomic<unsigned> sequence{0};
#if defined(_WIN32)
    const unsigned long process = 0;
#else
    const auto process = static_cast<unsigned long>(::getpid());
#endif
    std::filesystem::path temporary = target;
    temporary += ".tmp-" + std::to_string(process) + "-" + std::to_string(sequence.fetch_add(1));
    return temporary;
}

bool flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
#if defined(_WIN32)
    return ::_commit(::_fileno(file)) == 0;
#else
    return ::fsync(::fileno(file)) == 0;
#endif
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                         std::size_t capacity) {
    const std::filesystem::path temporary = temporaryPathFor(target);
#if defined(_WIN32)
    std::FILE* file = ::_wfopen(temporary.c_str(), L"wb");
#else
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
#endif
    if (file == nullptr) return false;

    const std::size_t allowed = bytes.size() < capacity ? bytes.size() : capacity;
    bool ok = std::fwrite(bytes.data(), 1, allowed, file) == allowed && allowed == bytes.size();
    ok = flushToDisk(file) && ok;
    ok = std::fclose(file) == 0 && ok;

    std::error_code error;
    if (ok) {
        std::filesystem::rename(temporary, target, error);
        ok = !error;
    }
    if (!ok) std::filesystem::remove(temporary, error);
    return ok;
}

FileContent readWholeFile(const std::filesystem::path& path) {
    FileContent content;
    std::ifstream in(path, std::ios::binary);
    if (!in) return content;
    content.exists = true;
    content.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return content;
}

}  // namespace torvane
