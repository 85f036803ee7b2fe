// The panel's parameter changes on their way to the host: the GUI thread writes gesture begin, value
// and gesture end records into a fixed ring, and whoever runs the host's process or flush (one at a
// time, as CLAP promises) hands them on as output events. Nothing allocates and nothing locks.
#pragma once

#include <atomic>
#include <cstdint>

#include <clap/events.h>

class CClapPanelEvents {
  public:
    static constexpr uint32_t kParameters = 64;

    // A panel change of the parameter, its value in the parameter's own units; opens a gesture unless
    // one is open. False when the ring was full and the change is lost to the host. GUI thread.
    bool change(uint32_t parameter, double value);
    // Closes every open gesture (the pointer let go); true when any was closed. GUI thread.
    bool closeGestures();
    bool gestureOpen(uint32_t parameter) const { return parameter < kParameters && open_[parameter]; }

    // Whether records wait for the host. Any thread.
    bool pending() const;
    // Pushes the waiting records to the host's list in the order they came, stopping where the list
    // refuses one. Audio thread, or the GUI thread while the plug-in does not process.
    void deliver(const clap_output_events_t* out);

  private:
    enum class Kind : uint8_t { kBegin, kValue, kEnd };
    struct Record {
        Kind kind = Kind::kValue;
        uint32_t parameter = 0;
        double value = 0;
    };
    static constexpr uint32_t kCapacity = 1024;

    bool push(Kind kind, uint32_t parameter, double value);

    Record ring_[kCapacity];
    std::atomic<uint32_t> written_{0};
    std::atomic<uint32_t> read_{0};
    bool open_[kParameters] = {};
};
