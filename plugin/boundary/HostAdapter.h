// The host boundary: what the effect, the display and the editor may ask of the plug-in format that
// hosts them. Every plug-in format has one adapter class deriving from this; the reverse functions,
// the bridge entries and the drawing bridges reach the host only through it, so nothing above this
// line knows which format is loaded. No plug-in format's declarations appear here.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "plugin/boundary/LumoBridge.h"

class TQuill;
namespace VSTGUI {
class CDrawContext;
class CFontDesc;
}  // namespace VSTGUI

// What a time request asks the host for; the values can be combined.
enum HostTimeRequest : int32_t {
    kHostTimePlaying = 2,
    kHostTimeRecording = 8,
    kHostTimePosition = 512,
    kHostTimeTempo = 1024,
    kHostTimeBars = 2048,
    kHostTimeSignature = 8192,
};

// One answer to a time request; fields the host did not give stay 0.
struct HostTime {
    double tempo = 0.0;
    double ppqPos = 0.0;
    double barStartPos = 0.0;
    double timeSigNumerator = 0.0;
    double timeSigDenominator = 0.0;
    bool playing = false;
    bool recording = false;
};

// The first three bytes of a MIDI message and when in the block it arrived.
struct HostMidiEvent {
    int32_t deltaFrames = 0;
    uint8_t bytes[3] = {0, 0, 0};
};

class CHostAdapter {
  public:
    explicit CHostAdapter(TQuill* effect, const LumoBridge& bridge) : effect(effect), bridge(bridge) {}
    // Dispatcher thread. The format's adapter destroys the effect through the bridge first.
    virtual ~CHostAdapter() = default;
    CHostAdapter(const CHostAdapter&) = delete;
    CHostAdapter& operator=(const CHostAdapter&) = delete;

    // Channel and identity set-up, from the effect's description. Dispatcher thread.
    virtual int32_t inputCount() = 0;
    virtual int32_t outputCount() = 0;
    virtual void declareInputs(int32_t count) = 0;
    virtual void declareOutputs(int32_t count) = 0;
    virtual void declareUniqueId(int32_t id) = 0;
    virtual void declareProgramsAreChunks(bool state) = 0;
    virtual void declareInitialDelay(int32_t samples) = 0;  // audio thread

    // The host's processing set-up. Any thread.
    virtual float hostSampleRate() = 0;
    virtual int32_t hostBlockSize() = 0;
    // The transport and tempo; false when the host has no time information. Audio thread.
    virtual bool hostTime(int32_t request, HostTime& time) = 0;
    // Asks the host to refresh its view of the parameters; the host's answer. Audio thread.
    virtual bool refreshHostDisplay() = 0;
    // Sets the parameter as the host would, then tells the host about the change. GUI thread.
    virtual void automateParameter(int32_t index, double normalisedValue) = 0;
    // The oldest MIDI event not yet taken; false when there is none. Audio thread.
    virtual bool takeMidiEvent(HostMidiEvent& event) = 0;

    // The editor: creation (1 when made), panel size (false without an editor) and a repaint
    // request (1 when a view was invalidated). GUI thread.
    virtual int32_t createEditor(int32_t width, int32_t height) = 0;
    virtual bool editorSize(int32_t& width, int32_t& height) = 0;
    virtual int32_t redrawEditor() = 0;

    // The processing channel count, taken from the input count on the first call of each precision
    // and kept from then on; safe against two threads arriving together. Audio thread.
    int32_t processingChannels(bool doublePrecision);

    TQuill* effect = nullptr;
    // The drawing context of the paint in progress; null outside a paint. GUI thread.
    VSTGUI::CDrawContext* currentContext = nullptr;
    // Font descriptions made by the effect's font selection; released by the adapter. GUI thread.
    std::vector<VSTGUI::CFontDesc*> fontList;
    const LumoBridge bridge;

  private:
    int32_t fetchChannelCount(std::atomic<int32_t>& cache);

    std::atomic<int32_t> singleChannels{-1};
    std::atomic<int32_t> doubleChannels{-1};
};
