#pragma once

#include <algorithm>
#include <cmath>

// Small colour formulas the filters share. Colour values run from 0 to 1.
namespace colormath {

// Rec. 709 luminance weights: how bright red, green and blue look.
constexpr float kLumaRed = 0.2126f;
constexpr float kLumaGreen = 0.7152f;
constexpr float kLumaBlue = 0.0722f;

inline float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

// The sRGB transfer curve and its inverse.
inline float srgbToLinear(float v) {
    v = clamp01(v);
    return v <= 0.04045f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f);
}

inline float linearToSrgb(float v) {
    v = clamp01(v);
    return v <= 0.0031308f ? v * 12.92f : 1.055f * std::pow(v, 1.0f / 2.4f) - 0.055f;
}

}  // namespace colormath
