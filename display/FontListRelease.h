// Releases the adapter's font descriptions when it goes away.
#pragma once

#include <vector>

namespace VSTGUI {
class CFontDesc;
}

// Drops the list's reference on every description and empties the list. GUI or dispatcher thread.
void releaseFontList(std::vector<VSTGUI::CFontDesc*>& fontList);
