// Reads typed values off the front of a fuzzer's input. Past the end every read answers zero, so a
// short input is simply a short sequence and the same bytes always decode the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

class FuzzBytes {
  public:
    FuzzBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return position_ >= size_; }
    size_t remaining() const { return empty() ? 0 : size_ - position_; }

    uint8_t u8() { return empty() ? 0 : data_[position_++]; }
    uint16_t u16() { return static_cast<uint16_t>(u8() | (u8() << 8)); }
    uint32_t u32() { return static_cast<uint32_t>(u16()) | (static_cast<uint32_t>(u16()) << 16); }
    uint64_t u64() { return static_cast<uint64_t>(u32()) | (static_cast<uint64_t>(u32()) << 32); }
    bool flag() { return (u8() & 1) != 0; }
    // A number below count (count must not be 0), from as few bytes as the count needs.
    uint32_t below(uint32_t count) {
        if (count <= 0x100) return u8() % count;
        if (count <= 0x10000) return u16() % count;
        return u32() % count;
    }
    // Small numbers most of the time, any 32 or 64 bits now and then.
    int32_t anyInt32() { return u8() < 224 ? static_cast<int32_t>(u8()) - 16 : static_cast<int32_t>(u32()); }
    intptr_t anyIntptr() {
        return u8() < 224 ? static_cast<intptr_t>(u8()) - 16 : static_cast<intptr_t>(u64());
    }
    float f32() { return bitsAs<float>(u32()); }
    double f64() { return bitsAs<double>(u64()); }

    // The raw bits half of the time, otherwise a value from the list hosts get wrong most often.
    float interestingFloat() {
        using limits = std::numeric_limits<float>;
        static const float kValues[] = {0.0f,
                                        -0.0f,
                                        1.0f,
                                        0.5f,
                                        -1.0f,
                                        2.0f,
                                        1e-40f,
                                        1e30f,
                                        -1e30f,
                                        limits::max(),
                                        44100.0f,
                                        48000.0f,
                                        192000.0f,
                                        limits::infinity(),
                                        -limits::infinity(),
                                        limits::quiet_NaN()};
        const uint8_t pick = u8();
        if (pick < 128) return f32();
        return kValues[pick % (sizeof kValues / sizeof kValues[0])];
    }
    double interestingDouble() {
        const uint8_t pick = u8();
        return pick < 128 ? f64() : static_cast<double>(interestingFloat());
    }

    // Up to limit bytes; their count is read first.
    std::vector<uint8_t> bytes(size_t limit) {
        const size_t count = limit == 0 ? 0 : below(static_cast<uint32_t>(limit + 1));
        return take(count);
    }
    std::vector<uint8_t> take(size_t count) {
        if (count > remaining()) count = remaining();
        std::vector<uint8_t> out(data_ + position_, data_ + position_ + count);
        position_ += count;
        return out;
    }
    std::string text(size_t limit) {
        const std::vector<uint8_t> raw = bytes(limit);
        return std::string(raw.begin(), raw.end());
    }

  private:
    template <typename T, typename Bits>
    static T bitsAs(Bits bits) {
        static_assert(sizeof(T) == sizeof(Bits), "same size");
        T value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};
