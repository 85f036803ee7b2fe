// The plug-in's LV2 port numbers; the Turtle's port list is written from them (turtle/main.cpp).
#pragma once

#include <cstdint>

namespace lv2ports {

constexpr uint32_t kInputLeft = 0;
constexpr uint32_t kInputRight = 1;
// Outputs in the effect's channel order L, R, C, LFE, Ls, Rs.
constexpr uint32_t kFirstOutput = 2;
constexpr uint32_t kOutputCount = 6;
constexpr uint32_t kTime = 8;
// Control port kFirstControl + p carries host parameter p.
constexpr uint32_t kFirstControl = 9;
constexpr uint32_t kControlCount = 23;
constexpr uint32_t kPortCount = kFirstControl + kControlCount;

inline bool isControlPort(uint32_t port) {
    return port >= kFirstControl && port < kFirstControl + kControlCount;
}

}  // namespace lv2ports
