// The texts the panel draws, registered under fixed numbers by the effect's open step. Every id has
// a name; the panel refers to its texts by these names only.
#pragma once

class TQuillEffect;

namespace panel_text {
// The build text, then the faces and dB marks that nothing draws (the background shows the marks).
constexpr double kBuild = 10000;
constexpr double kCourierFace = 10001;
constexpr double kMark0 = 10002;
constexpr double kMark1 = 10003;
constexpr double kMark3 = 10004;
constexpr double kMark6 = 10005;
constexpr double kMark10 = 10006;
constexpr double kMark14 = 10007;
constexpr double kMark20 = 10008;
constexpr double kMark30 = 10009;
constexpr double kMark40 = 10010;
constexpr double kMark60 = 10011;
constexpr double kMark80 = 10012;
// Value formats and the panel's face.
constexpr double kPositionFormat = 10013;
constexpr double kValueFormat = 10014;
constexpr double kPanelFace = 10015;
// Each control's unit text (empty where there is none), then its label.
constexpr double kCh1LeftRightUnit = 10016;
constexpr double kCh1LeftRight = 10017;
constexpr double kCh1FrontBackUnit = 10018;
constexpr double kCh1FrontBack = 10019;
constexpr double kCh2LeftRightUnit = 10020;
constexpr double kCh2LeftRight = 10021;
constexpr double kCh2FrontBackUnit = 10022;
constexpr double kCh2FrontBack = 10023;
constexpr double kCentreUnit = 10024;
constexpr double kCentre = 10025;
constexpr double kZoneUnit = 10026;
constexpr double kZone = 10027;
constexpr double kSmoothingUnit = 10028;
constexpr double kSmoothing = 10029;
constexpr double kSendCUnit = 10030;
constexpr double kSendC = 10031;
constexpr double kSendCInf = 10032;
constexpr double kSendLfeUnit = 10033;
constexpr double kSendLfe = 10034;
constexpr double kSendLfeInf = 10035;
constexpr double kInputsLabel = 10036;
constexpr double kOutputUnit = 10037;
constexpr double kOutput = 10038;
// The animation column of CH1: heading, the five mode names from \"Off\", then its controls.
constexpr double kCh1Animation = 10039;
constexpr double kCh1Off = 10040;
constexpr double kCh1Rotate = 10041;
constexpr double kCh1Cruise = 10042;
constexpr double kCh1Randomize = 10043;
constexpr double kCh1FishBowl = 10044;
constexpr double kCh1SpeedUnit = 10045;
constexpr double kCh1Speed = 10046;
constexpr double kCh1XScaleUnit = 10047;
constexpr double kCh1XScale = 10048;
constexpr double kCh1YScaleUnit = 10049;
constexpr double kCh1YScale = 10050;
constexpr double kCh1XOffsetUnit = 10051;
constexpr double kCh1XOffset = 10052;
constexpr double kCh1YOffsetUnit = 10053;
constexpr double kCh1YOffset = 10054;
// The same for CH2.
constexpr double kCh2Animation = 10055;
constexpr double kCh2Off = 10056;
constexpr double kCh2Rotate = 10057;
constexpr double kCh2Cruise = 10058;
constexpr double kCh2Randomize = 10059;
constexpr double kCh2FishBowl = 10060;
constexpr double kCh2SpeedUnit = 10061;
constexpr double kCh2Speed = 10062;
constexpr double kCh2XScaleUnit = 10063;
constexpr double kCh2XScale = 10064;
constexpr double kCh2YScaleUnit = 10065;
constexpr double kCh2YScale = 10066;
constexpr double kCh2XOffsetUnit = 10067;
constexpr double kCh2XOffset = 10068;
constexpr double kCh2YOffsetUnit = 10069;
constexpr double kCh2YOffset = 10070;
// The build text's face.
constexpr double kBuildFace = 10071;
constexpr double kCh1ItemFirst = kCh1Off;  // "Off" .. "Fish Bowl"
constexpr double kCh2ItemFirst = kCh2Off;

// Formatted value texts, written at run time.
constexpr double kPositionValue = 190000;
constexpr double kControlValue = 190001;
}  // namespace panel_text

// The image names of slots 0 to 2 and the display strings. Dispatcher thread.
void registerPanelStrings(TQuillEffect& effect);
