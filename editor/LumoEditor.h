// The plug-in's editor object: the panel rectangle the host asks for.
#pragma once

#include "plugin/sdk/AEffEditor.h"

class CLumo;

class CLumoEditor : public AEffEditor {
public:
    CLumoEditor(CLumo* adapter, int32_t width, int32_t height);

    // GUI thread.
    bool getRect(ERect** rect) override;

    CLumo* adapter;
    ERect rect;
    int32_t width;
    int32_t height;
};
