#include "display/LevelMeters.h"

#include <algorithm>
#include <cmath>

#include "display/PanelColor.h"
#include "display/PanelDisplay.h"
#include "display/PanelLayout.h"
#include "display/PanelStrings.h"
#include "effect/QuillEffect.h"

namespace {

constexpr double kDecayPerFrame = 0.006;
constexpr double kBarAlpha = 0.8;
constexpr double kLongestBar = 499;  // a bar never reaches the meter's top

struct BarColor {
    double r, g, b;
};

// Input left and right, then outputs L, R, C, LFE, Ls, Rs, as the layout places the bars.
const BarColor kBarColors[8] = {
    {0, 0.9, 0},   {0, 0.9, 0}, {0, 0.9, 0.9}, {0, 0.9, 0.9},
    {0, 0.9, 0.9}, {0, 0.5, 1}, {0, 0.9, 0.9}, {0, 0.9, 0.9},
};

// The peaks are raised by the audio thread. A sample that is not a finite number is shown as full
// scale once and falls from there: infinity less the decay would stay infinite.
double decayed(double level) {
    if (!std::isfinite(level)) return 1;
    const double next = level - kDecayPerFrame;
    return next > 0 ? next : 0;
}

void drawBar(TQuillEffect& e, double left, const BarColor& bar, double level) {
    const DisplayVariables& d = panelOf(e).variables;
    const double k = std::min(kLongestBar, d.meterScaleHeight * std::pow(level, d.meterExponent));
    if (level < 1) {
        setColor(e, bar.r, bar.g, bar.b, kBarAlpha);
    } else {
        setColor(e, 1, 0.2, 0.2);
    }
    const double bottom = d.meterTop + d.meterScaleHeight;
    e.FillRect(left, bottom - k, d.meterBarWidth, k);
}

}  // namespace

void drawLevelMeters(TQuillEffect& e) {
    EffectVariables& v = e.var;
    v.inPeakL = decayed(v.inPeakL);
    v.inPeakR = decayed(v.inPeakR);
    for (SharedDouble& peak : v.outPeak) peak = decayed(peak);

    const double levels[8] = {v.inPeakL,    v.inPeakR,    v.outPeak[0], v.outPeak[1],
                              v.outPeak[2], v.outPeak[3], v.outPeak[4], v.outPeak[5]};
    for (int i = 0; i < 8; ++i) drawBar(e, panel_layout::kMeterBarLefts[i], kBarColors[i], levels[i]);
}

void drawBuildText(TQuillEffect& e) {
    setColor(e, 1, 1, 1, 0.5);
    e.SelectFont(1, panel_text::kBuildFace, 11);
    e.gfxX = panel_layout::kBuildTextX;
    e.gfxY = panel_layout::kBuildTextY;
    e.DrawText(e.var.buildTextId);
}
