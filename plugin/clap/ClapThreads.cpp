#include "plugin/clap/ClapThreads.h"

#include <cstdio>

#include "plugin/clap/ClapHostExtension.h"

void CClapThreads::attach(const clap_host_t* host) {
    host_ = host;
    if (host == nullptr || host->get_extension == nullptr) return;
    const auto* check =
        static_cast<const clap_host_thread_check_t*>(host->get_extension(host, CLAP_EXT_THREAD_CHECK));
    if (check != nullptr && check->is_main_thread != nullptr && check->is_audio_thread != nullptr)
        check_ = check;
}

#ifdef ORBITONE_CLAP_THREAD_CHECKS

namespace {
bool report(const char* call, const char* thread) {
    std::fprintf(stderr, "Orbitone: %s called off the %s thread\n", call, thread);
    return false;
}
}  // namespace

bool CClapThreads::main(const char* call) const {
    return check_ == nullptr || check_->is_main_thread(host_) || report(call, "main");
}

bool CClapThreads::audio(const char* call) const {
    return check_ == nullptr || check_->is_audio_thread(host_) || report(call, "audio");
}

#else

bool CClapThreads::main(const char*) const {
    return true;
}

bool CClapThreads::audio(const char*) const {
    return true;
}

#endif
