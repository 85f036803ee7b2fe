// One plug-in instance driven the way a host drives it, for the fuzz targets: made through the same
// factory as the module's entry point, with a host callback whose transport the target may garble.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/sdk/aeffect.h"

class TQuill;
struct SliderRecord;

// Reports a broken promise of the plug-in and aborts, so that the fuzzer keeps the input.
void fuzzCheck(bool condition, const char* what);

class FuzzInstance {
  public:
    FuzzInstance();
    ~FuzzInstance();
    FuzzInstance(const FuzzInstance&) = delete;
    FuzzInstance& operator=(const FuzzInstance&) = delete;

    AEffect* effect() const { return effect_; }
    const TQuill& quill() const;
    bool alive() const { return effect_ != nullptr; }

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0);
    // Open, rate and block size, resume.
    void start(float sampleRate = 44100, int32_t blockSize = 512);
    // The dispatcher's close: the instance is gone afterwards.
    void close();
    void process(float** inputs, float** outputs, int32_t frames);
    void process(double** inputs, double** outputs, int32_t frames);

    // The transport the host reports; null time information when absent.
    VstTimeInfo time{};
    bool giveTime = true;

    // With ORBITONE_FUZZ_TRACE set, every call is printed: for reading what a saved input does.
    static const bool trace;
    void setParameter(int32_t index, float value);
    float getParameter(int32_t index);

    // Calls into the plug-in since the process started: dispatcher requests, and all entries.
    static uint64_t dispatcherCalls;
    static uint64_t entryCalls;

  private:
    static intptr_t VSTCALLBACK callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                         void* ptr, float opt);
    static FuzzInstance* creating_;

    AEffect* effect_ = nullptr;
};

// Six channels of audio in either precision, sized for the longest call a target makes.
template <typename Sample>
class FuzzAudio {
  public:
    static constexpr int kChannels = 6;
    explicit FuzzAudio(int32_t frames)
        : data_(kChannels * 2, std::vector<Sample>(static_cast<size_t>(frames))) {
        for (int c = 0; c < kChannels * 2; ++c) pointers_[c] = data_[static_cast<size_t>(c)].data();
    }
    Sample** inputs() { return pointers_; }
    Sample** outputs() { return pointers_ + kChannels; }
    std::vector<Sample>& input(int channel) { return data_[static_cast<size_t>(channel)]; }
    // True when every output sample of the first frames is a finite number.
    bool outputsFinite(int32_t frames) const;

  private:
    std::vector<std::vector<Sample>> data_;
    Sample* pointers_[kChannels * 2] = {};
};

// The range a slider can hold after any host, panel or state change: the declared range, except the
// panel's Speed controls, which reach twice it.
void producibleRange(const SliderRecord& record, double& low, double& high);
// Aborts unless every declared slider lies in its producible range, and every parameter reads
// within the same range mapped onto the declared one (0..1 for all but the Speed controls).
void checkSliders(AEffect* effect);
inline void checkSliders(FuzzInstance& instance) {
    checkSliders(instance.effect());
}
// The effect behind an instance of this plug-in.
const TQuill& quillOf(AEffect* effect);
// The state chunk the plug-in hands out now.
std::vector<uint8_t> savedState(FuzzInstance& instance);
