#include "tests/vst3/Vst3TestHost.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace vst3test {

namespace {

template <typename T>
T* owner(void* self) {
    return static_cast<T*>(self);
}

v3_result V3_API noInterface(void*, const v3_tuid, void** object) {
    if (object != nullptr) *object = nullptr;
    return V3_NO_INTERFACE;
}

uint32_t V3_API one(void*) {
    return 1;
}

// The stream.
v3_result V3_API streamRead(void* self, void* buffer, int32_t bytes, int32_t* done) {
    auto* s = owner<MemoryStream>(self);
    const size_t n = std::min<size_t>({static_cast<size_t>(std::max(bytes, 0)), s->bytes.size() - s->position,
                                       static_cast<size_t>(s->largestRead)});
    if (n > 0) std::memcpy(buffer, s->bytes.data() + s->position, n);
    s->position += n;
    if (done != nullptr) *done = static_cast<int32_t>(n);
    return V3_OK;
}

v3_result V3_API streamWrite(void* self, void* buffer, int32_t bytes, int32_t* done) {
    auto* s = owner<MemoryStream>(self);
    const auto* data = static_cast<const unsigned char*>(buffer);
    s->bytes.insert(s->bytes.end(), data, data + bytes);
    if (done != nullptr) *done = bytes;
    return V3_OK;
}

v3_result V3_API streamSeek(void* self, int64_t position, int32_t, int64_t* result) {
    auto* s = owner<MemoryStream>(self);
    s->position = std::min<size_t>(static_cast<size_t>(std::max<int64_t>(position, 0)), s->bytes.size());
    if (result != nullptr) *result = static_cast<int64_t>(s->position);
    return V3_OK;
}

v3_result V3_API streamTell(void* self, int64_t* position) {
    if (position != nullptr) *position = static_cast<int64_t>(owner<MemoryStream>(self)->position);
    return V3_OK;
}

struct StreamTable : v3_funknown {
    v3_bstream stream;
};
const StreamTable kStreamTable = {{noInterface, one, one}, {streamRead, streamWrite, streamSeek, streamTell}};

// The parameter changes.
v3_param_id V3_API queueId(void* self) {
    return owner<ParameterChanges::Queue>(self)->id;
}

int32_t V3_API queuePoints(void* self) {
    return static_cast<int32_t>(owner<ParameterChanges::Queue>(self)->points.size());
}

v3_result V3_API queuePoint(void* self, int32_t index, int32_t* offset, double* value) {
    auto* q = owner<ParameterChanges::Queue>(self);
    if (index < 0 || index >= static_cast<int32_t>(q->points.size())) return V3_INVALID_ARG;
    *offset = q->points[static_cast<size_t>(index)].first;
    *value = q->points[static_cast<size_t>(index)].second;
    return V3_OK;
}

v3_result V3_API queueAdd(void*, int32_t, double, int32_t*) {
    return V3_NOT_IMPLEMENTED;
}

const v3_param_value_queue_cpp kQueueTable = {{noInterface, one, one},
                                              {queueId, queuePoints, queuePoint, queueAdd}};

struct ChangesFace {
    const void* table;
    ParameterChanges* owner;
};

int32_t V3_API changesCount(void* self) {
    return static_cast<int32_t>(static_cast<ChangesFace*>(self)->owner->queues.size());
}

v3_param_value_queue** V3_API changesData(void* self, int32_t index) {
    auto& queues = static_cast<ChangesFace*>(self)->owner->queues;
    if (index < 0 || index >= static_cast<int32_t>(queues.size())) return nullptr;
    return reinterpret_cast<v3_param_value_queue**>(&queues[static_cast<size_t>(index)]);
}

v3_param_value_queue** V3_API changesAdd(void*, v3_param_id*, int32_t*) {
    return nullptr;
}

const v3_param_changes_cpp kChangesTable = {{noInterface, one, one}, {changesCount, changesData, changesAdd}};

// The component handler.
struct HandlerFace {
    const void* table;
    Instance* owner;
};

v3_result V3_API beginEdit(void* self, v3_param_id id) {
    static_cast<HandlerFace*>(self)->owner->edits.push_back({'b', id, 0});
    return V3_OK;
}

v3_result V3_API performEdit(void* self, v3_param_id id, double value) {
    static_cast<HandlerFace*>(self)->owner->edits.push_back({'p', id, value});
    return V3_OK;
}

v3_result V3_API endEdit(void* self, v3_param_id id) {
    static_cast<HandlerFace*>(self)->owner->edits.push_back({'e', id, 0});
    return V3_OK;
}

v3_result V3_API restartComponent(void*, int32_t) {
    return V3_OK;
}

struct HandlerTable : v3_funknown {
    v3_component_handler handler;
};
const HandlerTable kHandlerTable = {{noInterface, one, one},
                                    {beginEdit, performEdit, endEdit, restartComponent}};

}  // namespace

// The frame and its run loop.
struct HostFrameCalls {
    static HostFrame* of(void* self) { return static_cast<HostFrame::Face*>(self)->owner; }
    static v3_result V3_API query(void* self, const v3_tuid iid, void** object) {
        if (v3_tuid_match(iid, v3_run_loop_iid)) {
            *object = &of(self)->loop_;
            return V3_OK;
        }
        *object = nullptr;
        return V3_NO_INTERFACE;
    }
    static v3_result V3_API resize(void* self, v3_plugin_view**, v3_view_rect*) {
        ++of(self)->resizes;
        return V3_OK;
    }
    static v3_result V3_API registerHandler(void* self, v3_event_handler** handler, int fd) {
        of(self)->handlers.push_back({handler, fd});
        return V3_OK;
    }
    static v3_result V3_API unregisterHandler(void* self, v3_event_handler** handler) {
        auto& h = of(self)->handlers;
        h.erase(std::remove_if(h.begin(), h.end(), [&](const auto& e) { return e.first == handler; }),
                h.end());
        return V3_OK;
    }
    static v3_result V3_API registerTimer(void* self, v3_timer_handler** timer, uint64_t ms) {
        of(self)->timers.push_back(timer);
        of(self)->periods.push_back(ms);
        return V3_OK;
    }
    static v3_result V3_API unregisterTimer(void* self, v3_timer_handler** timer) {
        auto& t = of(self)->timers;
        t.erase(std::remove(t.begin(), t.end(), timer), t.end());
        return V3_OK;
    }
};

namespace {
const v3_plugin_frame_cpp kFrameTable = {{HostFrameCalls::query, one, one}, {HostFrameCalls::resize}};
const v3_run_loop_cpp kLoopTable = {{HostFrameCalls::query, one, one},
                                    {HostFrameCalls::registerHandler, HostFrameCalls::unregisterHandler,
                                     HostFrameCalls::registerTimer, HostFrameCalls::unregisterTimer}};
}  // namespace

HostFrame::HostFrame() : frame_{&kFrameTable, this}, loop_{&kLoopTable, this} {}

void HostFrame::turn() {
    for (auto [handler, fd] : std::vector<std::pair<v3_event_handler**, int>>(handlers))
        reinterpret_cast<const v3_event_handler_cpp*>(*handler)->handler.on_fd_is_set(handler, fd);
    for (v3_timer_handler** timer : std::vector<v3_timer_handler**>(timers))
        reinterpret_cast<const v3_timer_handler_cpp*>(*timer)->timer.on_timer(timer);
}

namespace {
std::string& modulePath() {
#ifdef ORBITONE_VST3_MODULE
    static std::string path = ORBITONE_VST3_MODULE;
#else
    static std::string path;
#endif
    return path;
}
}  // namespace

void useModule(const std::string& path) {
    modulePath() = path;
}

v3_plugin_factory** factory() {
    static v3_plugin_factory** made = loadVst3Module(modulePath());
    if (made == nullptr) throw std::runtime_error("no factory from " + modulePath());
    return made;
}

std::string text(const int16_t* utf16) {
    std::string s;
    for (; *utf16 != 0; ++utf16) s.push_back(static_cast<char>(*utf16));
    return s;
}

std::vector<int16_t> utf16(const std::string& text) {
    std::vector<int16_t> units(text.begin(), text.end());
    units.push_back(0);
    return units;
}

MemoryStream::MemoryStream() : table(&kStreamTable) {}
MemoryStream::MemoryStream(std::vector<unsigned char> data) : table(&kStreamTable), bytes(std::move(data)) {}

ParameterChanges::ParameterChanges() : face_{&kChangesTable, this} {}

void ParameterChanges::add(v3_param_id id, int32_t offset, double value) {
    for (Queue& q : queues) {
        if (q.id != id) continue;
        q.points.push_back({offset, value});
        return;
    }
    queues.push_back(Queue{&kQueueTable, id, {{offset, value}}});
}

Instance::Instance(double sampleRate, int32_t block, bool doublePrecision)
    : double_(doublePrecision), handler_{&kHandlerTable, this} {
    v3_plugin_factory** f = factory();
    auto* calls = reinterpret_cast<const v3_plugin_factory_cpp*>(*f);
    v3_class_info info{};
    calls->v1.get_class_info(f, 0, &info);
    void* object = nullptr;
    if (calls->v1.create_instance(f, info.class_id, v3_component_iid, &object) != V3_OK)
        throw std::runtime_error("no component");
    component = static_cast<v3_component**>(object);
    componentCalls().base.initialize(component, nullptr);
    componentCalls().query_interface(component, v3_audio_processor_iid, &object);
    processor = static_cast<v3_audio_processor**>(object);
    componentCalls().query_interface(component, v3_edit_controller_iid, &object);
    controller = static_cast<v3_edit_controller**>(object);
    controllerCalls().ctrl.set_component_handler(controller,
                                                 reinterpret_cast<v3_component_handler**>(&handler_));
    v3_speaker_arrangement in = V3_SPEAKER_L | V3_SPEAKER_R;
    v3_speaker_arrangement out =
        V3_SPEAKER_L | V3_SPEAKER_R | V3_SPEAKER_C | V3_SPEAKER_LFE | V3_SPEAKER_LS | V3_SPEAKER_RS;
    processorCalls().proc.set_bus_arrangements(processor, &in, 1, &out, 1);
    v3_process_setup setup{V3_REALTIME, doublePrecision ? V3_SAMPLE_64 : V3_SAMPLE_32, block, sampleRate};
    processorCalls().proc.setup_processing(processor, &setup);
    componentCalls().comp.set_active(component, 1);
    processorCalls().proc.set_processing(processor, 1);
    context.sample_rate = sampleRate;
}

Instance::~Instance() {
    processorCalls().proc.set_processing(processor, 0);
    componentCalls().comp.set_active(component, 0);
    controllerCalls().ctrl.set_component_handler(controller, nullptr);
    componentCalls().base.terminate(component);
    controllerCalls().unref(controller);
    processorCalls().unref(processor);
    componentCalls().unref(component);
}

void Instance::setTransport(bool playing, double tempo) {
    hasContext_ = true;
    context.state = V3_PROCESS_CTX_TEMPO_VALID | V3_PROCESS_CTX_PROJECT_TIME_VALID |
                    V3_PROCESS_CTX_TIME_SIG_VALID | (playing ? V3_PROCESS_CTX_PLAYING : 0);
    context.bpm = tempo;
    context.time_sig_numerator = 4;
    context.time_sig_denom = 4;
}

template <typename Sample>
std::vector<std::vector<Sample>> Instance::run(const std::vector<Sample>& left,
                                               const std::vector<Sample>& right) {
    const auto frames = static_cast<int32_t>(left.size());
    std::vector<std::vector<Sample>> in{left, right};
    std::vector<std::vector<Sample>> out(6, std::vector<Sample>(left.size(), Sample(0.25)));
    std::vector<Sample*> inPtr{in[0].data(), in[1].data()};
    std::vector<Sample*> outPtr;
    for (auto& o : out) outPtr.push_back(o.data());
    v3_audio_bus_buffers inputs{};
    inputs.num_channels = 2;
    v3_audio_bus_buffers outputs{};
    outputs.num_channels = 6;
    if constexpr (sizeof(Sample) == sizeof(double)) {
        inputs.channel_buffers_64 = inPtr.data();
        outputs.channel_buffers_64 = outPtr.data();
    } else {
        inputs.channel_buffers_32 = inPtr.data();
        outputs.channel_buffers_32 = outPtr.data();
    }
    v3_process_data data{};
    data.process_mode = V3_REALTIME;
    data.symbolic_sample_size = sizeof(Sample) == sizeof(double) ? V3_SAMPLE_64 : V3_SAMPLE_32;
    data.nframes = frames;
    data.num_input_buses = 1;
    data.num_output_buses = 1;
    data.inputs = &inputs;
    data.outputs = &outputs;
    data.input_params = pending.queues.empty() ? nullptr : pending.changes();
    data.ctx = hasContext_ ? &context : nullptr;
    processorCalls().proc.process(processor, &data);
    pending.queues.clear();
    if (hasContext_ && (context.state & V3_PROCESS_CTX_PLAYING) != 0) {
        context.project_time_quarters += frames / context.sample_rate * context.bpm / 60.0;
        context.project_time_in_samples += frames;
    }
    return out;
}

std::vector<std::vector<float>> Instance::process(const std::vector<float>& left,
                                                  const std::vector<float>& right) {
    return run(left, right);
}

std::vector<std::vector<double>> Instance::processDouble(const std::vector<double>& left,
                                                         const std::vector<double>& right) {
    return run(left, right);
}

std::vector<unsigned char> Instance::state() {
    MemoryStream stream;
    componentCalls().comp.get_state(component, stream.stream());
    return stream.bytes;
}

v3_result Instance::setState(MemoryStream& stream) {
    return componentCalls().comp.set_state(component, stream.stream());
}

}  // namespace vst3test
