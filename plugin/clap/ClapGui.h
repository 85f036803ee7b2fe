// The panel under CLAP's gui extension: embedded in the host's window (X11 or Win32), 1130 x 540 and
// not resizable, refreshed from the host's timer and, where the host watches descriptors, whenever
// the panel's window-system connection has events.
#pragma once

#include <clap/ext/gui.h>
#include <clap/ext/timer-support.h>

#include <memory>

#include "editor/PanelWindow.h"
#include "plugin/clap/ClapPosixFdSupport.h"

class CClapAdapter;

class CClapGui {
  public:
    CClapGui() = default;
    ~CClapGui();
    CClapGui(const CClapGui&) = delete;
    CClapGui& operator=(const CClapGui&) = delete;

    // Main thread (all below).
    void attach(const clap_host_t* host, CClapAdapter* adapter);
    bool supports(const char* api, bool floating) const;
    bool create(const char* api, bool floating);
    void destroy();
    bool size(uint32_t& width, uint32_t& height) const;
    bool setParent(const clap_window_t* window);
    // The host's timer and descriptor events: the timed refresh and the window's events, then the
    // panel's changes towards the host.
    void timer(clap_id id);
    void descriptor(int fd);

  private:
    void refresh();

    const clap_host_t* host_ = nullptr;
    CClapAdapter* adapter_ = nullptr;
    const clap_host_timer_support_t* timers_ = nullptr;
    const clap_host_posix_fd_support_t* descriptors_ = nullptr;
    std::unique_ptr<CPanelWindow> window_;
    clap_id timer_ = CLAP_INVALID_ID;
    int fd_ = -1;
};

const clap_plugin_gui_t* clapGuiExtension();
const clap_plugin_timer_support_t* clapTimerExtension();
const clap_plugin_posix_fd_support_t* clapPosixFdExtension();
