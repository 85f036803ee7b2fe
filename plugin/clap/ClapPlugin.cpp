#include "plugin/clap/ClapPlugin.h"

#include <cstring>

#include "plugin/clap/ClapAdapter.h"
#include "plugin/clap/ClapGui.h"
#include "plugin/clap/ClapInstance.h"
#include "plugin/clap/ClapParams.h"
#include "plugin/clap/ClapPorts.h"
#include "plugin/clap/ClapProcess.h"
#include "plugin/clap/ClapState.h"

namespace {

// Before init: the record exists, the adapter does not.
ClapInstance* uninitialised(const clap_plugin_t* plugin) {
    return plugin != nullptr ? static_cast<ClapInstance*>(plugin->plugin_data) : nullptr;
}

bool CLAP_ABI init(const clap_plugin_t* plugin) {
    ClapInstance* instance = uninitialised(plugin);
    if (instance == nullptr || instance->adapter != nullptr) return false;
    instance->threads.attach(instance->host);
    if (!instance->threads.main("clap_plugin.init")) return false;
    instance->adapter = assembleClapAdapter(instance->host);
    instance->gui.attach(instance->host, instance->adapter);
    return true;
}

void CLAP_ABI destroy(const clap_plugin_t* plugin) {
    ClapInstance* instance = uninitialised(plugin);
    if (instance == nullptr) return;
    if (CClapAdapter* adapter = instance->adapter) {
        instance->gui.destroy();
        if (instance->active) adapter->calls.suspend();
        adapter->calls.close();
        delete adapter;
    }
    delete instance;
}

// The sample rate and the largest block are known from here on; the effect starts as a VST host's
// resume starts it.
bool CLAP_ABI activate(const clap_plugin_t* plugin, double sampleRate, uint32_t, uint32_t maxFrames) {
    ClapInstance* instance = clapInstanceOf(plugin);
    if (instance == nullptr || !instance->threads.main("clap_plugin.activate") || instance->active)
        return false;
    if (!(sampleRate > 0) || sampleRate > 1e7) return false;
    CClapAdapter& adapter = *instance->adapter;
    adapter.setProcessing(sampleRate, maxFrames <= INT32_MAX ? static_cast<int32_t>(maxFrames) : INT32_MAX);
    adapter.calls.resume();
    instance->active = true;
    return true;
}

void CLAP_ABI deactivate(const clap_plugin_t* plugin) {
    ClapInstance* instance = clapInstanceOf(plugin);
    if (instance == nullptr || !instance->threads.main("clap_plugin.deactivate") || !instance->active) return;
    instance->adapter->calls.suspend();
    instance->active = false;
}

bool CLAP_ABI startProcessing(const clap_plugin_t* plugin) {
    ClapInstance* instance = clapInstanceOf(plugin);
    if (instance == nullptr || !instance->threads.audio("clap_plugin.start_processing") || !instance->active)
        return false;
    instance->adapter->processing.store(true, std::memory_order_release);
    return true;
}

void CLAP_ABI stopProcessing(const clap_plugin_t* plugin) {
    ClapInstance* instance = clapInstanceOf(plugin);
    if (instance == nullptr || !instance->threads.audio("clap_plugin.stop_processing")) return;
    instance->adapter->processing.store(false, std::memory_order_release);
}

// The effect's motion and smoothing start again where the parameters stand, as after a VST resume.
void CLAP_ABI reset(const clap_plugin_t* plugin) {
    ClapInstance* instance = clapInstanceOf(plugin);
    if (instance == nullptr || !instance->threads.audio("clap_plugin.reset") || !instance->active) return;
    instance->adapter->calls.resume();
}

clap_process_status CLAP_ABI process(const clap_plugin_t* plugin, const clap_process_t* data) {
    ClapInstance* instance = clapInstanceOf(plugin);
    if (instance == nullptr || !instance->threads.audio("clap_plugin.process") || !instance->active)
        return CLAP_PROCESS_ERROR;
    return processClapBlock(*instance->adapter, data);
}

const void* CLAP_ABI extension(const clap_plugin_t* plugin, const char* id) {
    if (clapInstanceOf(plugin) == nullptr || id == nullptr) return nullptr;
    auto is = [id](const char* name) { return std::strcmp(id, name) == 0; };
    if (is(CLAP_EXT_AUDIO_PORTS)) return clapAudioPortsExtension();
    if (is(kClapExtSurround) || is(kClapExtSurroundDraft)) return clapSurroundExtension();
    if (is(CLAP_EXT_PARAMS)) return clapParamsExtension();
    if (is(CLAP_EXT_STATE)) return clapStateExtension();
    if (is(CLAP_EXT_GUI)) return clapGuiExtension();
    if (is(CLAP_EXT_TIMER_SUPPORT)) return clapTimerExtension();
    if (is(kClapExtPosixFdSupport)) return clapPosixFdExtension();
    return nullptr;
}

// Nothing is ever asked for on the main thread.
void CLAP_ABI onMainThread(const clap_plugin_t*) {}

}  // namespace

const clap_plugin_t* createClapPlugin(const clap_host_t* host) {
    if (host == nullptr || !clap_version_is_compatible(host->clap_version)) return nullptr;
    auto* instance = new ClapInstance;
    instance->host = host;
    instance->plugin =
        clap_plugin_t{&kClapDescriptor, instance,       init,  destroy, activate,  deactivate,
                      startProcessing,  stopProcessing, reset, process, extension, onMainThread};
    return &instance->plugin;
}
