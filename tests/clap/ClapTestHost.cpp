#include "tests/clap/ClapTestHost.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "plugin/clap/ClapPosixFdSupport.h"

namespace claptest {

namespace {

// Set while the host runs one of its audio-thread calls.
thread_local bool inAudio = false;

struct AudioScope {
    AudioScope() { inAudio = true; }
    ~AudioScope() { inAudio = false; }
};

struct InputList {
    clap_input_events_t list;
    const std::vector<std::vector<uint8_t>>* events;
};

uint32_t CLAP_ABI listSize(const clap_input_events_t* list) {
    return static_cast<uint32_t>(static_cast<const InputList*>(list->ctx)->events->size());
}

const clap_event_header_t* CLAP_ABI listGet(const clap_input_events_t* list, uint32_t index) {
    const auto& events = *static_cast<const InputList*>(list->ctx)->events;
    return index < events.size() ? reinterpret_cast<const clap_event_header_t*>(events[index].data())
                                 : nullptr;
}

bool CLAP_ABI pushOut(const clap_output_events_t* list, const clap_event_header_t* event) {
    auto& out = *static_cast<std::vector<OutEvent>*>(list->ctx);
    if (event->type == CLAP_EVENT_PARAM_VALUE) {
        const auto* value = reinterpret_cast<const clap_event_param_value_t*>(event);
        out.push_back({event->type, value->param_id, value->value});
    } else {
        const auto* gesture = reinterpret_cast<const clap_event_param_gesture_t*>(event);
        out.push_back({event->type, gesture->param_id, 0});
    }
    return true;
}

template <typename Event>
std::vector<uint8_t> bytesOf(const Event& event) {
    std::vector<uint8_t> bytes(sizeof event);
    std::memcpy(bytes.data(), &event, sizeof event);
    return bytes;
}

}  // namespace

Module& Module::orbitone() {
    static Module module(ORBITONE_CLAP_MODULE);
    return module;
}

Module::Module(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) return;
    entry_ = static_cast<const clap_plugin_entry_t*>(dlsym(handle_, "clap_entry"));
    if (entry_ == nullptr || !entry_->init(path.c_str())) return;
    factory_ = static_cast<const clap_plugin_factory_t*>(entry_->get_factory(CLAP_PLUGIN_FACTORY_ID));
}

Module::~Module() {
    if (factory_ != nullptr) entry_->deinit();
    // The module stays mapped: fontconfig and Cairo keep process-long state it fed.
}

Plugin::Plugin(bool withFd) : withFd_(withFd), mainThread_(std::this_thread::get_id()) {
    host_ = clap_host_t{CLAP_VERSION_INIT,
                        this,
                        "Orbitone test host",
                        "Velmora",
                        "",
                        "1.0",
                        hostExtension,
                        [](const clap_host_t*) {},
                        [](const clap_host_t*) {},
                        [](const clap_host_t*) {}};
    transport_.header = {sizeof transport_, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_TRANSPORT, 0};
    transport_.flags = CLAP_TRANSPORT_HAS_TEMPO;
    transport_.tempo = 120;
    next_ = transport_;
    const clap_plugin_factory_t* factory = Module::orbitone().factory();
    if (factory == nullptr) return;
    plugin_ = factory->create_plugin(factory, &host_, "com.velmora.orbitone");
    if (plugin_ != nullptr && !plugin_->init(plugin_)) {
        plugin_->destroy(plugin_);
        plugin_ = nullptr;
    }
}

Plugin::~Plugin() {
    if (plugin_ != nullptr) {
        stop();
        plugin_->destroy(plugin_);
    }
    EXPECT_EQ(wrongThread, 0) << "the plug-in called the host from a thread it must not use";
}

const void* CLAP_ABI Plugin::hostExtension(const clap_host_t* host, const char* id) {
    static const clap_host_thread_check_t threads = {
        [](const clap_host_t* h) {
            const bool main = std::this_thread::get_id() == of(h).mainThread_ && !inAudio;
            if (!main) ++of(h).wrongThread;
            return main;
        },
        [](const clap_host_t* h) {
            if (!inAudio) ++of(h).wrongThread;
            return inAudio;
        }};
    static const clap_host_params_t params = {
        [](const clap_host_t* h, clap_param_rescan_flags) { ++of(h).rescans; },
        [](const clap_host_t*, clap_id, clap_param_clear_flags) {},
        [](const clap_host_t* h) {
            if (inAudio) ++of(h).wrongThread;
            ++of(h).flushRequests;
        }};
    static const clap_host_timer_support_t timers = {
        [](const clap_host_t* h, uint32_t period, clap_id* id) {
            *id = of(h).nextTimer_++;
            of(h).timers[*id] = period;
            return true;
        },
        [](const clap_host_t* h, clap_id id) { return of(h).timers.erase(id) == 1; }};
    static const clap_host_posix_fd_support_t fds = {[](const clap_host_t* h, int fd, uint32_t) {
                                                         of(h).fds.push_back(fd);
                                                         return true;
                                                     },
                                                     [](const clap_host_t*, int, uint32_t) { return true; },
                                                     [](const clap_host_t* h, int fd) {
                                                         auto& list = of(h).fds;
                                                         const auto found =
                                                             std::find(list.begin(), list.end(), fd);
                                                         if (found == list.end()) return false;
                                                         list.erase(found);
                                                         return true;
                                                     }};
    if (std::strcmp(id, CLAP_EXT_THREAD_CHECK) == 0) return &threads;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0) return &params;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0) return &timers;
    if (std::strcmp(id, kClapExtPosixFdSupport) == 0 && of(host).withFd_) return &fds;
    return nullptr;
}

bool Plugin::start(double sampleRate, uint32_t maxFrames) {
    if (plugin_ == nullptr || !plugin_->activate(plugin_, sampleRate, 1, maxFrames)) return false;
    active_ = true;
    AudioScope audio;
    processing_ = plugin_->start_processing(plugin_);
    return processing_;
}

void Plugin::pause() {
    if (!processing_) return;
    AudioScope audio;
    plugin_->stop_processing(plugin_);
    processing_ = false;
}

void Plugin::stop() {
    if (!active_) return;
    pause();
    plugin_->deactivate(plugin_);
    active_ = false;
}

void Plugin::setParameter(clap_id id, double value, uint32_t frame) {
    clap_event_param_value_t event{};
    event.header = {sizeof event, frame, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = id;
    event.note_id = -1;
    event.port_index = event.channel = event.key = -1;
    event.value = value;
    events_.push_back(bytesOf(event));
}

void Plugin::setPlaying(bool playing, uint32_t frame) {
    hasTransport_ = true;
    clap_event_transport_t changed = transport_;
    changed.flags = CLAP_TRANSPORT_HAS_TEMPO | (playing ? CLAP_TRANSPORT_IS_PLAYING : 0);
    changed.header.time = frame;
    // Inside the block: an event there, and the next block's transport says the same.
    if (frame > 0) events_.push_back(bytesOf(changed));
    next_ = changed;
    next_.header.time = 0;
    if (frame == 0) transport_ = next_;
}

void Plugin::sortEvents() {
    std::stable_sort(events_.begin(), events_.end(), [](const auto& a, const auto& b) {
        return reinterpret_cast<const clap_event_header_t*>(a.data())->time <
               reinterpret_cast<const clap_event_header_t*>(b.data())->time;
    });
}

Channels Plugin::process(const std::vector<float>& left, const std::vector<float>& right) {
    const size_t frames = left.size();
    Channels in{left, right};
    Channels outputs(6, std::vector<float>(frames, 0.0f));
    float* inPtr[2] = {in[0].data(), in[1].data()};
    float* outPtr[6];
    for (size_t k = 0; k < 6; ++k) outPtr[k] = outputs[k].data();
    clap_audio_buffer_t inputBuffer{inPtr, nullptr, 2, 0, 0};
    clap_audio_buffer_t outputBuffer{outPtr, nullptr, 6, 0, 0};
    sortEvents();
    InputList inputs{{nullptr, listSize, listGet}, &events_};
    inputs.list.ctx = &inputs;
    out.clear();
    clap_output_events_t outList{&out, pushOut};
    const clap_process_t call{-1,
                              static_cast<uint32_t>(frames),
                              hasTransport_ ? &transport_ : nullptr,
                              &inputBuffer,
                              &outputBuffer,
                              1,
                              1,
                              &inputs.list,
                              &outList};
    {
        AudioScope audio;
        EXPECT_EQ(plugin_->process(plugin_, &call), CLAP_PROCESS_CONTINUE);
    }
    events_.clear();
    transport_ = next_;
    return outputs;
}

void Plugin::flush() {
    sortEvents();
    InputList inputs{{nullptr, listSize, listGet}, &events_};
    inputs.list.ctx = &inputs;
    out.clear();
    clap_output_events_t outList{&out, pushOut};
    const auto* params = extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    if (active_) {
        AudioScope audio;
        params->flush(plugin_, &inputs.list, &outList);
    } else {
        params->flush(plugin_, &inputs.list, &outList);
    }
    events_.clear();
}

double Plugin::value(clap_id id) const {
    double v = NAN;
    extension<clap_plugin_params_t>(CLAP_EXT_PARAMS)->get_value(plugin_, id, &v);
    return v;
}

std::string Plugin::text(clap_id id, double value) const {
    char display[CLAP_NAME_SIZE] = {};
    if (!extension<clap_plugin_params_t>(CLAP_EXT_PARAMS)
             ->value_to_text(plugin_, id, value, display, sizeof display))
        return "(none)";
    return display;
}

std::vector<uint8_t> Plugin::save() const {
    std::vector<uint8_t> bytes;
    clap_ostream_t stream{&bytes, [](const clap_ostream_t* s, const void* data, uint64_t size) -> int64_t {
                              auto& target = *static_cast<std::vector<uint8_t>*>(s->ctx);
                              const auto* from = static_cast<const uint8_t*>(data);
                              // A host may take less than offered.
                              const uint64_t taken = std::min<uint64_t>(size, 100);
                              target.insert(target.end(), from, from + taken);
                              return static_cast<int64_t>(taken);
                          }};
    if (!extension<clap_plugin_state_t>(CLAP_EXT_STATE)->save(plugin_, &stream)) return {};
    return bytes;
}

bool Plugin::load(const std::vector<uint8_t>& bytes, size_t piece) const {
    struct Source {
        const std::vector<uint8_t>* bytes;
        size_t at;
        size_t piece;
    } source{&bytes, 0, piece};
    clap_istream_t stream{
        &source, [](const clap_istream_t* s, void* buffer, uint64_t size) -> int64_t {
            auto& from = *static_cast<Source*>(s->ctx);
            const size_t n = std::min<size_t>({size, from.piece, from.bytes->size() - from.at});
            if (n > 0) std::memcpy(buffer, from.bytes->data() + from.at, n);
            from.at += n;
            return static_cast<int64_t>(n);
        }};
    return extension<clap_plugin_state_t>(CLAP_EXT_STATE)->load(plugin_, &stream);
}

void Plugin::idle() {
    const auto* timer = extension<clap_plugin_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
    const auto* fd = extension<clap_plugin_posix_fd_support_t>(kClapExtPosixFdSupport);
    const auto registered = timers;
    for (const auto& entry : registered) timer->on_timer(plugin_, entry.first);
    const auto watched = fds;
    for (int descriptor : watched) fd->on_fd(plugin_, descriptor, kClapPosixFdRead);
}

std::vector<float> signal(int frames, int seed, int offset) {
    std::vector<float> s(static_cast<size_t>(frames));
    for (int j = 0; j < frames; ++j) {
        const double t = j + offset;
        s[static_cast<size_t>(j)] = static_cast<float>(0.6 * std::sin(t * (0.013 + 0.007 * seed)) +
                                                       0.3 * std::sin(t * 0.0021 * (seed + 1)));
    }
    return s;
}

}  // namespace claptest
