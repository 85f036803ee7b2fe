// orbitone-artwork: paints the three panel images. Usage: orbitone-artwork <output folder>
// (the committed copies live in resources/orbitone2_gfx/).
#include <cairo.h>

#include <cstdio>
#include <string>

#include "tools/artwork/BackgroundArtwork.h"
#include "tools/artwork/KnobArtwork.h"
#include "tools/artwork/PngWriter.h"
#include "tools/artwork/RadarArtwork.h"

namespace {
bool save(cairo_surface_t* surface, const std::string& path) {
    const bool ok = artwork::writeRgbaPng(surface, path);
    cairo_surface_destroy(surface);
    if (!ok) std::fprintf(stderr, "orbitone-artwork: cannot write %s\n", path.c_str());
    return ok;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orbitone-artwork <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = save(artwork::paintRadar(), folder + "/radar.png");
    ok = save(artwork::paintBackground(), folder + "/bg.png") && ok;
    ok = save(artwork::paintKnob(), folder + "/sliderknob.png") && ok;
    return ok ? 0 : 1;
}
