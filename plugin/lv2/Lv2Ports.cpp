#include "plugin/lv2/Lv2Ports.h"

namespace lv2ports {

namespace {

// By host parameter index; the Speed controls (12 and 18) reach what the panel's sliders reach.
constexpr ControlRange kRanges[kControlCount] = {
    {-100, 100}, {-100, 100}, {-100, 100}, {-100, 100}, {-1, 1},     {-60, 60}, {0, 1000}, {-60, 10},
    {-60, 10},   {0, 1},      {-20, 20},   {0, 4},      {-120, 120}, {0, 1},    {0, 1},    {-1, 1},
    {-1, 1},     {0, 4},      {-120, 120}, {0, 1},      {0, 1},      {-1, 1},   {-1, 1},
};

}  // namespace

ControlRange controlRange(uint32_t parameter) {
    if (parameter >= kControlCount) return {0, 0};
    return kRanges[parameter];
}

}  // namespace lv2ports
