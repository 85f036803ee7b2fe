#include "plugin/boundary/HostAdapter.h"

int32_t CHostAdapter::processingChannels(bool doublePrecision) {
    return fetchChannelCount(doublePrecision ? doubleChannels : singleChannels);
}

int32_t CHostAdapter::fetchChannelCount(std::atomic<int32_t>& cache) {
    int32_t count = cache.load(std::memory_order_acquire);
    if (count >= 0) return count;
    count = inputCount();
    // The channel variables hold 64 channels; the host's buffers are only as many as it was told.
    if (count < 0) count = 0;
    if (count > 64) count = 64;
    int32_t expected = -1;
    cache.compare_exchange_strong(expected, count, std::memory_order_acq_rel);
    return cache.load(std::memory_order_acquire);
}
