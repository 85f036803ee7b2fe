// The half of every adapter that knows no plug-in format: the bridge as typed calls, the panel as the
// effect declares it with the window that shows it, and what a format that keeps no record of its own
// for the host answers (the declarations remembered or not needed, the processing set-up it is given,
// no display refresh, no MIDI). A format's adapter derives from this and adds its host's requests
// and nothing else; it runs entry 0 at the end of its construction and destroys the effect through
// `calls` in its destructor, while it can still answer the effect.
#pragma once

#include <atomic>

#include "plugin/boundary/HostAdapter.h"
#include "plugin/bridge/BridgeCalls.h"

class IEditorLink;

class CAdapterKit : public CHostAdapter {
  public:
    CAdapterKit(TQuill* effect, const LumoBridge& bridge) : CHostAdapter(effect, bridge) {}

    // The channel counts as declared; identity, chunks and latency need no declaration where the
    // format describes them itself. Dispatcher thread, but for the counts (any thread).
    int32_t inputCount() override { return inputs_; }
    int32_t outputCount() override { return outputs_; }
    void declareInputs(int32_t count) override { inputs_ = count; }
    void declareOutputs(int32_t count) override { outputs_ = count; }
    void declareUniqueId(int32_t) override {}
    void declareProgramsAreChunks(bool) override {}
    void declareInitialDelay(int32_t) override {}
    // The sample rate as a float, the rounding the VST edition hands the effect, so that the editions
    // stay equal; 44100 and 1024 until the format sets them up. Any thread.
    float hostSampleRate() override;
    int32_t hostBlockSize() override;
    // A block size of 0 or less keeps the one before. Dispatcher thread, while not processing.
    void setProcessing(double sampleRate, int32_t blockSize);
    bool refreshHostDisplay() override { return false; }           // audio thread
    bool takeMidiEvent(HostMidiEvent&) override { return false; }  // audio thread

    // Keeps the panel size the effect declares; 0 when it was declared before. A format with an
    // editor object of its own makes it after this. Dispatcher thread.
    int32_t createEditor(int32_t width, int32_t height) override;
    bool editorSize(int32_t& width, int32_t& height) override;  // GUI thread
    // Invalidates the attached window's view; 0 without one. GUI thread.
    int32_t redrawEditor() override;

    // The window showing this instance, for as long as it exists. GUI thread.
    void attachWindow(IEditorLink* window) { window_ = window; }
    // Withdraws the window only if it is the one attached.
    void detachWindow(IEditorLink* window) {
        if (window_ == window) window_ = nullptr;
    }

    const BridgeCalls calls{*this};

  private:
    int32_t inputs_ = 0;
    int32_t outputs_ = 0;
    std::atomic<double> sampleRate_{44100};
    std::atomic<int32_t> blockSize_{1024};
    int32_t editorWidth_ = 0;
    int32_t editorHeight_ = 0;
    bool hasEditor_ = false;
    IEditorLink* window_ = nullptr;
};
