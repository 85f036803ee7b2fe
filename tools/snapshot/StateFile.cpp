#include "tools/snapshot/StateFile.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace snapshot {

namespace {

// Far above the few hundred bytes of a real state: a larger file is not one.
constexpr std::streamoff kLargestState = 1 << 20;

bool readFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read state file " + path + ": " + std::strerror(errno);
        return false;
    }
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0 || size > kLargestState) {
        error = "state file " + path + " is not a plug-in state";
        return false;
    }
    file.seekg(0);
    bytes.resize(static_cast<size_t>(size));
    if (size > 0 && !file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        error = "cannot read state file " + path;
        return false;
    }
    return true;
}

std::vector<uint8_t> currentState(AEffect* effect) {
    void* data = nullptr;
    const intptr_t size = effect->dispatcher(effect, effGetChunk, 1, 0, &data, 0);
    if (data == nullptr || size <= 0) return {};
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

bool allValuesFinite(const std::vector<uint8_t>& bytes) {
    for (size_t offset = 0; offset + sizeof(float) <= bytes.size(); offset += sizeof(float)) {
        float value = 0;
        std::memcpy(&value, bytes.data() + offset, sizeof value);
        if (!std::isfinite(value)) return false;
    }
    return true;
}

bool looksLike(const std::vector<uint8_t>& state, const std::vector<uint8_t>& reference) {
    return !reference.empty() && state.size() == reference.size() && reference.size() >= sizeof(float) &&
           std::memcmp(state.data(), reference.data(), sizeof(float)) == 0 && allValuesFinite(state);
}

}  // namespace

std::string loadStateFile(AEffect* effect, const std::string& path) {
    std::vector<uint8_t> state;
    std::string error;
    if (!readFile(path, state, error)) return error;
    if (!looksLike(state, currentState(effect)))
        return "state file " + path + " is not a state of this plug-in (" + std::to_string(state.size()) +
               " bytes)";
    effect->dispatcher(effect, effSetChunk, 1, static_cast<intptr_t>(state.size()), state.data(), 0);
    return {};
}

}  // namespace snapshot
