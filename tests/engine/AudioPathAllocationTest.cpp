// The audio path allocates nothing: every operator new of this program is counted while blocks of
// every mode, both precisions and odd sizes are processed.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "effect/QuillEffect.h"
#include "plugin/vst/PluginFactory.h"

namespace {
std::atomic<long> allocations{0};
std::atomic<bool> counting{false};

void* allocate(std::size_t size) {
    if (counting.load()) ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

VstTimeInfo transport{};

intptr_t VSTCALLBACK host(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode == audioMasterGetTime) return reinterpret_cast<intptr_t>(&transport);
    return 0;
}

}  // namespace

TEST(AudioPath, ProcessingAllocatesNothingInAnyMode) {
    static_assert(std::atomic<uint32_t>::is_always_lock_free, "the settings version must not lock");
    transport.flags = kVstTransportPlaying;
    AEffect* e = createPluginInstance(host, new TQuillEffect());
    e->dispatcher(e, effOpen, 0, 0, nullptr, 0);
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0);
    e->setParameter(e, 9, 1.0f);  // two inputs
    std::vector<std::vector<float>> in(6, std::vector<float>(4096, 0.25f)), out(6, std::vector<float>(4096));
    std::vector<std::vector<double>> in64(6, std::vector<double>(4096, 0.25)),
        out64(6, std::vector<double>(4096));
    float* inputs[6];
    float* outputs[6];
    double* inputs64[6];
    double* outputs64[6];
    for (int k = 0; k < 6; ++k) {
        inputs[k] = in[k].data();
        outputs[k] = out[k].data();
        inputs64[k] = in64[k].data();
        outputs64[k] = out64[k].data();
    }
    for (int mode = 0; mode <= 4; ++mode) {
        e->setParameter(e, 11, mode / 4.0f);
        e->setParameter(e, 17, (4 - mode) / 4.0f);
        counting = true;
        for (int frames : {1, 63, 64, 65, 512, 4096}) {
            e->processReplacing(e, inputs, outputs, frames);
            e->processDoubleReplacing(e, inputs64, outputs64, frames);
        }
        counting = false;
    }
    e->dispatcher(e, effClose, 0, 0, nullptr, 0);
    EXPECT_EQ(allocations.load(), 0);
}
