// A small LV2 host for tests, on lilv: loads the bundle from the build tree, maps URIs, connects every
// port to buffers of its own and sends time positions on the time port.
#pragma once

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lv2test {

constexpr const char* kPluginUri = "urn:velmora:orbitone";
constexpr uint32_t kFirstControl = 9;
constexpr uint32_t kControls = 23;
constexpr uint32_t kTimePort = 8;

// URIDs for the host and the plug-in; unmap answers null for unknown ids.
class UridMap {
  public:
    UridMap();
    LV2_URID map(const char* uri);
    const char* unmap(LV2_URID urid) const;
    LV2_URID_Map* mapFeature() { return &map_; }
    LV2_URID_Unmap* unmapFeature() { return &unmap_; }

  private:
    std::vector<std::string> uris_;
    LV2_URID_Map map_;
    LV2_URID_Unmap unmap_;
};

// The world with the bundle under test, loaded once per process.
class World {
  public:
    static World& shared();
    LilvWorld* world() const { return world_; }
    const LilvPlugin* plugin() const { return plugin_; }
    UridMap& uris() { return uris_; }
    LilvNode* uri(const char* text) const { return lilv_new_uri(world_, text); }

  private:
    World();
    LilvWorld* world_ = nullptr;
    const LilvPlugin* plugin_ = nullptr;
    UridMap uris_;
};

struct TimePosition {
    float speed = 1;
    float beatsPerMinute = 120;
    int64_t bar = 0;
    float barBeat = 0;
    int32_t beatUnit = 4;
    float beatsPerBar = 4;
};

// One instance, its ports connected to this object's buffers.
class Instance {
  public:
    // withFeatures false: no features at all, as lv2apply instantiates.
    explicit Instance(double sampleRate = 44100, bool withFeatures = true, int32_t blockSize = 512);
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    bool valid() const { return instance_ != nullptr; }
    LilvInstance* lilv() const { return instance_; }
    LV2_Handle handle() const { return lilv_instance_get_handle(instance_); }
    const LV2_Feature* const* features() const { return features_.data(); }

    // The control port of host parameter p.
    float& control(uint32_t parameter) { return controls_[parameter]; }
    void setControl(uint32_t parameter, float value) { controls_[parameter] = value; }
    // Leaves the time port unconnected (connected by default when there are features).
    void disconnectTime();
    // Connects the time port to a sequence of the caller's, which the runs read as it stands.
    void connectTime(const void* sequence);
    // Sent at frame `frame` of the next run.
    void sendPosition(const TimePosition& position, uint32_t frame = 0);
    void activate();
    void deactivate();

    // Runs one block with the given input samples; answers the six outputs.
    std::vector<std::vector<float>> run(const std::vector<float>& left, const std::vector<float>& right);
    // Everything run() does before the plug-in's run: buffers connected, time events written.
    void prepareRun(const std::vector<float>& left, const std::vector<float>& right);

    // The state interface's chunk as the plug-in saves it.
    std::vector<unsigned char> savedChunk();

  private:
    void writeTimeSequence();

    LilvInstance* instance_ = nullptr;
    bool active_ = false;
    float controls_[kControls] = {};
    std::vector<float> inputs_[2];
    std::vector<float> outputs_[6];
    alignas(8) uint8_t timeBuffer_[8192] = {};
    bool timeConnected_ = false;
    struct Pending {
        TimePosition position;
        uint32_t frame;
    };
    std::vector<Pending> pending_;
    int32_t blockSize_;
    LV2_Feature mapFeature_{};
    LV2_Feature unmapFeature_{};
    LV2_Feature optionsFeature_{};
    LV2_Options_Option options_[3] = {};
    std::vector<const LV2_Feature*> features_;
};

// Bytes at the very end of a readable page followed by a page that cannot be read: any read past
// their end faults. At most one page.
class PageEndBytes {
  public:
    explicit PageEndBytes(const std::vector<uint8_t>& bytes);
    ~PageEndBytes();
    PageEndBytes(const PageEndBytes&) = delete;
    PageEndBytes& operator=(const PageEndBytes&) = delete;
    const uint8_t* data() const { return data_; }

  private:
    uint8_t* pages_ = nullptr;
    size_t pageSize_ = 0;
    uint8_t* data_ = nullptr;
};

// A test signal: a different deterministic waveform per seed, within -1..1.
std::vector<float> testSignal(int frames, int seed, int offset = 0);

}  // namespace lv2test
