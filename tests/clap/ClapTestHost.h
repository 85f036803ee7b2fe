// A small CLAP host for tests: loads the module from the build tree, offers thread-check, params,
// state, timer-support and posix-fd-support, and runs process calls with timed input events. Every
// call the plug-in makes on the wrong thread, by the host's own thread-check, fails the test.
#pragma once

#include <clap/entry.h>
#include <clap/ext/audio-ports.h>
#include <clap/ext/gui.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>
#include <clap/ext/thread-check.h>
#include <clap/ext/timer-support.h>
#include <clap/plugin-factory.h>

#include <cstdint>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace claptest {

using Channels = std::vector<std::vector<float>>;

// The module under test (or another path), opened once per path and process.
class Module {
  public:
    static Module& orbitone();
    explicit Module(const std::string& path);
    ~Module();
    const clap_plugin_entry_t* entry() const { return entry_; }
    const clap_plugin_factory_t* factory() const { return factory_; }

  private:
    void* handle_ = nullptr;
    const clap_plugin_entry_t* entry_ = nullptr;
    const clap_plugin_factory_t* factory_ = nullptr;
};

// What the plug-in sent during the last process or flush.
struct OutEvent {
    uint16_t type;
    clap_id param;
    double value;
};

class Plugin {
  public:
    // withFd false: the host offers no posix-fd-support.
    explicit Plugin(bool withFd = true);
    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    const clap_plugin_t* plugin() const { return plugin_; }
    template <typename T>
    const T* extension(const char* id) const {
        return static_cast<const T*>(plugin_->get_extension(plugin_, id));
    }

    // Activates and starts processing.
    bool start(double sampleRate = 44100, uint32_t maxFrames = 512);
    // Stops processing and stays active.
    void pause();
    void stop();
    bool processing() const { return processing_; }

    // Queued for the next process or flush, at the frame given; values in the parameters' units.
    void setParameter(clap_id id, double value, uint32_t frame = 0);
    // The process call's transport from now on; a transport event at the frame given when frame > 0.
    void setPlaying(bool playing, uint32_t frame = 0);
    void setFreeRunning() { hasTransport_ = false; }
    // One process call on the audio thread with the two inputs given.
    Channels process(const std::vector<float>& left, const std::vector<float>& right);
    void flush();
    double value(clap_id id) const;
    std::string text(clap_id id, double value) const;

    std::vector<uint8_t> save() const;
    // Fed to the plug-in in pieces of at most `piece` bytes.
    bool load(const std::vector<uint8_t>& bytes, size_t piece = 1 << 20) const;

    // Runs every registered timer and descriptor once, as one turn of a host's loop. Main thread.
    void idle();

    std::vector<OutEvent> out;
    int flushRequests = 0;
    int rescans = 0;
    std::map<clap_id, uint32_t> timers;
    std::vector<int> fds;
    // Calls the plug-in made from a thread the host did not expect.
    int wrongThread = 0;

  private:
    static const void* CLAP_ABI hostExtension(const clap_host_t* host, const char* id);
    static Plugin& of(const clap_host_t* host) { return *static_cast<Plugin*>(host->host_data); }
    void sortEvents();

    clap_host_t host_{};
    const clap_plugin_t* plugin_ = nullptr;
    bool withFd_;
    bool active_ = false;
    bool processing_ = false;
    bool hasTransport_ = true;
    // At the next block's first frame, and after the events queued for it.
    clap_event_transport_t transport_{};
    clap_event_transport_t next_{};
    // Events queued for the next call, each a whole event record, in the order of their frames.
    std::vector<std::vector<uint8_t>> events_;
    std::thread::id mainThread_;
    clap_id nextTimer_ = 1;
};

// A deterministic test signal.
std::vector<float> signal(int frames, int seed, int offset = 0);

}  // namespace claptest
