// What the fuzz targets check, and the instance they drive the way a host does: made through the
// same factory as the module's entry point, on a host whose transport the target may garble.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/sdk/aeffect.h"
#include "tests/host/TestHost.h"

class TQuill;
struct SliderRecord;

// Reports a broken promise of the plug-in and aborts, so that the fuzzer keeps the input.
void fuzzCheck(bool condition, const char* what);

// An instance made through the module's own factory, on the shared test host. The host records
// nothing, as a session may run long, and prints every call with ORBITONE_FUZZ_TRACE set.
class FuzzInstance : public TestInstance {
  public:
    FuzzInstance();
    ~FuzzInstance();

    const TQuill& quill() const;
    bool alive() const { return effect() != nullptr; }
    // The dispatcher's close: the instance is gone afterwards.
    void close();
    // Aborts once the plug-in has sent the host an automation value outside 0..1.
    void checkAutomation() const;

    // With ORBITONE_FUZZ_TRACE set, every call is printed: for reading what a saved input does.
    static const bool trace;
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
// The same, and the automation the instance sent.
void checkSliders(FuzzInstance& instance);
// The effect behind an instance of this plug-in.
const TQuill& quillOf(AEffect* effect);
// The state chunk the plug-in hands out now.
std::vector<uint8_t> savedState(FuzzInstance& instance);
