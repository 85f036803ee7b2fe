#include "plugin/vst3/Vst3Adapter.h"

#include "plugin/boundary/MonotonicClock.h"
#include "plugin/vst3/Vst3Face.h"
#include "plugin/vst3/Vst3Parameters.h"

namespace {

constexpr uint32_t kTimeValid = V3_PROCESS_CTX_PROJECT_TIME_VALID;

}  // namespace

CVst3Adapter::CVst3Adapter(TQuill* effect, const LumoBridge& bridge) : CAdapterKit(effect, bridge) {
    calls.init();
}

CVst3Adapter::~CVst3Adapter() {
    setComponentHandler(nullptr);
    calls.destroy();
    effect = nullptr;
}

bool CVst3Adapter::hostTime(int32_t, HostTime& time) {
    if (!timeKnown_.load(std::memory_order_relaxed)) return false;
    time.tempo = tempo_.load(std::memory_order_relaxed);
    time.ppqPos = ppqPos_.load(std::memory_order_relaxed);
    time.barStartPos = barStart_.load(std::memory_order_relaxed);
    time.timeSigNumerator = numerator_.load(std::memory_order_relaxed);
    time.timeSigDenominator = denominator_.load(std::memory_order_relaxed);
    time.playing = playing_.load(std::memory_order_relaxed);
    time.recording = recording_.load(std::memory_order_relaxed);
    return true;
}

void CVst3Adapter::automateParameter(int32_t index, double normalisedValue) {
    if (effect == nullptr || index < 0 || index >= 64) return;
    const auto id = static_cast<v3_param_id>(index);
    calls.setParameter(index, static_cast<float>(normalisedValue));
    if (handler_ == nullptr) return;
    lastEdit_ = platform::monotonicMilliseconds();
    const uint64_t bit = uint64_t{1} << index;
    if ((openEdits_ & bit) == 0) {
        openEdits_ |= bit;
        callsOf(handler_).begin_edit(handler_, id);
    }
    callsOf(handler_).perform_edit(handler_, id, vst3CurrentNormalised(*effect, id));
}

void CVst3Adapter::endGestures() {
    if (handler_ == nullptr) {
        openEdits_ = 0;
        return;
    }
    for (int32_t index = 0; openEdits_ != 0; ++index) {
        const uint64_t bit = uint64_t{1} << index;
        if ((openEdits_ & bit) == 0) continue;
        openEdits_ &= ~bit;
        callsOf(handler_).end_edit(handler_, static_cast<v3_param_id>(index));
    }
}

void CVst3Adapter::takeTransport(const v3_process_context* context, int32_t offset) {
    if (context == nullptr) {
        timeKnown_.store(false, std::memory_order_relaxed);
        return;
    }
    const uint32_t state = context->state;
    const bool playing = (state & V3_PROCESS_CTX_PLAYING) != 0;
    const double tempo = (state & V3_PROCESS_CTX_TEMPO_VALID) != 0 ? context->bpm : 0;
    double ppq = (state & kTimeValid) != 0 ? context->project_time_quarters : 0;
    const double rate = hostSampleRate();
    // The context tells the block's first frame; a later span is that far on while playing.
    if (playing && offset > 0 && rate > 0) ppq += offset / rate * tempo / 60.0;
    tempo_.store(tempo, std::memory_order_relaxed);
    ppqPos_.store(ppq, std::memory_order_relaxed);
    barStart_.store((state & V3_PROCESS_CTX_BAR_POSITION_VALID) != 0 ? context->bar_position_quarters : 0,
                    std::memory_order_relaxed);
    const bool signature = (state & V3_PROCESS_CTX_TIME_SIG_VALID) != 0;
    numerator_.store(signature ? context->time_sig_numerator : 0, std::memory_order_relaxed);
    denominator_.store(signature ? context->time_sig_denom : 0, std::memory_order_relaxed);
    playing_.store(playing, std::memory_order_relaxed);
    recording_.store((state & V3_PROCESS_CTX_RECORDING) != 0, std::memory_order_relaxed);
    timeKnown_.store(true, std::memory_order_relaxed);
}

void CVst3Adapter::setComponentHandler(v3_component_handler** handler) {
    if (handler == handler_) return;
    endGestures();
    if (handler != nullptr) unknownOf(handler).ref(handler);
    if (handler_ != nullptr) unknownOf(handler_).unref(handler_);
    handler_ = handler;
}
