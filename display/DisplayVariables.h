// The panel's own variables: layout constants, widget states and mouse snapshot.
#pragma once

struct DisplayVariables {
    double mouseFlags = 0, mouseX = 0, mouseY = 0;  // this frame's snapshot
};
