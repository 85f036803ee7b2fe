// The fixed table of 29 operations through which the adapter, the editor and the view reach the effect.
// Entries are plain functions taking the adapter first; a null entry is an unsupported operation.
#pragma once

#include <cstdint>

class CLumo;

struct LumoBridge {
    void (*init)(CLumo*);                                                                       // 0
    void (*destroy)(CLumo*);                                                                    // 1
    void (*open)(CLumo*);                                                                       // 2
    void (*suspend)(CLumo*);                                                                    // 3
    void (*resume)(CLumo*);                                                                     // 4
    void (*editorIdle)(CLumo*);                                                                 // 5
    void (*close)(CLumo*);                                                                      // 6
    void (*draw)(CLumo*, double width, double height);                                          // 7
    void (*mouseDown)(CLumo*, double x, double y, int32_t buttons);                             // 8
    void (*mouseUp)(CLumo*, double x, double y, int32_t buttons);                               // 9
    void (*mouseMove)(CLumo*, double x, double y, int32_t buttons);                             // 10
    void (*keyDown)(CLumo*, int32_t character, int32_t modifiers, int32_t virtualKey);          // 11
    void (*keyUp)(CLumo*, int32_t character, int32_t modifiers, int32_t virtualKey);            // 12
    int32_t (*getVendorVersion)(CLumo*);                                                        // 13
    bool (*getVendorString)(CLumo*, char* text);                                                // 14
    bool (*getProductString)(CLumo*, char* text);                                               // 15
    bool (*getEffectName)(CLumo*, char* text);                                                  // 16
    void (*getProgramName)(CLumo*, char* text);                                                 // 17
    void (*setProgramName)(CLumo*, const char* text);                                           // 18
    bool (*getProgramNameIndexed)(CLumo*, int32_t category, int32_t index, char* text);         // 19
    float (*getParameter)(CLumo*, int32_t index);                                               // 20
    void (*setParameter)(CLumo*, int32_t index, float value);                                   // 21
    void (*getParameterName)(CLumo*, int32_t index, char* text);                                // 22
    void (*getParameterLabel)(CLumo*, int32_t index, char* text);                               // 23
    void (*getParameterDisplay)(CLumo*, int32_t index, char* text);                             // 24
    void (*processReplacing)(CLumo*, float** inputs, float** outputs, int32_t frames);          // 25
    void (*processDoubleReplacing)(CLumo*, double** inputs, double** outputs, int32_t frames);  // 26
    int32_t (*getChunk)(CLumo*, void** data, bool isPreset);                                    // 27
    int32_t (*setChunk)(CLumo*, void* data, int32_t byteCount, bool isPreset);                  // 28
};

static_assert(sizeof(LumoBridge) == 29 * sizeof(void (*)()), "the bridge has 29 entries");

// The table of this build, filled with the effect-side entries (11 and 12 stay null).
LumoBridge makeEffectBridge();
