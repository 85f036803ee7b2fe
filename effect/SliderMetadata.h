// What a host-facing description of the sliders needs beyond their records (effect/QuillEffect.cpp):
// a symbol that names a slider for good, since saved projects refer to it (letters, digits and '_',
// not starting with a digit), and the unit its values are in. One row per declared slider.
#pragma once

#include <cstdint>

enum class SliderUnit { none, decibels, milliseconds, rotationsPerMinute };

struct SliderMetadata {
    int32_t number;
    const char* symbol;
    SliderUnit unit;
};

inline constexpr SliderMetadata kSliderMetadata[] = {
    {1, "left_right_ch1", SliderUnit::none},
    {2, "front_back_ch1", SliderUnit::none},
    {3, "left_right_ch2", SliderUnit::none},
    {4, "front_back_ch2", SliderUnit::none},
    {5, "center_influence", SliderUnit::none},
    {6, "zone_influence", SliderUnit::decibels},
    {7, "smoothing_time", SliderUnit::milliseconds},
    {10, "send_c", SliderUnit::decibels},
    {11, "send_lfe", SliderUnit::decibels},
    {12, "input_channels", SliderUnit::none},
    {13, "output_gain", SliderUnit::decibels},
    {20, "animation_ch1", SliderUnit::none},
    {21, "speed_ch1", SliderUnit::rotationsPerMinute},
    {22, "x_scale_ch1", SliderUnit::none},
    {23, "y_scale_ch1", SliderUnit::none},
    {24, "x_offset_ch1", SliderUnit::none},
    {25, "y_offset_ch1", SliderUnit::none},
    {26, "animation_ch2", SliderUnit::none},
    {27, "speed_ch2", SliderUnit::rotationsPerMinute},
    {28, "x_scale_ch2", SliderUnit::none},
    {29, "y_scale_ch2", SliderUnit::none},
    {30, "x_offset_ch2", SliderUnit::none},
    {31, "y_offset_ch2", SliderUnit::none},
};

// Null for a slider number without a row.
inline const SliderMetadata* sliderMetadata(int32_t number) {
    for (const SliderMetadata& row : kSliderMetadata)
        if (row.number == number) return &row;
    return nullptr;
}
