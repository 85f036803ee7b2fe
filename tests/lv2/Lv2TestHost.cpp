#include "tests/lv2/Lv2TestHost.h"

#include <lv2/atom/forge.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/state/state.h>
#include <lv2/time/time.h>

#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace lv2test {

UridMap::UridMap() {
    map_.handle = this;
    map_.map = [](LV2_URID_Map_Handle self, const char* uri) {
        return static_cast<UridMap*>(self)->map(uri);
    };
    unmap_.handle = this;
    unmap_.unmap = [](LV2_URID_Unmap_Handle self, LV2_URID urid) {
        return static_cast<UridMap*>(self)->unmap(urid);
    };
}

LV2_URID UridMap::map(const char* uri) {
    for (size_t i = 0; i < uris_.size(); ++i) {
        if (uris_[i] == uri) return static_cast<LV2_URID>(i + 1);
    }
    uris_.emplace_back(uri);
    return static_cast<LV2_URID>(uris_.size());
}

const char* UridMap::unmap(LV2_URID urid) const {
    if (urid == 0 || urid > uris_.size()) return nullptr;
    return uris_[urid - 1].c_str();
}

World& World::shared() {
    static World world;
    return world;
}

World::World() {
    // lilv unloads the DSP binary with its last instance; hosts keep plug-in libraries loaded, and
    // an unloaded library's static data would look like leaks. This reference keeps it.
    dlopen(ORBITONE_LV2_BUNDLE "/orbitone_dsp.so", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    world_ = lilv_world_new();
    // Only the bundle of this build: an installed copy elsewhere must not stand in for it.
    LilvNode* bundle = lilv_new_file_uri(world_, nullptr, ORBITONE_LV2_BUNDLE "/");
    lilv_world_load_bundle(world_, bundle);
    lilv_node_free(bundle);
    LilvNode* uri = lilv_new_uri(world_, kPluginUri);
    plugin_ = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world_), uri);
    lilv_node_free(uri);
}

Instance::Instance(double sampleRate, bool withFeatures, int32_t blockSize) : blockSize_(blockSize) {
    const LilvPlugin* plugin = World::shared().plugin();
    if (plugin == nullptr) throw std::runtime_error("the bundle has no plug-in " + std::string(kPluginUri));
    UridMap& uris = World::shared().uris();
    if (withFeatures) {
        mapFeature_ = {LV2_URID__map, uris.mapFeature()};
        unmapFeature_ = {LV2_URID__unmap, uris.unmapFeature()};
        const LV2_URID intType = uris.map(LV2_ATOM__Int);
        options_[0] = {LV2_OPTIONS_INSTANCE, 0,       uris.map(LV2_BUF_SIZE__nominalBlockLength),
                       sizeof(int32_t),      intType, &blockSize_};
        options_[1] = {LV2_OPTIONS_INSTANCE, 0,       uris.map(LV2_BUF_SIZE__maxBlockLength),
                       sizeof(int32_t),      intType, &blockSize_};
        optionsFeature_ = {LV2_OPTIONS__options, options_};
        features_ = {&mapFeature_, &unmapFeature_, &optionsFeature_};
    }
    features_.push_back(nullptr);
    instance_ = lilv_plugin_instantiate(plugin, sampleRate, features_.data());
    if (instance_ == nullptr) return;
    // Every control starts at its declared default, as hosts do.
    for (uint32_t p = 0; p < kControls; ++p) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, kFirstControl + p);
        LilvNode* def = nullptr;
        lilv_port_get_range(plugin, port, &def, nullptr, nullptr);
        controls_[p] = def != nullptr ? lilv_node_as_float(def) : 0.0f;
        lilv_node_free(def);
        lilv_instance_connect_port(instance_, kFirstControl + p, &controls_[p]);
    }
    if (withFeatures) {
        lilv_instance_connect_port(instance_, kTimePort, timeBuffer_);
        timeConnected_ = true;
    }
}

Instance::~Instance() {
    if (instance_ == nullptr) return;
    if (active_) lilv_instance_deactivate(instance_);
    lilv_instance_free(instance_);
}

void Instance::disconnectTime() {
    lilv_instance_connect_port(instance_, kTimePort, nullptr);
    timeConnected_ = false;
}

void Instance::connectTime(const void* sequence) {
    lilv_instance_connect_port(instance_, kTimePort, const_cast<void*>(sequence));
    timeConnected_ = false;
}

void Instance::sendPosition(const TimePosition& position, uint32_t frame) {
    pending_.push_back({position, frame});
}

void Instance::activate() {
    lilv_instance_activate(instance_);
    active_ = true;
}

void Instance::deactivate() {
    lilv_instance_deactivate(instance_);
    active_ = false;
}

void Instance::writeTimeSequence() {
    UridMap& uris = World::shared().uris();
    LV2_Atom_Forge forge;
    lv2_atom_forge_init(&forge, uris.mapFeature());
    lv2_atom_forge_set_buffer(&forge, timeBuffer_, sizeof timeBuffer_);
    LV2_Atom_Forge_Frame sequence;
    lv2_atom_forge_sequence_head(&forge, &sequence, 0);
    for (const Pending& p : pending_) {
        lv2_atom_forge_frame_time(&forge, p.frame);
        LV2_Atom_Forge_Frame object;
        lv2_atom_forge_object(&forge, &object, 0, uris.map(LV2_TIME__Position));
        lv2_atom_forge_key(&forge, uris.map(LV2_TIME__speed));
        lv2_atom_forge_float(&forge, p.position.speed);
        lv2_atom_forge_key(&forge, uris.map(LV2_TIME__beatsPerMinute));
        lv2_atom_forge_float(&forge, p.position.beatsPerMinute);
        lv2_atom_forge_key(&forge, uris.map(LV2_TIME__bar));
        lv2_atom_forge_long(&forge, p.position.bar);
        lv2_atom_forge_key(&forge, uris.map(LV2_TIME__barBeat));
        lv2_atom_forge_float(&forge, p.position.barBeat);
        lv2_atom_forge_key(&forge, uris.map(LV2_TIME__beatUnit));
        lv2_atom_forge_int(&forge, p.position.beatUnit);
        lv2_atom_forge_key(&forge, uris.map(LV2_TIME__beatsPerBar));
        lv2_atom_forge_float(&forge, p.position.beatsPerBar);
        lv2_atom_forge_pop(&forge, &object);
    }
    lv2_atom_forge_pop(&forge, &sequence);
    pending_.clear();
}

std::vector<std::vector<float>> Instance::run(const std::vector<float>& left,
                                              const std::vector<float>& right) {
    prepareRun(left, right);
    lilv_instance_run(instance_, static_cast<uint32_t>(left.size()));
    return {outputs_, outputs_ + 6};
}

void Instance::prepareRun(const std::vector<float>& left, const std::vector<float>& right) {
    const size_t frames = left.size();
    inputs_[0] = left;
    inputs_[1] = right;
    lilv_instance_connect_port(instance_, 0, inputs_[0].data());
    lilv_instance_connect_port(instance_, 1, inputs_[1].data());
    for (uint32_t k = 0; k < 6; ++k) {
        outputs_[k].assign(frames, 0.0f);
        lilv_instance_connect_port(instance_, 2 + k, outputs_[k].data());
    }
    if (timeConnected_) writeTimeSequence();
}

std::vector<unsigned char> Instance::savedChunk() {
    const auto* state = static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(instance_, LV2_STATE__interface));
    std::vector<unsigned char> chunk;
    if (state == nullptr) return chunk;
    auto store = [](LV2_State_Handle out, uint32_t, const void* value, size_t size, uint32_t, uint32_t) {
        auto* bytes = static_cast<const unsigned char*>(value);
        static_cast<std::vector<unsigned char>*>(out)->assign(bytes, bytes + size);
        return LV2_STATE_SUCCESS;
    };
    state->save(handle(), store, &chunk, LV2_STATE_IS_POD, features());
    return chunk;
}

PageEndBytes::PageEndBytes(const std::vector<uint8_t>& bytes) {
    pageSize_ = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    if (bytes.size() > pageSize_) throw std::invalid_argument("more bytes than a page");
    void* pages = mmap(nullptr, 2 * pageSize_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED) throw std::runtime_error("no pages");
    pages_ = static_cast<uint8_t*>(pages);
    if (mprotect(pages_ + pageSize_, pageSize_, PROT_NONE) != 0) {
        munmap(pages_, 2 * pageSize_);
        throw std::runtime_error("no guard page");
    }
    data_ = pages_ + pageSize_ - bytes.size();
    std::memcpy(data_, bytes.data(), bytes.size());
}

PageEndBytes::~PageEndBytes() {
    munmap(pages_, 2 * pageSize_);
}

std::vector<float> testSignal(int frames, int seed, int offset) {
    std::vector<float> signal(static_cast<size_t>(frames));
    for (int j = 0; j < frames; ++j) {
        const double t = j + offset;
        signal[static_cast<size_t>(j)] = static_cast<float>(0.6 * std::sin(t * (0.013 + 0.007 * seed)) +
                                                            0.3 * std::sin(t * 0.0021 * (seed + 1)));
    }
    return signal;
}

}  // namespace lv2test
