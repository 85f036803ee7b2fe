// The editor services the bridge and the effect use: creation, panel size and repaint requests,
// answered by whichever plug-in format hosts the effect.
#pragma once

#include <cstdint>

class CHostAdapter;

// Creates and registers the editor unless the adapter has one; 1 when it created one.
int32_t editorCreate(CHostAdapter* adapter, int32_t width, int32_t height);
// The panel size; 0 when there is no adapter or editor.
int32_t editorGetSize(CHostAdapter* adapter, int32_t* width, int32_t* height);
// Invalidates the open editor's view; 0 when there is nothing to invalidate.
int32_t requestRedraw(CHostAdapter* adapter);
