#include "editor/vstgui/ImageSizeLimit.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace VSTGUI {

namespace {

// Seven times the panel's width on either side, and 16 M pixels (64 MB decoded) in all.
constexpr uint32_t kLargestSide = 8192;
constexpr uint64_t kMostPixels = 16u << 20;

// Signature, then the header chunk's length and type, then its width and height.
constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr size_t kSizeEnd = 24;

uint32_t bigEndian(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
           static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
}

}  // namespace

bool pngExceedsSizeLimit(const unsigned char* bytes, size_t size) {
    if (bytes == nullptr || size < kSizeEnd) return false;
    if (std::memcmp(bytes, kSignature, sizeof kSignature) != 0 || std::memcmp(bytes + 12, "IHDR", 4) != 0)
        return false;
    const uint32_t width = bigEndian(bytes + 16);
    const uint32_t height = bigEndian(bytes + 20);
    return width > kLargestSide || height > kLargestSide || uint64_t{width} * height > kMostPixels;
}

bool pngFileExceedsSizeLimit(const char* path) {
    if (path == nullptr) return false;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    unsigned char header[kSizeEnd];
    const size_t got = std::fread(header, 1, sizeof header, file);
    std::fclose(file);
    return pngExceedsSizeLimit(header, got);
}

}  // namespace VSTGUI
