#include "runtime/Quill.h"

#include <cstring>

#include "plugin/boundary/EditorFunctions.h"
#include "plugin/boundary/MonotonicClock.h"

namespace {
constexpr float kStateMarker = -1000.0f;
}

TQuill::TQuill() {
    memoryBlocks.clear();
    strings.clear();
    stringCount = 0;
    lastRefreshClock = 0;
    refreshedSinceOpen = false;
    initCount = 0;
}

void TQuill::DoOpen() {
    memoryBlocks.clear();
    strings.clear();
    stringCount = 0;
    lastRefreshClock = 0;
    refreshedSinceOpen = false;
}

void TQuill::DoResume() {
    DoInit();
    DoSlider();
}

int TQuill::DoInitOnce() {
    if (initCount == 0) DoInit();
    return ++initCount;
}

void TQuill::DoGfxTimer() {
    if (!(gfxRate > 0)) return;
    // The clock counts from boot and wraps every 49.7 days: only the unsigned difference from the
    // last refresh is meaningful, and it is never negative.
    const uint32_t elapsed = static_cast<uint32_t>(RefreshClock()) - static_cast<uint32_t>(lastRefreshClock);
    if (!refreshedSinceOpen || elapsed > 1000.0 / gfxRate) {
        RequestRepaint();
        lastRefreshClock = RefreshClock();
        refreshedSinceOpen = true;
    }
}

bool TQuill::SliderHeldRange(int32_t number, double& low, double& high) const {
    // The last record declared for a number is the one the host knows it by.
    for (auto record = sliderRecords.rbegin(); record != sliderRecords.rend(); ++record) {
        if (record->number != number) continue;
        low = record->minimum;
        high = record->maximum;
        return true;
    }
    return false;
}

void TQuill::RequestRepaint() {
    requestRedraw(adapter);
}

int32_t TQuill::RefreshClock() const {
    // Wall-clock time: processor time hardly advances while a host sits idle.
    return static_cast<int32_t>(static_cast<uint32_t>(platform::monotonicMilliseconds()));
}

int32_t TQuill::DoGetChunk(void** data, bool) {
    FileRecord& record = files[0];
    ResetFileRecord(record, FileRecord::kWriting);
    record.data.push_back(kStateMarker);
    record.position = 1;
    DoSerialize();
    if (record.data.size() <= 1) return 0;
    if (data != nullptr) *data = record.data.data();
    return static_cast<int32_t>(record.data.size() * sizeof(float));
}

int32_t TQuill::DoSetChunk(const void* data, int32_t byteCount, bool) {
    FileRecord& record = files[0];
    ResetFileRecord(record, FileRecord::kReading);
    if (data != nullptr && byteCount >= 4) {
        record.data.resize(static_cast<size_t>(byteCount / 4));
        std::memcpy(record.data.data(), data, record.data.size() * sizeof(float));
    }
    if (record.data.empty()) return byteCount;
    const float marker = record.data[0];
    record.position = 1;
    if (marker != kStateMarker) return byteCount;
    DoInitOnce();
    DoSerialize();
    DoSlider();
    return byteCount;
}
