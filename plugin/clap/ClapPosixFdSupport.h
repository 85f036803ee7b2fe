// CLAP's posix-fd-support extension, declared after the published CLAP 1.1 header
// (ext/posix-fd-support.h), which the packaged headers leave out.
#pragma once

#include <clap/plugin.h>

static CLAP_CONSTEXPR const char kClapExtPosixFdSupport[] = "clap.posix-fd-support";

enum : uint32_t {
    kClapPosixFdRead = 1 << 0,
    kClapPosixFdWrite = 1 << 1,
    kClapPosixFdError = 1 << 2,
};

extern "C" {

typedef struct clap_plugin_posix_fd_support {
    // Level-triggered. [main-thread]
    void(CLAP_ABI* on_fd)(const clap_plugin_t* plugin, int fd, uint32_t flags);
} clap_plugin_posix_fd_support_t;

typedef struct clap_host_posix_fd_support {
    // Each answers true on success. [main-thread]
    bool(CLAP_ABI* register_fd)(const clap_host_t* host, int fd, uint32_t flags);
    bool(CLAP_ABI* modify_fd)(const clap_host_t* host, int fd, uint32_t flags);
    bool(CLAP_ABI* unregister_fd)(const clap_host_t* host, int fd);
} clap_host_posix_fd_support_t;

}  // extern "C"
