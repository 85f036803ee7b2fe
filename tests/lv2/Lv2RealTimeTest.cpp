// run() on the audio thread allocates nothing, takes no lock and reads no clock: this program puts
// its own allocation, mutex and clock functions in front of the C library's (it exports them, so
// the DSP binary's calls reach them) and counts the calls made during run().
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/time.h>

#include <atomic>
#include <ctime>

#include <lv2/state/state.h>

#include "tests/lv2/Lv2TestHost.h"

extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void* __libc_memalign(size_t, size_t);

namespace {

std::atomic<bool> counting{false};
std::atomic<int> calls{0};

void count() {
    if (counting.load(std::memory_order_relaxed)) calls.fetch_add(1, std::memory_order_relaxed);
}

template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void* malloc(size_t size) {
    count();
    return __libc_malloc(size);
}

__attribute__((visibility("default"))) void* calloc(size_t n, size_t size) {
    count();
    return __libc_calloc(n, size);
}

__attribute__((visibility("default"))) void* realloc(void* p, size_t size) {
    count();
    return __libc_realloc(p, size);
}

__attribute__((visibility("default"))) int posix_memalign(void** out, size_t alignment, size_t size) {
    count();
    *out = __libc_memalign(alignment, size);
    return *out != nullptr ? 0 : 12;
}

__attribute__((visibility("default"))) int pthread_mutex_lock(pthread_mutex_t* mutex) {
    count();
    static auto real = next<int (*)(pthread_mutex_t*)>("pthread_mutex_lock");
    return real(mutex);
}

__attribute__((visibility("default"))) int clock_gettime(clockid_t clock, struct timespec* time) {
    count();
    static auto real = next<int (*)(clockid_t, struct timespec*)>("clock_gettime");
    return real(clock, time);
}

__attribute__((visibility("default"))) int gettimeofday(struct timeval* time, void* zone) {
    count();
    static auto real = next<int (*)(struct timeval*, void*)>("gettimeofday");
    return real(time, zone);
}
}

TEST(Lv2RealTime, RunAllocatesNothingLocksNothingAndReadsNoClock) {
    lv2test::Instance lv2;
    lv2.activate();
    const auto left = lv2test::testSignal(1024, 1);
    const auto right = lv2test::testSignal(1024, 2);
    lv2.run(left, right);  // the test host's own buffers are sized outside the counted calls

    const LilvInstance* instance = lv2.lilv();
    const LV2_Descriptor* descriptor = lilv_instance_get_descriptor(instance);
    int counted = 0;
    for (int block = 0; block < 40; ++block) {
        // Controls changed after an activation: the first run starts the channels where they say.
        if (block % 8 == 4) {
            lv2.deactivate();
            lv2.activate();
        }
        // Every fourth block changes controls: the slider section runs inside run().
        if (block % 4 == 0) {
            lv2.setControl(9, 1);                                       // two inputs
            lv2.setControl(11, static_cast<float>(1 + block / 4 % 4));  // every mode in turn
            lv2.setControl(17, static_cast<float>(4 - block / 4 % 4));
            lv2.setControl(12, static_cast<float>(10 + block));
            lv2.setControl(0, static_cast<float>(block) - 20);
        }
        if (block % 10 == 0) {
            lv2test::TimePosition position;
            position.speed = block % 20 == 0 ? 1.0f : 0.0f;
            lv2.sendPosition(position, 100);
        }
        lv2.prepareRun(left, right);
        calls = 0;
        counting = true;
        descriptor->run(lilv_instance_get_handle(instance), static_cast<uint32_t>(left.size()));
        counting = false;
        counted += calls.load();
    }
    EXPECT_EQ(counted, 0);
}

TEST(Lv2RealTime, TheCountersSeeTheDspBinarysCalls) {
    // Saving the state builds the chunk inside the DSP binary: proof that its calls come through here.
    lv2test::Instance lv2;
    lv2.activate();
    const auto* state = static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(lv2.lilv(), LV2_STATE__interface));
    ASSERT_NE(state, nullptr);
    auto store = [](LV2_State_Handle, uint32_t, const void*, size_t, uint32_t, uint32_t) {
        return LV2_STATE_SUCCESS;
    };
    calls = 0;
    counting = true;
    state->save(lv2.handle(), store, nullptr, LV2_STATE_IS_POD, lv2.features());
    counting = false;
    EXPECT_GT(calls.load(), 0);
}
