#include "plugin/vst3/Vst3State.h"

#include <cstring>
#include <vector>

#include "plugin/bridge/AdapterKit.h"
#include "plugin/vst3/Vst3Face.h"

namespace {

// The present chunk, copied out of the effect; empty when it has none.
std::vector<unsigned char> currentChunk(CAdapterKit& adapter) {
    void* data = nullptr;
    const int32_t size = adapter.calls.getChunk(&data, false);
    if (size <= 0 || data == nullptr) return {};
    const auto* bytes = static_cast<const unsigned char*>(data);
    return std::vector<unsigned char>(bytes, bytes + size);
}

}  // namespace

v3_result writeVst3State(CAdapterKit& adapter, v3_bstream** stream) {
    if (stream == nullptr || *stream == nullptr) return V3_INVALID_ARG;
    std::vector<unsigned char> chunk = currentChunk(adapter);
    if (chunk.empty()) return V3_INTERNAL_ERR;
    const auto size = static_cast<int32_t>(chunk.size());
    int32_t written = 0;
    if (callsOf(stream).write(stream, chunk.data(), size, &written) != V3_OK || written != size)
        return V3_FALSE;
    return V3_OK;
}

v3_result readVst3State(CAdapterKit& adapter, v3_bstream** stream) {
    if (stream == nullptr || *stream == nullptr) return V3_INVALID_ARG;
    const std::vector<unsigned char> reference = currentChunk(adapter);
    if (reference.size() < sizeof(float)) return V3_INTERNAL_ERR;
    // One byte more than a chunk, to tell a longer stream from an exact one.
    std::vector<unsigned char> chunk(reference.size() + 1);
    size_t filled = 0;
    while (filled < chunk.size()) {
        int32_t got = 0;
        const auto wanted = static_cast<int32_t>(chunk.size() - filled);
        if (callsOf(stream).read(stream, chunk.data() + filled, wanted, &got) != V3_OK) break;
        if (got <= 0 || got > wanted) break;
        filled += static_cast<size_t>(got);
    }
    if (filled != reference.size()) return V3_FALSE;
    // The first value marks the chunk's kind.
    if (std::memcmp(chunk.data(), reference.data(), sizeof(float)) != 0) return V3_FALSE;
    adapter.calls.setChunk(chunk.data(), static_cast<int32_t>(filled), false);
    return V3_OK;
}
