#include "plugin/clap/ClapState.h"

#include <cstring>

#include "plugin/clap/ClapAdapter.h"
#include "plugin/clap/ClapInstance.h"

namespace {

// Room for our chunk and a byte more, to tell a longer stream from ours.
constexpr int64_t kRoom = 1024;

CClapAdapter* adapterOn(const clap_plugin_t* plugin, const char* call) {
    ClapInstance* instance = clapInstanceOf(plugin);
    return instance != nullptr && instance->threads.main(call) ? instance->adapter : nullptr;
}

// The chunk the effect would save now; 0 bytes without one.
int32_t currentChunk(CClapAdapter& adapter, void** data) {
    *data = nullptr;
    const int32_t size = adapter.calls.getChunk(data, false);
    return size > 0 && size < kRoom && *data != nullptr ? size : 0;
}

bool CLAP_ABI save(const clap_plugin_t* plugin, const clap_ostream_t* stream) {
    CClapAdapter* adapter = adapterOn(plugin, "clap_plugin_state.save");
    if (adapter == nullptr || stream == nullptr || stream->write == nullptr) return false;
    void* data = nullptr;
    const int32_t size = currentChunk(*adapter, &data);
    if (size == 0) return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (int64_t done = 0; done < size;) {
        const int64_t written = stream->write(stream, bytes + done, static_cast<uint64_t>(size - done));
        if (written <= 0 || written > size - done) return false;
        done += written;
    }
    return true;
}

bool CLAP_ABI load(const clap_plugin_t* plugin, const clap_istream_t* stream) {
    CClapAdapter* adapter = adapterOn(plugin, "clap_plugin_state.load");
    if (adapter == nullptr || stream == nullptr || stream->read == nullptr) return false;
    unsigned char bytes[kRoom];
    int64_t size = 0;
    while (size < kRoom) {
        const int64_t read = stream->read(stream, bytes + size, static_cast<uint64_t>(kRoom - size));
        if (read < 0 || read > kRoom - size) return false;
        if (read == 0) break;
        size += read;
    }
    // Ours has the length and the leading marker of the chunk the effect saves.
    void* data = nullptr;
    const int32_t expected = currentChunk(*adapter, &data);
    if (expected == 0 || size != expected || std::memcmp(bytes, data, sizeof(float)) != 0) return false;
    adapter->calls.setChunk(bytes, expected, false);
    adapter->valuesChanged();
    return true;
}

}  // namespace

const clap_plugin_state_t* clapStateExtension() {
    static const clap_plugin_state_t extension = {save, load};
    return &extension;
}
