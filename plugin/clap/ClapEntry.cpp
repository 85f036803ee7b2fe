// The module's one export: CLAP's entry with a factory of one plug-in.
#include <clap/entry.h>
#include <clap/plugin-factory.h>

#include <cstring>

#include "OrbitoneVersion.h"
#include "plugin/clap/ClapPlugin.h"

namespace {

const char* kFeatures[] = {CLAP_PLUGIN_FEATURE_AUDIO_EFFECT, CLAP_PLUGIN_FEATURE_SURROUND,
                           CLAP_PLUGIN_FEATURE_STEREO, nullptr};

}  // namespace

// The id stays as it is for good: hosts keep projects' instances by it.
const clap_plugin_descriptor_t kClapDescriptor = {
    CLAP_VERSION_INIT,
    "com.velmora.orbitone",
    "Orbitone",
    "Velmora",
    "",
    "",
    "",
    ORBITONE_VERSION,
    "Surround panner: a stereo input, or two mono inputs, placed and moved in a 5.1 field",
    kFeatures};

namespace {

uint32_t CLAP_ABI pluginCount(const clap_plugin_factory_t*) {
    return 1;
}

const clap_plugin_descriptor_t* CLAP_ABI descriptor(const clap_plugin_factory_t*, uint32_t index) {
    return index == 0 ? &kClapDescriptor : nullptr;
}

const clap_plugin_t* CLAP_ABI createPlugin(const clap_plugin_factory_t*, const clap_host_t* host,
                                           const char* id) {
    if (id == nullptr || std::strcmp(id, kClapDescriptor.id) != 0) return nullptr;
    return createClapPlugin(host);
}

const clap_plugin_factory_t kFactory = {pluginCount, descriptor, createPlugin};

bool CLAP_ABI entryInit(const char*) {
    return true;
}

void CLAP_ABI entryDeinit() {}

const void* CLAP_ABI factory(const char* id) {
    return id != nullptr && std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) == 0 ? &kFactory : nullptr;
}

}  // namespace

extern "C" CLAP_EXPORT const clap_plugin_entry_t clap_entry = {CLAP_VERSION_INIT, entryInit, entryDeinit,
                                                               factory};
