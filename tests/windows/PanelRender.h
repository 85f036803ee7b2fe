// An Orbitone instance linked into the test program (its images come from the program's own DATA
// resources) whose panel is painted into a GDI+ offscreen context and read back.
#pragma once

#include <string>

#include "editor/vstgui/CColor.h"
#include "effect/QuillEffect.h"
#include "plugin/vst/Lumo.h"
#include "plugin/sdk/aeffect.h"

namespace VSTGUI {
class COffscreenContext;
}

class PanelRender {
  public:
    PanelRender();
    ~PanelRender();
    PanelRender(const PanelRender&) = delete;
    PanelRender& operator=(const PanelRender&) = delete;

    bool ready() const { return fx_ != nullptr; }
    TQuillEffect& fx() { return *fx_; }
    // Sets the mouse variables and paints one frame into a fresh, transparent 1130 x 540 image.
    void frame(double x, double y, double flags);
    // Sets a slider as a parameter change would, with the slider section run.
    void setSlider(int number, double value);
    // Leaves the images unnamed, so that frames are drawn onto a transparent surface.
    void withoutArtwork();
    // Off: every frame is drawn in full onto the paint instead of through the frame cache.
    void useFrameCache(bool on);
    // The first pixel where the last frames of two panels differ, or "" when none does.
    std::string firstDifference(const PanelRender& other) const;
    VSTGUI::CColor pixel(int x, int y) const;

  private:
    AEffect* record_ = nullptr;
    CLumo* adapter_ = nullptr;
    TQuillEffect* fx_ = nullptr;
    VSTGUI::COffscreenContext* context_ = nullptr;
};

// Channels within one step of each other: GDI+ rounds blended colours its own way.
bool colorNear(const VSTGUI::CColor& a, const VSTGUI::CColor& b);
std::string describe(const VSTGUI::CColor& c);
