// Any bytes as one of the PNG images a user may put beside the module in orbitone2_gfx: the image
// slot's file loader refuses them or decodes an image that can be drawn and read.
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/COffscreenContext.h"
#include "display/ImageBridges.h"
#include "tests/fuzz/FuzzInstance.h"

namespace {

// One file per process, rewritten for every input: the loader reads images from files only.
const std::string& imagePath() {
    static const std::string path = [] {
        const char* folder = std::getenv("TMPDIR");
        return std::string(folder != nullptr ? folder : "/tmp") + "/orbitone-fuzz-image-" +
               std::to_string(getpid()) + ".png";
    }();
    return path;
}

void removeImage() {
    std::remove(imagePath().c_str());
}

uint32_t bigEndian(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
           static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
}

// Mutations rarely keep a chunk's checksum right, and the decoder refuses a bad one at once: every
// whole chunk after the signature gets its correct checksum, so that mutated sizes, headers and data
// reach the decoder.
void fixChecksums(std::vector<uint8_t>& png) {
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const size_t length = bigEndian(&png[at]);
        if (length > png.size() - at - 12) break;
        const uLong crc = crc32(0L, &png[at + 4], static_cast<uInt>(length + 4));
        for (int i = 0; i < 4; ++i) png[at + 8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
        at += length + 12;
    }
}

bool writeImage(const std::vector<uint8_t>& png) {
    FILE* file = std::fopen(imagePath().c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit(removeImage);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> png(data, data + size);
    fixChecksums(png);
    fuzzCheck(writeImage(png), "the image file is written");
    ImageHolder* holder = imageCreate();
    const int32_t loaded = imageLoadFile(holder, imagePath().c_str());
    const int32_t width = imageWidth(holder);
    const int32_t height = imageHeight(holder);
    fuzzCheck(loaded ? width > 0 && height > 0 : width == 0 && height == 0, "a decoded image has a size");
    fuzzCheck(width <= 8192 && height <= 8192 && int64_t{width} * height <= 16 << 20,
              "no image beyond the size limit decodes");
    imageRelease(holder);
    if (!loaded) return 0;

    // Drawn the way the panel draws its images: unscaled, at an offset, with and without alpha.
    VSTGUI::CBitmap bitmap;
    fuzzCheck(bitmap.loadFromFile(imagePath().c_str()), "a decodable image decodes again");
    VSTGUI::COffscreenContext context(nullptr, 32, 32);
    bitmap.draw(&context, VSTGUI::CRect(0, 0, 32, 32), VSTGUI::CPoint(width / 2, height / 2));
    bitmap.drawAlphaBlend(&context, VSTGUI::CRect(4, 4, 20, 20), VSTGUI::CPoint(), 100);
    VSTGUI::CColor color;
    fuzzCheck(bitmap.readPixel(width - 1, height - 1, color), "the last pixel reads");
    fuzzCheck(!bitmap.readPixel(width, 0, color), "a pixel outside does not");
    return 0;
}
