// The DSP binary's LV2 descriptor: an instance is the effect, the bridge table and the LV2 adapter
// around both, as the VST entry point makes them.
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cstring>

#include "effect/QuillEffect.h"
#include "plugin/bridge/InstanceAssembly.h"
#include "plugin/lv2/Lv2Instance.h"
#include "plugin/lv2/Lv2Run.h"
#include "plugin/lv2/Lv2State.h"

#define ORBITONE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr const char* kPluginUri = "urn:velmora:orbitone";
// What the VST edition assumes until a host says otherwise.
constexpr int32_t kDefaultBlockSize = 1024;

const void* featureData(const LV2_Feature* const* features, const char* uri) {
    if (features == nullptr) return nullptr;
    for (const LV2_Feature* const* f = features; *f != nullptr; ++f) {
        if ((*f)->URI != nullptr && std::strcmp((*f)->URI, uri) == 0) return (*f)->data;
    }
    return nullptr;
}

// The nominal block length when the host gives one, else the maximum, else the VST default.
int32_t blockSizeOf(const LV2_Options_Option* options, const LV2_URID_Map* map) {
    if (options == nullptr || map == nullptr) return kDefaultBlockSize;
    const LV2_URID nominal = map->map(map->handle, LV2_BUF_SIZE__nominalBlockLength);
    const LV2_URID maximum = map->map(map->handle, LV2_BUF_SIZE__maxBlockLength);
    const LV2_URID intType = map->map(map->handle, LV2_ATOM__Int);
    int32_t found = 0;
    for (const LV2_Options_Option* o = options; o->key != 0; ++o) {
        if (o->type != intType || o->size < sizeof(int32_t) || o->value == nullptr) continue;
        const int32_t value = *static_cast<const int32_t*>(o->value);
        if (value <= 0) continue;
        if (o->key == nominal) return value;
        if (o->key == maximum) found = value;
    }
    return found > 0 ? found : kDefaultBlockSize;
}

LV2_Handle instantiate(const LV2_Descriptor*, double sampleRate, const char*,
                       const LV2_Feature* const* features) {
    if (!(sampleRate > 0)) return nullptr;
    const auto* map = static_cast<const LV2_URID_Map*>(featureData(features, LV2_URID__map));
    if (map != nullptr && map->map == nullptr) map = nullptr;
    const auto* options = static_cast<const LV2_Options_Option*>(featureData(features, LV2_OPTIONS__options));

    const int32_t blockSize = blockSizeOf(options, map);
    auto* instance = new Lv2Instance;
    auto* effect = new TQuillEffect();
    instance->adapter = assembleInstance(effect, [&](TQuill* hosted, const LumoBridge& bridge) {
        return new CLv2Adapter(hosted, bridge, sampleRate, blockSize);
    });
    instance->effect = effect;
    instance->kit = instance->adapter;
    instance->adapter->transport.mapUris(map);
    if (map != nullptr) {
        instance->stateKey = map->map(map->handle, kLv2StateChunkUri);
        instance->chunkType = map->map(map->handle, LV2_ATOM__Chunk);
    }
    instance->adapter->calls.open();
    return instance;
}

void connectPort(LV2_Handle handle, uint32_t port, void* data) {
    auto* instance = static_cast<Lv2Instance*>(handle);
    if (instance == nullptr) return;
    if (port == lv2ports::kInputLeft || port == lv2ports::kInputRight) {
        instance->inputs[port - lv2ports::kInputLeft] = static_cast<const float*>(data);
    } else if (port >= lv2ports::kFirstOutput && port < lv2ports::kFirstOutput + lv2ports::kOutputCount) {
        instance->outputs[port - lv2ports::kFirstOutput] = static_cast<float*>(data);
    } else if (port == lv2ports::kTime) {
        instance->time = static_cast<const LV2_Atom_Sequence*>(data);
    } else if (lv2ports::isControlPort(port)) {
        instance->controls.connect(port - lv2ports::kFirstControl, static_cast<const float*>(data));
    }
}

// Controls the host has already connected are applied before the resume, as a VST host sets its
// parameters before switching the effect on: the resume then starts the positions where they are
// set instead of gliding there from the defaults. Controls set later, and a state restored, before
// the first run start there too (Lv2FirstRun.h).
void activate(LV2_Handle handle) {
    auto* instance = static_cast<Lv2Instance*>(handle);
    CLv2Adapter* adapter = instance->adapter;
    instance->controls.apply(*adapter);
    adapter->calls.resume();
    instance->firstRun.activated();
}

void run(LV2_Handle handle, uint32_t frames) {
    runLv2Instance(*static_cast<Lv2Instance*>(handle), frames);
}

void deactivate(LV2_Handle handle) {
    static_cast<Lv2Instance*>(handle)->adapter->calls.suspend();
}

void cleanup(LV2_Handle handle) {
    auto* instance = static_cast<Lv2Instance*>(handle);
    if (instance == nullptr) return;
    instance->adapter->calls.close();
    delete instance->adapter;
    delete instance;
}

const void* extensionData(const char* uri) {
    if (uri != nullptr && std::strcmp(uri, LV2_STATE__interface) == 0) return lv2StateInterface();
    return nullptr;
}

const LV2_Descriptor kDescriptor = {kPluginUri, instantiate, connectPort, activate,
                                    run,        deactivate,  cleanup,     extensionData};

}  // namespace

ORBITONE_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
