// CLAP's thread model, checked against the host's thread-check where it offers one. Only the test
// builds' module checks (ClapThreads.cpp compiled with ORBITONE_CLAP_THREAD_CHECKS); there a call
// on the wrong thread is reported on stderr and answered safely, in every other build each check is
// true.
#pragma once

#include <clap/ext/thread-check.h>

class CClapThreads {
  public:
    // Main thread, at the plug-in's init.
    void attach(const clap_host_t* host);

    // Whether the caller may go on; `call` names the function in the report. Any thread.
    bool main(const char* call) const;
    bool audio(const char* call) const;
    // For calls CLAP puts on the audio thread while active and on the main thread otherwise.
    bool mainOrAudio(bool active, const char* call) const { return active ? audio(call) : main(call); }

  private:
    const clap_host_t* host_ = nullptr;
    const clap_host_thread_check_t* check_ = nullptr;
};
