// The texts the panel draws, registered under fixed numbers by the effect's open step.
#pragma once

class TQuillEffect;

namespace panel_text {
constexpr double kBuild = 10000;
constexpr double kPositionFormat = 10013;
constexpr double kValueFormat = 10014;
constexpr double kPanelFace = 10015;
constexpr double kSendCInf = 10032;
constexpr double kSendLfeInf = 10035;
constexpr double kInputsLabel = 10036;
constexpr double kCh1ItemFirst = 10040;  // "Off" .. "Fish Bowl"
constexpr double kCh2ItemFirst = 10056;
constexpr double kBuildFace = 10071;
constexpr double kPositionValue = 190000;
constexpr double kControlValue = 190001;
}  // namespace panel_text

// The image names of slots 0 to 2 and the display strings. Dispatcher thread.
void registerPanelStrings(TQuillEffect& effect);
