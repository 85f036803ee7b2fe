// A host session decoded from the bytes: dispatcher requests with any arguments, parameter changes
// and reads, MIDI event lists, odd sample rates and block sizes, mains switches, transports and
// processing calls of any length in both precisions. The editor is left out: it needs a display.
// Throughout, answers stay sane, outputs finite and parameters in range.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "tests/fuzz/FuzzBytes.h"
#include "tests/fuzz/FuzzInstance.h"

namespace {

constexpr int32_t kLongestCall = 4096;
constexpr int kMostSteps = 2000;
constexpr int kMostEvents = 1200;

// The opcodes of an editor, which this target leaves out.
bool isEditorOpcode(int32_t opcode) {
    return opcode == effEditGetRect || opcode == effEditOpen || opcode == effEditClose ||
           opcode == effEditIdle || opcode == effEditKeyDown || opcode == effEditKeyUp ||
           opcode == effSetEditKnobMode || (opcode >= 16 && opcode <= 21);
}

const char* const kCanDoTexts[] = {"receiveVstMidiEvent",
                                   "receiveVstEvents",
                                   "sendVstEvents",
                                   "sendVstMidiEvent",
                                   "receiveVstTimeInfo",
                                   "offline",
                                   "bypass",
                                   "midiProgramNames",
                                   "ReceiveVstMidiEvent",
                                   "receiveVstMidiEvent ",
                                   ""};

class Session {
  public:
    explicit Session(FuzzBytes& in) : in_(in) {}

    void run() {
        clearInputs();
        instance_ = std::make_unique<FuzzInstance>();
        if (in_.flag()) instance_->start(44100, 512);
        for (int step = 0; step < kMostSteps && !in_.empty(); ++step) {
            if (!instance_->alive()) instance_ = std::make_unique<FuzzInstance>();
            this->step();
            if (instance_->alive()) instance_->checkAutomation();
        }
        if (!instance_->alive()) return;
        checkSliders(*instance_);
        // Whatever the session did, the plug-in still processes a block in each precision.
        clearInputs();
        processCall(false, 64);
        processCall(true, 64);
    }

  private:
    // Silence after a session that wrote inputs; memset keeps this out of the coverage counters.
    void clearInputs() {
        if (inputsDirty_) {
            for (int c = 0; c < 6; ++c) {
                std::memset(single_.input(c).data(), 0, sizeof(float) * kLongestCall);
                std::memset(double_.input(c).data(), 0, sizeof(double) * kLongestCall);
            }
        }
        inputsDirty_ = false;
        inputsSane_ = true;
    }

    // Dispatcher requests make up most of a session; audio and parameter traffic come between them.
    void step() {
        switch (in_.below(20)) {
            case 0:
            case 1:
            case 2:
            case 3:
                anyOpcode();
                break;
            case 4:
                setParameter();
                break;
            case 5:
                getParameter();
                break;
            case 6:
                processCall(in_.flag(), frameCount());
                break;
            case 7:
                instance_->dispatch(effSetSampleRate, 0, 0, nullptr, in_.interestingFloat());
                break;
            case 8:
                instance_->dispatch(effSetBlockSize, 0, blockSize());
                break;
            case 9:
                instance_->dispatch(effMainsChanged, 0, in_.flag() ? 1 : 0);
                break;
            case 10:
                processEvents();
                break;
            case 11:
                chunk();
                break;
            case 12:
            case 13:
            case 14:
                textRequest();
                break;
            case 15:
                canDo();
                break;
            case 16:
                transport();
                break;
            case 17:
            case 18:
                programs();
                break;
            case 19:
                fillInputs();
                break;
        }
    }

    // Mostly short calls, so that a session holds many requests; now and then the longest.
    int32_t frameCount() {
        switch (in_.below(16)) {
            case 0:
                return 0;
            case 1:
                return -static_cast<int32_t>(in_.u16()) - 1;
            case 2:
                return 1;
            case 3:
                return static_cast<int32_t>(in_.below(kLongestCall + 1));
            default:
                return static_cast<int32_t>(in_.below(65));
        }
    }

    intptr_t blockSize() {
        switch (in_.below(6)) {
            case 0:
                return 0;
            case 1:
                return -1;
            case 2:
                return INT32_MAX;
            case 3:
                return static_cast<intptr_t>(in_.u64());
            default:
                return static_cast<intptr_t>(in_.below(8193));
        }
    }

    int32_t parameterIndex() {
        const uint8_t pick = in_.u8();
        if (pick < 200) return static_cast<int32_t>(pick % (instance_->effect()->numParams + 2)) - 1;
        return in_.anyInt32();
    }

    void anyOpcode() {
        const int32_t opcode = static_cast<int32_t>(in_.below(82));
        if (isEditorOpcode(opcode)) return;
        const int32_t index = in_.anyInt32();
        intptr_t value = in_.anyIntptr();
        const float option = in_.interestingFloat();
        // Requests whose pointers lead to data of a given shape get that shape; the rest get a
        // buffer far larger than any of them reads, starting with fuzz bytes.
        std::vector<uint8_t> buffer(1024);
        const std::vector<uint8_t> fill = in_.bytes(opcode == effSetChunk ? 600 : 48);
        std::copy(fill.begin(), fill.end(), buffer.begin());
        buffer.back() = 0;
        void* ptr = in_.u8() < 16 ? nullptr : buffer.data();
        void* places[2] = {&buffer, &buffer};
        switch (opcode) {
            case effGetSpeakerArrangement:
                value = reinterpret_cast<intptr_t>(&places[0]);
                ptr = &places[1];
                break;
            case effSetChunk:
                value = static_cast<intptr_t>(fill.size());
                break;
            case effGetChunk:
                ptr = &places[0];
                break;
            case effProcessEvents:
                processEvents();
                return;
            case effClose:
                instance_->close();
                return;
            default:
                break;
        }
        const intptr_t answer = instance_->dispatch(opcode, index, value, ptr, option);
        if (opcode == effCanDo) fuzzCheck(answer == 1 || answer == -1 || answer == 0, "can-do answers");
        if (opcode == effGetChunk && answer > 0) fuzzCheck(places[0] != &buffer, "a chunk comes with data");
    }

    void setParameter() {
        const int32_t index = parameterIndex();
        instance_->setParameter(index, in_.interestingFloat());
    }

    void getParameter() {
        const int32_t index = parameterIndex();
        const float value = instance_->getParameter(index);
        if (index >= 0 && index < instance_->effect()->numParams)
            fuzzCheck(std::isfinite(value), "parameters read as numbers");
    }

    void fillInputs() {
        const int channel = static_cast<int>(in_.below(6));
        const uint8_t kind = in_.u8();
        const float level = in_.interestingFloat();
        // Any level at all reaches the plug-in, but only sane ones (up to +120 dB) promise a finite
        // output: gains of up to +20 dB and the sum of six channels take a float near its largest
        // value past infinity, and NaN stays NaN.
        const bool sane = std::fabs(level) <= 1e6f;
        if (!sane) inputsSane_ = false;
        if (FuzzInstance::trace)
            std::fprintf(stderr, "input %d level %g\n", channel, static_cast<double>(level));
        inputsDirty_ = true;
        static const std::vector<float> sine = [] {
            std::vector<float> wave(kLongestCall);
            for (int32_t j = 0; j < kLongestCall; ++j) wave[static_cast<size_t>(j)] = std::sin(0.05f * j);
            return wave;
        }();
        for (size_t j = 0; j < kLongestCall; ++j) {
            const float wave = kind & 1 ? sine[j] : 1.0f;
            single_.input(channel)[j] = level * wave;
            double_.input(channel)[j] = static_cast<double>(level) * wave;
        }
    }

    void processCall(bool doublePrecision, int32_t frames) {
        // Cleared so that every output sample checked is one this call wrote.
        const int32_t written = frames > 0 ? frames : 0;
        if (doublePrecision) {
            for (int c = 0; c < 6; ++c)
                std::memset(double_.outputs()[c], 0, sizeof(double) * static_cast<size_t>(written));
            instance_->process(double_.inputs(), double_.outputs(), frames);
            if (inputsSane_) fuzzCheck(double_.outputsFinite(written), "double outputs are finite");
        } else {
            for (int c = 0; c < 6; ++c)
                std::memset(single_.outputs()[c], 0, sizeof(float) * static_cast<size_t>(written));
            instance_->process(single_.inputs(), single_.outputs(), frames);
            if (inputsSane_) fuzzCheck(single_.outputsFinite(written), "single outputs are finite");
        }
    }

    void processEvents() {
        const int count = static_cast<int>(in_.below(kMostEvents + 1));
        std::vector<VstEvent> events(static_cast<size_t>(count));
        std::vector<uint8_t> list(sizeof(VstEvents) + sizeof(VstEvent*) * static_cast<size_t>(count));
        auto* header = reinterpret_cast<VstEvents*>(list.data());
        auto** pointers = reinterpret_cast<VstEvent**>(list.data() + offsetof(VstEvents, events));
        for (int i = 0; i < count; ++i) {
            VstEvent& event = events[static_cast<size_t>(i)];
            const std::vector<uint8_t> raw = in_.take(in_.flag() ? sizeof event : 4);
            if (!raw.empty()) std::memcpy(&event, raw.data(), raw.size());
            if (in_.flag()) {
                event.type = kVstMidiType;
                event.byteSize = sizeof(VstMidiEvent);
            }
            pointers[i] = in_.u8() < 8 ? nullptr : &event;
        }
        // A host may claim fewer events than it lists, never more.
        const uint8_t claim = in_.u8();
        header->numEvents =
            claim < 32 ? -static_cast<int32_t>(claim) : count - (claim < 64 ? claim % (count + 1) : 0);
        const intptr_t answer = instance_->dispatch(effProcessEvents, 0, 0, header);
        fuzzCheck(answer == 1, "effProcessEvents answers 1");
    }

    void chunk() {
        if (in_.flag()) {
            std::vector<uint8_t> bytes = in_.bytes(600);
            if (in_.flag() && bytes.size() >= 4) {
                const float marker = -1000.0f;
                std::memcpy(bytes.data(), &marker, sizeof marker);
            }
            ++stateChunks;
            const auto size = static_cast<intptr_t>(bytes.size());
            const intptr_t answer =
                instance_->dispatch(effSetChunk, in_.flag(), size, bytes.empty() ? nullptr : bytes.data());
            if (!bytes.empty()) fuzzCheck(answer == size, "effSetChunk accepts the whole byte count");
        } else {
            savedState(*instance_);
        }
    }

    void textRequest() {
        static const int32_t kOpcodes[] = {effGetParamLabel,    effGetParamDisplay,      effGetParamName,
                                           effGetProgramName,   effGetEffectName,        effGetVendorString,
                                           effGetProductString, effGetProgramNameIndexed};
        // Each buffer has the size this plug-in documents for the text, so that a longer write shows.
        static const size_t kSizes[] = {32, 32, 32, 24, 32, 64, 64, 24};
        const uint32_t which = in_.below(8);
        std::unique_ptr<char[]> buffer(new char[kSizes[which]]);
        std::memset(buffer.get(), 'x', kSizes[which]);
        instance_->dispatch(kOpcodes[which], parameterIndex(), static_cast<intptr_t>(in_.u8()), buffer.get());
        fuzzCheck(std::memchr(buffer.get(), 0, kSizes[which]) != nullptr || buffer[0] == 'x',
                  "texts end inside their buffer");
    }

    void canDo() {
        std::string text;
        if (in_.flag())
            text = kCanDoTexts[in_.below(sizeof kCanDoTexts / sizeof kCanDoTexts[0])];
        else
            text = in_.text(80);
        std::vector<char> buffer(text.begin(), text.end());
        buffer.push_back(0);
        const intptr_t answer = instance_->dispatch(effCanDo, 0, 0, buffer.data());
        // The plug-in sees the text up to its first terminator.
        const bool midi = std::strcmp(buffer.data(), "receiveVstMidiEvent") == 0;
        fuzzCheck(answer == (midi ? 1 : -1), "can-do answers yes to MIDI only");
    }

    void transport() {
        if (FuzzInstance::trace) std::fprintf(stderr, "transport changes\n");
        VstTimeInfo& time = instance_->host().time;
        instance_->host().giveTime = in_.u8() >= 32;
        time.samplePos = in_.interestingDouble();
        time.sampleRate = in_.interestingDouble();
        time.ppqPos = in_.interestingDouble();
        time.tempo = in_.interestingDouble();
        time.barStartPos = in_.interestingDouble();
        time.timeSigNumerator = static_cast<int32_t>(in_.u32());
        time.timeSigDenominator = static_cast<int32_t>(in_.u32());
        time.flags = static_cast<int32_t>(in_.u32());
    }

    void programs() {
        switch (in_.below(4)) {
            case 0:
                instance_->dispatch(effSetProgram, 0, static_cast<intptr_t>(in_.u64()));
                break;
            case 1:
                fuzzCheck(instance_->dispatch(effGetProgram) == 0, "the only program is 0");
                break;
            case 2: {
                std::string name = in_.text(40);
                // Sometimes without a terminator inside the program-name size.
                std::vector<char> buffer(name.begin(), name.end());
                buffer.resize(64, in_.flag() ? 0 : 'n');
                buffer.back() = 0;
                instance_->dispatch(effSetProgramName, 0, 0, buffer.data());
                break;
            }
            case 3:
                instance_->dispatch(effGetProgramNameIndexed, static_cast<int32_t>(in_.u32()),
                                    static_cast<intptr_t>(in_.u32()), nullptr);
                break;
        }
    }

    FuzzBytes& in_;
    std::unique_ptr<FuzzInstance> instance_;
    bool inputsSane_ = true;
    static bool inputsDirty_;
    static FuzzAudio<float> single_;
    static FuzzAudio<double> double_;

  public:
    static uint64_t stateChunks;
};

FuzzAudio<float> Session::single_(kLongestCall);
FuzzAudio<double> Session::double_(kLongestCall);
uint64_t Session::stateChunks = 0;
bool Session::inputsDirty_ = true;

void report() {
    std::fprintf(stderr, "dispatcher calls: %llu, calls into the plug-in: %llu, state chunks: %llu\n",
                 static_cast<unsigned long long>(FuzzInstance::dispatcherCalls()),
                 static_cast<unsigned long long>(FuzzInstance::entryCalls()),
                 static_cast<unsigned long long>(Session::stateChunks));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit(report);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in(data, size);
    Session session(in);
    session.run();
    return 0;
}
