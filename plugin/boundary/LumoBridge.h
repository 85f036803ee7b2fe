// The fixed table of 29 operations through which the adapter, the editor and the view reach the effect.
// Entries are plain functions taking the adapter first; a null entry is an unsupported operation.
#pragma once

#include <cstdint>

class CHostAdapter;

struct LumoBridge {
    void (*init)(CHostAdapter*);                                                                       // 0
    void (*destroy)(CHostAdapter*);                                                                    // 1
    void (*open)(CHostAdapter*);                                                                       // 2
    void (*suspend)(CHostAdapter*);                                                                    // 3
    void (*resume)(CHostAdapter*);                                                                     // 4
    void (*editorIdle)(CHostAdapter*);                                                                 // 5
    void (*close)(CHostAdapter*);                                                                      // 6
    void (*draw)(CHostAdapter*, double width, double height);                                          // 7
    void (*mouseDown)(CHostAdapter*, double x, double y, int32_t buttons);                             // 8
    void (*mouseUp)(CHostAdapter*, double x, double y, int32_t buttons);                               // 9
    void (*mouseMove)(CHostAdapter*, double x, double y, int32_t buttons);                             // 10
    void (*keyDown)(CHostAdapter*, int32_t character, int32_t modifiers, int32_t virtualKey);          // 11
    void (*keyUp)(CHostAdapter*, int32_t character, int32_t modifiers, int32_t virtualKey);            // 12
    int32_t (*getVendorVersion)(CHostAdapter*);                                                        // 13
    bool (*getVendorString)(CHostAdapter*, char* text);                                                // 14
    bool (*getProductString)(CHostAdapter*, char* text);                                               // 15
    bool (*getEffectName)(CHostAdapter*, char* text);                                                  // 16
    void (*getProgramName)(CHostAdapter*, char* text);                                                 // 17
    void (*setProgramName)(CHostAdapter*, const char* text);                                           // 18
    bool (*getProgramNameIndexed)(CHostAdapter*, int32_t category, int32_t index, char* text);         // 19
    float (*getParameter)(CHostAdapter*, int32_t index);                                               // 20
    void (*setParameter)(CHostAdapter*, int32_t index, float value);                                   // 21
    void (*getParameterName)(CHostAdapter*, int32_t index, char* text);                                // 22
    void (*getParameterLabel)(CHostAdapter*, int32_t index, char* text);                               // 23
    void (*getParameterDisplay)(CHostAdapter*, int32_t index, char* text);                             // 24
    void (*processReplacing)(CHostAdapter*, float** inputs, float** outputs, int32_t frames);          // 25
    void (*processDoubleReplacing)(CHostAdapter*, double** inputs, double** outputs, int32_t frames);  // 26
    int32_t (*getChunk)(CHostAdapter*, void** data, bool isPreset);                                    // 27
    int32_t (*setChunk)(CHostAdapter*, void* data, int32_t byteCount, bool isPreset);                  // 28
};

static_assert(sizeof(LumoBridge) == 29 * sizeof(void (*)()), "the bridge has 29 entries");
