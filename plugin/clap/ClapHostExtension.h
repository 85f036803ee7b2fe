// A host extension by its id, or null when the host record or its lookup is missing.
#pragma once

#include <clap/host.h>

template <typename Extension>
const Extension* clapHostExtension(const clap_host_t* host, const char* id) {
    if (host == nullptr || host->get_extension == nullptr) return nullptr;
    return static_cast<const Extension*>(host->get_extension(host, id));
}
