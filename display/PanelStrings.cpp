#include "display/PanelStrings.h"

#include "effect/QuillEffect.h"

namespace {

using namespace panel_text;

const char* const kImageNames[] = {
    "orbitone2_gfx\\radar.png",
    "orbitone2_gfx\\bg.png",
    "orbitone2_gfx\\sliderknob.png",
};

struct PanelString {
    double id;
    const char* text;
};

// In increasing id order, the order the open step registers them in.
constexpr PanelString kDisplayStrings[] = {
    {kBuild, "build 170112"},
    {kCourierFace, "Courier New"},
    {kMark0, "0"},
    {kMark1, "1"},
    {kMark3, "3"},
    {kMark6, "6"},
    {kMark10, "10"},
    {kMark14, "14"},
    {kMark20, "20"},
    {kMark30, "30"},
    {kMark40, "40"},
    {kMark60, "60"},
    {kMark80, "80"},
    {kPositionFormat, "%.2f"},
    {kValueFormat, "%.2f"},
    {kPanelFace, "Arial"},
    {kCh1LeftRightUnit, ""},
    {kCh1LeftRight, "CH1 Left - Right"},
    {kCh1FrontBackUnit, ""},
    {kCh1FrontBack, "CH1 Front - Back"},
    {kCh2LeftRightUnit, ""},
    {kCh2LeftRight, "CH2 Left - Right"},
    {kCh2FrontBackUnit, ""},
    {kCh2FrontBack, "CH2 Front - Back"},
    {kCentreUnit, ""},
    {kCentre, "Center Channel Influence"},
    {kZoneUnit, "dB"},
    {kZone, "Center/Edge Influence"},
    {kSmoothingUnit, "ms"},
    {kSmoothing, "Smoothing Time"},
    {kSendCUnit, "dB"},
    {kSendC, "Send To C"},
    {kSendCInf, "-Inf"},
    {kSendLfeUnit, "dB"},
    {kSendLfe, "Send To LFE"},
    {kSendLfeInf, "-Inf"},
    {kInputsLabel, "Input Mono/Stereo"},
    {kOutputUnit, "dB"},
    {kOutput, "Output"},
    {kCh1Animation, "Animation"},
    {kCh1Off, "Off"},
    {kCh1Rotate, "Rotate"},
    {kCh1Cruise, "Cruise"},
    {kCh1Randomize, "Randomize"},
    {kCh1FishBowl, "Fish Bowl"},
    {kCh1SpeedUnit, "rpm"},
    {kCh1Speed, "Speed"},
    {kCh1XScaleUnit, ""},
    {kCh1XScale, "X Scale"},
    {kCh1YScaleUnit, ""},
    {kCh1YScale, "Y Scale"},
    {kCh1XOffsetUnit, ""},
    {kCh1XOffset, "X Offset"},
    {kCh1YOffsetUnit, ""},
    {kCh1YOffset, "Y Offset"},
    {kCh2Animation, "Animation"},
    {kCh2Off, "Off"},
    {kCh2Rotate, "Rotate"},
    {kCh2Cruise, "Cruise"},
    {kCh2Randomize, "Randomize"},
    {kCh2FishBowl, "Fish Bowl"},
    {kCh2SpeedUnit, "rpm"},
    {kCh2Speed, "Speed"},
    {kCh2XScaleUnit, ""},
    {kCh2XScale, "X Scale"},
    {kCh2YScaleUnit, ""},
    {kCh2YScale, "Y Scale"},
    {kCh2XOffsetUnit, ""},
    {kCh2XOffset, "X Offset"},
    {kCh2YOffsetUnit, ""},
    {kCh2YOffset, "Y Offset"},
    {kBuildFace, "Arial"},
};

constexpr bool increasing(const PanelString* strings, int count) {
    for (int i = 1; i < count; ++i) {
        if (!(strings[i - 1].id < strings[i].id)) return false;
    }
    return true;
}
static_assert(increasing(kDisplayStrings, sizeof(kDisplayStrings) / sizeof(kDisplayStrings[0])),
              "the open step registers the strings in increasing id order");

}  // namespace

void registerPanelStrings(TQuillEffect& effect) {
    for (int slot = 0; slot < 3; ++slot) effect.constStrings[slot] = kImageNames[slot];
    for (const PanelString& entry : kDisplayStrings)
        effect.StringSet(static_cast<int32_t>(entry.id), entry.text);
}
