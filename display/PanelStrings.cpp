#include "display/PanelStrings.h"

#include "effect/QuillEffect.h"

namespace {

const char* const kImageNames[] = {
    "orbitone2_gfx\\radar.png",
    "orbitone2_gfx\\bg.png",
    "orbitone2_gfx\\sliderknob.png",
};

// Ids 10000 to 10071 in order.
const char* const kDisplayStrings[] = {
    "build 170112",
    "Courier New",
    "0",
    "1",
    "3",
    "6",
    "10",
    "14",
    "20",
    "30",
    "40",
    "60",
    "80",  // 10000-10012
    "%.2f",
    "%.2f",
    "Arial",  // 10013-10015
    "",
    "CH1 Left - Right",
    "",
    "CH1 Front - Back",
    "",
    "CH2 Left - Right",
    "",
    "CH2 Front - Back",  // -10023
    "",
    "Center Channel Influence",
    "dB",
    "Center/Edge Influence",
    "ms",
    "Smoothing Time",  // 10024-10029
    "dB",
    "Send To C",
    "-Inf",
    "dB",
    "Send To LFE",
    "-Inf",
    "Input Mono/Stereo",
    "dB",
    "Output",  // -10038
    "Animation",
    "Off",
    "Rotate",
    "Cruise",
    "Randomize",
    "Fish Bowl",
    "rpm",
    "Speed",  // 10039-10046
    "",
    "X Scale",
    "",
    "Y Scale",
    "",
    "X Offset",
    "",
    "Y Offset",  // 10047-10054
    "Animation",
    "Off",
    "Rotate",
    "Cruise",
    "Randomize",
    "Fish Bowl",
    "rpm",
    "Speed",  // 10055-10062
    "",
    "X Scale",
    "",
    "Y Scale",
    "",
    "X Offset",
    "",
    "Y Offset",
    "Arial",  // 10063-10071
};

constexpr int kFirstDisplayString = 10000;
static_assert(sizeof(kDisplayStrings) / sizeof(kDisplayStrings[0]) == 72, "ids 10000 to 10071");

}  // namespace

void registerPanelStrings(TQuillEffect& effect) {
    for (int slot = 0; slot < 3; ++slot) effect.constStrings[slot] = kImageNames[slot];
    int id = kFirstDisplayString;
    for (const char* text : kDisplayStrings) effect.StringSet(id++, text);
}
