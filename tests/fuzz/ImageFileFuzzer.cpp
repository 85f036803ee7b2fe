// Any bytes as one of the PNG images a user may put beside the module in orbitone2_gfx: the image
// slot's file loader refuses them or decodes an image that can be drawn and read.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/vstgui/CBitmap.h"
#include "editor/vstgui/COffscreenContext.h"
#include "plugin/ImageBridges.h"
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

bool writeImage(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(imagePath().c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit(removeImage);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzCheck(writeImage(data, size), "the image file is written");
    ImageHolder* holder = imageCreate();
    const int32_t loaded = imageLoadFile(holder, imagePath().c_str());
    const int32_t width = imageWidth(holder);
    const int32_t height = imageHeight(holder);
    fuzzCheck(loaded ? width > 0 && height > 0 : width == 0 && height == 0, "a decoded image has a size");
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
