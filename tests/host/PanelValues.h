// The values the panel can give each host parameter: its controls' ranges and steps, by parameter
// index. The position sliders take the parameter's own step, to which the radar and the animation
// are snapped when they are automated; the Speed controls reach twice the parameter's range.
#pragma once

#include <cmath>

struct PanelGrid {
    int slider;
    double low, high, step;

    int points() const { return static_cast<int>(std::lround((high - low) / step)) + 1; }
    // The k-th value (again from the start once past the last one), computed as a control does.
    double value(int k) const { return low + (k % points()) / (1 / step); }
};

inline constexpr PanelGrid kPanelGrids[23] = {
    {1, -100, 100, 0.01}, {2, -100, 100, 0.01}, {3, -100, 100, 0.01}, {4, -100, 100, 0.01}, {5, -1, 1, 0.01},
    {6, -60, 60, 1},      {7, 0, 1000, 10},     {10, -60, 10, 0.1},   {11, -60, 10, 0.1},   {12, 0, 1, 1},
    {13, -20, 20, 0.1},   {20, 0, 4, 1},        {21, -120, 120, 1},   {22, 0, 1, 0.01},     {23, 0, 1, 0.01},
    {24, -1, 1, 0.01},    {25, -1, 1, 0.01},    {26, 0, 4, 1},        {27, -120, 120, 1},   {28, 0, 1, 0.01},
    {29, 0, 1, 0.01},     {30, -1, 1, 0.01},    {31, -1, 1, 0.01}};

// Grid points of the longest grid.
inline int longestPanelGrid() {
    int longest = 1;
    for (const PanelGrid& g : kPanelGrids) longest = g.points() > longest ? g.points() : longest;
    return longest;
}
