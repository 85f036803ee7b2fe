// An LV2 host's session decoded from the bytes, on the DSP binary's own descriptor: control values of
// any kind, state restores of any type, size and content, the time port's atom sequence (positions
// with odd values and keys, foreign atoms, events and properties whose sizes do not fit, a sequence
// cut short), activations and runs of any length. Each sequence lies in a buffer of exactly its size,
// so that a read past it is caught. Throughout, the outputs stay finite, every slider within what the
// plug-in can produce, a restore is taken exactly when its chunk has the type and size of the
// plug-in's own, a refused one changes nothing, and what the plug-in saves restores exactly.
#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/state/state.h>
#include <lv2/time/time.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "plugin/lv2/Lv2Instance.h"
#include "plugin/lv2/Lv2Ports.h"
#include "runtime/Quill.h"
#include "tests/fuzz/FuzzBytes.h"
#include "tests/fuzz/FuzzInstance.h"

extern "C" const LV2_Descriptor* lv2_descriptor(uint32_t index);

namespace {

constexpr uint32_t kLongestRun = 2048;
constexpr int kMostSteps = 200;

// One map for the whole process, so that the same bytes give the same URIDs in every input.
class UridMap {
  public:
    UridMap() {
        feature_.handle = this;
        feature_.map = [](LV2_URID_Map_Handle self, const char* uri) {
            return static_cast<UridMap*>(self)->map(uri);
        };
    }
    LV2_URID map(const char* uri) {
        for (size_t i = 0; i < uris_.size(); ++i) {
            if (uris_[i] == uri) return static_cast<LV2_URID>(i + 1);
        }
        uris_.emplace_back(uri);
        return static_cast<LV2_URID>(uris_.size());
    }
    LV2_URID_Map* feature() { return &feature_; }

  private:
    std::vector<std::string> uris_;
    LV2_URID_Map feature_{};
};

UridMap& uris() {
    static UridMap map;
    return map;
}

const char* const kTimeKeys[] = {LV2_TIME__speed,       LV2_TIME__beatsPerMinute, LV2_TIME__bar,
                                 LV2_TIME__barBeat,     LV2_TIME__beat,           LV2_TIME__beatUnit,
                                 LV2_TIME__beatsPerBar, LV2_TIME__frame};
enum ValueType : uint32_t { kInt, kLong, kFloat, kDouble, kString, kBool, kValueTypeCount };
const char* const kValueTypes[kValueTypeCount] = {LV2_ATOM__Int,    LV2_ATOM__Long,   LV2_ATOM__Float,
                                                  LV2_ATOM__Double, LV2_ATOM__String, LV2_ATOM__Bool};
const char* const kObjectTypes[] = {LV2_ATOM__Object, LV2_ATOM__Blank, LV2_ATOM__Int, LV2_ATOM__Chunk};
const char* const kObjectClasses[] = {LV2_TIME__Position, LV2_TIME__Rate, LV2_ATOM__Atom};
const double kSampleRates[] = {44100, 48000, 96000, 192000, 22050, 8000, 1, 1e-3, 1e9};

template <typename T, size_t N>
const T& pick(FuzzBytes& in, const T (&items)[N]) {
    return items[in.below(N)];
}

void put32(std::vector<uint8_t>& bytes, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(value >> shift));
}

void put64(std::vector<uint8_t>& bytes, uint64_t value) {
    put32(bytes, static_cast<uint32_t>(value));
    put32(bytes, static_cast<uint32_t>(value >> 32));
}

void padTo8(std::vector<uint8_t>& bytes) {
    while (bytes.size() % 8 != 0) bytes.push_back(0);
}

// A size as the bytes have it, now and then another.
uint32_t claimedSize(FuzzBytes& in, size_t real) {
    switch (in.below(16)) {
        case 0:
            return in.u32();
        case 1:
            return static_cast<uint32_t>(real) + in.u8();
        case 2:
            return real > 0 ? static_cast<uint32_t>(real) - 1 - in.below(static_cast<uint32_t>(real)) : 0;
        default:
            return static_cast<uint32_t>(real);
    }
}

uint64_t sessions = 0;
uint64_t stateRestores = 0;
uint64_t timeEvents = 0;

class Session {
  public:
    explicit Session(FuzzBytes& in) : in_(in) {
        for (float& value : controls_) value = 0;
        for (uint32_t j = 0; j < kLongestRun; ++j) {
            left_[j] = static_cast<float>(std::sin(0.01 * j));
            right_[j] = static_cast<float>(((j * 7) % 17 - 8) / 8.0);
        }
    }

    ~Session() {
        if (handle_ == nullptr) return;
        if (active_) descriptor_->deactivate(handle_);
        descriptor_->cleanup(handle_);
    }

    void run() {
        descriptor_ = lv2_descriptor(0);
        fuzzCheck(descriptor_ != nullptr && lv2_descriptor(1) == nullptr, "the binary describes one plug-in");
        const bool withMap = in_.u8() >= 16;
        const double rate = in_.flag() ? pick(in_, kSampleRates) : in_.interestingDouble();
        blockLength_ = static_cast<int32_t>(in_.below(kLongestRun)) + 1;
        const LV2_URID intType = uris().map(LV2_ATOM__Int);
        options_[0] = {LV2_OPTIONS_INSTANCE, 0,       uris().map(LV2_BUF_SIZE__maxBlockLength),
                       sizeof(int32_t),      intType, &blockLength_};
        options_[1] = {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr};
        mapFeature_ = {LV2_URID__map, uris().feature()};
        optionsFeature_ = {LV2_OPTIONS__options, options_};
        const LV2_Feature* features[] = {&mapFeature_, &optionsFeature_, nullptr};
        const LV2_Feature* none[] = {nullptr};
        handle_ = descriptor_->instantiate(descriptor_, rate, "", withMap ? features : none);
        if (!(rate > 0)) {
            fuzzCheck(handle_ == nullptr, "no instance for a rate that is not positive");
            return;
        }
        if (handle_ == nullptr) return;
        instance_ = static_cast<Lv2Instance*>(handle_);
        state_ = static_cast<const LV2_State_Interface*>(descriptor_->extension_data(LV2_STATE__interface));
        fuzzCheck(state_ != nullptr, "the state interface is there");
        connectAll();
        for (int step = 0; step < kMostSteps && !in_.empty(); ++step) this->step();
        if (!active_) activate(true);
        runBlock(64, false);
        checkSliders();
        saveAndRestoreExactly();
    }

  private:
    void step() {
        switch (in_.below(12)) {
            case 0:
            case 1:
            case 2:
                setControl();
                break;
            case 3:
                restore();
                break;
            case 4:
            case 5:
            case 6:
            case 7:
                if (active_) runBlock(frameCount(), in_.u8() >= 64);
                break;
            case 8:
                activate(!active_);
                break;
            case 9:
                saveAndRestoreExactly();
                break;
            case 10:
                reconnect();
                break;
            case 11:
                checkSliders();
                break;
        }
    }

    void* bufferOf(uint32_t port) {
        if (port == lv2ports::kInputLeft) return left_;
        if (port == lv2ports::kInputRight) return right_;
        if (port >= lv2ports::kFirstOutput && port < lv2ports::kFirstOutput + lv2ports::kOutputCount)
            return outputs_[port - lv2ports::kFirstOutput];
        if (lv2ports::isControlPort(port)) return &controls_[port - lv2ports::kFirstControl];
        return nullptr;  // the time port, which each run connects itself, and ports past the last
    }

    void connectAll() {
        for (uint32_t port = 0; port < lv2ports::kPortCount; ++port)
            descriptor_->connect_port(handle_, port, bufferOf(port));
        for (bool& connected : audio_) connected = true;
    }

    // Any port, to its buffer or to nothing, or all of them back.
    void reconnect() {
        if (in_.u8() < 64) {
            connectAll();
            return;
        }
        const uint32_t port = in_.below(lv2ports::kPortCount + 2);
        const bool connect = in_.flag();
        descriptor_->connect_port(handle_, port, connect ? bufferOf(port) : nullptr);
        if (port < lv2ports::kTime) audio_[port] = connect;
    }

    void activate(bool on) {
        if (on)
            descriptor_->activate(handle_);
        else
            descriptor_->deactivate(handle_);
        active_ = on;
    }

    // A value within the control's range most of the time, anything a float holds now and then.
    void setControl() {
        const uint32_t p = in_.below(lv2ports::kControlCount);
        const SliderRecord& record = effect().sliderRecords[p];
        const uint8_t kind = in_.u8();
        if (kind < 160) {
            const double at = in_.u16() / 65535.0;
            controls_[p] = static_cast<float>(record.minimum + at * (record.maximum - record.minimum));
        } else {
            controls_[p] = in_.interestingFloat();
        }
    }

    uint32_t frameCount() {
        switch (in_.below(8)) {
            case 0:
                return 0;
            case 1:
                return in_.below(static_cast<uint32_t>(blockLength_)) + 1;
            default:
                return in_.below(129);
        }
    }

    // A time:Position object, or another atom, with properties whose values and sizes may be odd.
    std::vector<uint8_t> eventBody() {
        std::vector<uint8_t> body;
        if (in_.u8() < 24) {
            const std::vector<uint8_t> raw = in_.bytes(48);
            put32(body, claimedSize(in_, raw.size()));
            put32(body, uris().map(pick(in_, kObjectTypes)));
            body.insert(body.end(), raw.begin(), raw.end());
            return body;
        }
        std::vector<uint8_t> properties;
        const uint32_t count = in_.below(9);
        for (uint32_t i = 0; i < count; ++i) {
            put32(properties, in_.u8() < 240 ? uris().map(pick(in_, kTimeKeys)) : in_.u32());
            put32(properties, 0);
            const uint32_t type = in_.below(kValueTypeCount);
            std::vector<uint8_t> value;
            if (type == kDouble) {
                const double number = in_.interestingDouble();
                uint64_t bits = 0;
                std::memcpy(&bits, &number, sizeof bits);
                put64(value, bits);
            } else if (type == kLong) {
                put64(value, static_cast<uint64_t>(in_.anyIntptr()));
            } else if (type == kFloat) {
                const float number = in_.interestingFloat();
                uint32_t bits = 0;
                std::memcpy(&bits, &number, sizeof bits);
                put32(value, bits);
            } else if (type == kString) {
                const std::string text = in_.text(12);
                value.assign(text.begin(), text.end());
                value.push_back(0);
            } else {
                put32(value, static_cast<uint32_t>(in_.anyInt32()));
            }
            put32(properties, claimedSize(in_, value.size()));
            put32(properties, uris().map(kValueTypes[type]));
            properties.insert(properties.end(), value.begin(), value.end());
            padTo8(properties);
        }
        put32(body, claimedSize(in_, sizeof(LV2_Atom_Object_Body) + properties.size()));
        put32(body, uris().map(in_.u8() < 240 ? LV2_ATOM__Object : pick(in_, kObjectTypes)));
        put32(body, 0);
        put32(body, uris().map(pick(in_, kObjectClasses)));
        body.insert(body.end(), properties.begin(), properties.end());
        return body;
    }

    // The time port's sequence, in a buffer of exactly its size: events at any frame, the last one
    // perhaps cut short.
    std::unique_ptr<uint8_t[]> timeSequence(size_t& size) {
        std::vector<uint8_t> events;
        const uint32_t count = in_.below(6);
        for (uint32_t i = 0; i < count; ++i) {
            put64(events, static_cast<uint64_t>(in_.u8() < 200 ? in_.below(kLongestRun) : in_.anyIntptr()));
            const std::vector<uint8_t> body = eventBody();
            events.insert(events.end(), body.begin(), body.end());
            padTo8(events);
            ++timeEvents;
        }
        if (!events.empty() && in_.u8() < 32)
            events.resize(events.size() - 1 - in_.below(static_cast<uint32_t>(events.size())));
        std::vector<uint8_t> bytes;
        put32(bytes, static_cast<uint32_t>(sizeof(LV2_Atom_Sequence_Body) + events.size()));
        put32(bytes, uris().map(LV2_ATOM__Sequence));
        put64(bytes, 0);
        bytes.insert(bytes.end(), events.begin(), events.end());
        size = bytes.size();
        std::unique_ptr<uint8_t[]> buffer(new uint8_t[size]);
        std::memcpy(buffer.get(), bytes.data(), size);
        return buffer;
    }

    void runBlock(uint32_t frames, bool withTime) {
        size_t size = 0;
        std::unique_ptr<uint8_t[]> time;
        if (withTime) time = timeSequence(size);
        descriptor_->connect_port(handle_, lv2ports::kTime, time.get());
        for (float* output : outputs_) std::memset(output, 0, sizeof(float) * kLongestRun);
        descriptor_->run(handle_, frames);
        descriptor_->connect_port(handle_, lv2ports::kTime, nullptr);
        bool allAudio = true;
        for (bool connected : audio_) allAudio = allAudio && connected;
        for (const float* output : outputs_) {
            for (uint32_t j = 0; j < frames; ++j) {
                fuzzCheck(std::isfinite(output[j]), "outputs are finite");
                if (!allAudio) fuzzCheck(output[j] == 0, "without all audio ports, silence");
            }
        }
    }

    const TQuill& effect() const { return *instance_->adapter->effect; }

    void checkSliders() {
        for (const SliderRecord& record : effect().sliderRecords) {
            double low = 0, high = 0;
            producibleRange(record, low, high);
            const double value = effect().sliders[record.number];
            if (!(value >= low && value <= high)) {
                std::fprintf(stderr, "slider %d (%s) holds %g outside %g..%g\n", record.number,
                             record.name.c_str(), value, low, high);
                fuzzCheck(false, "every slider within what the plug-in can produce");
            }
        }
    }

    struct Property {
        const std::vector<uint8_t>* bytes;
        uint32_t type;
    };

    LV2_State_Status restoreBytes(const std::vector<uint8_t>& bytes, uint32_t type) {
        Property property{&bytes, type};
        auto retrieve = [](LV2_State_Handle handle, uint32_t, size_t* size, uint32_t* type, uint32_t* flags) {
            const auto* p = static_cast<const Property*>(handle);
            *size = p->bytes->size();
            *type = p->type;
            *flags = LV2_STATE_IS_POD;
            static const uint8_t kNothing = 0;
            return static_cast<const void*>(p->bytes->empty() ? &kNothing : p->bytes->data());
        };
        ++stateRestores;
        return state_->restore(handle_, retrieve, &property, 0, nullptr);
    }

    std::vector<uint8_t> saved() {
        std::vector<uint8_t> bytes;
        auto store = [](LV2_State_Handle handle, uint32_t, const void* value, size_t size, uint32_t,
                        uint32_t) {
            const auto* data = static_cast<const uint8_t*>(value);
            static_cast<std::vector<uint8_t>*>(handle)->assign(data, data + size);
            return LV2_STATE_SUCCESS;
        };
        const LV2_State_Status status = state_->save(handle_, store, &bytes, LV2_STATE_IS_POD, nullptr);
        fuzzCheck((status == LV2_STATE_SUCCESS) == (instance_->stateKey != 0), "a state is saved with a map");
        return bytes;
    }

    // Mostly a chunk of the right size with the marker and any values; now and then any bytes, of any
    // type.
    void restore() {
        const std::vector<uint8_t> own = saved();
        std::vector<uint8_t> bytes;
        if (in_.u8() < 192 && !own.empty()) {
            bytes = own;
            const uint32_t changes = in_.below(12);
            for (uint32_t i = 0; i < changes; ++i) {
                const size_t at = 4 * (1 + in_.below(static_cast<uint32_t>(bytes.size() / 4 - 1)));
                const float value = in_.interestingFloat();
                std::memcpy(bytes.data() + at, &value, sizeof value);
            }
        } else {
            bytes = in_.bytes(300);
        }
        const bool chunkType = in_.u8() >= 32;
        const uint32_t type = uris().map(chunkType ? LV2_ATOM__Chunk : pick(in_, kValueTypes));
        const LV2_State_Status status = restoreBytes(bytes, type);
        if (own.empty()) {
            fuzzCheck(status != LV2_STATE_SUCCESS, "no state taken without a map");
            return;
        }
        const bool ours = chunkType && bytes.size() == own.size();
        fuzzCheck((status == LV2_STATE_SUCCESS) == ours, "a restore takes a chunk of its own type and size");
        if (!ours) {
            fuzzCheck(status == LV2_STATE_ERR_BAD_TYPE, "a foreign chunk is a bad type");
            fuzzCheck(saved() == own, "a refused state changes nothing");
        }
        checkSliders();
    }

    void saveAndRestoreExactly() {
        const std::vector<uint8_t> first = saved();
        if (first.empty()) return;
        fuzzCheck(restoreBytes(first, uris().map(LV2_ATOM__Chunk)) == LV2_STATE_SUCCESS,
                  "its own state is taken");
        fuzzCheck(saved() == first, "a saved state saves back unchanged");
    }

    FuzzBytes& in_;
    const LV2_Descriptor* descriptor_ = nullptr;
    LV2_Handle handle_ = nullptr;
    Lv2Instance* instance_ = nullptr;
    const LV2_State_Interface* state_ = nullptr;
    bool active_ = false;
    bool audio_[lv2ports::kTime] = {};  // inputs and outputs connected
    int32_t blockLength_ = 0;
    LV2_Options_Option options_[2] = {};
    LV2_Feature mapFeature_{};
    LV2_Feature optionsFeature_{};
    float controls_[lv2ports::kControlCount];
    float left_[kLongestRun];
    float right_[kLongestRun];
    float outputs_[lv2ports::kOutputCount][kLongestRun];
};

void report() {
    std::fprintf(stderr, "lv2 sessions: %llu, state restores: %llu, time events: %llu\n",
                 static_cast<unsigned long long>(sessions), static_cast<unsigned long long>(stateRestores),
                 static_cast<unsigned long long>(timeEvents));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit(report);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ++sessions;
    FuzzBytes in(data, size);
    auto session = std::make_unique<Session>(in);
    session->run();
    return 0;
}
