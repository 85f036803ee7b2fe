// Messages between views. Receivers compare the address, never the text.
#pragma once

namespace VSTGUI {

extern const char* const kMsgCheckIfViewContainer;
extern const char* const kMsgNewFocusView;
extern const char* const kMsgOldFocusView;

}  // namespace VSTGUI
