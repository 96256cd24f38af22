#pragma once

#include <array>

// An affine colour transform: out = M · (r, g, b) + offset, one row per output channel,
// each row (red weight, green weight, blue weight, offset).
struct ColorMatrix {
    std::array<float, 12> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};

    static ColorMatrix identity() { return {}; }
    // Grey at the weights' mix, lerped with the colour: 0 is grey, 1 unchanged, 2 doubled.
    static ColorMatrix saturation(float amount);
    // Turns the hue by the angle (radians) about the grey axis, keeping luminance.
    static ColorMatrix hueRotation(float angle);
    static ColorMatrix scaleAndOffset(float scale, float offset);
    // Each channel replaced by a weighted sum of all three.
    static ColorMatrix mix(const std::array<float, 9>& weights);

    // This transform, then next.
    ColorMatrix then(const ColorMatrix& next) const;
    // Lerp between the identity (0) and this transform (1).
    ColorMatrix withStrength(float strength) const;

    void apply(float rgb[3]) const {
        const float r = rgb[0], g = rgb[1], b = rgb[2];
        for (int c = 0; c < 3; ++c) {
            rgb[c] = m[4 * c] * r + m[4 * c + 1] * g + m[4 * c + 2] * b + m[4 * c + 3];
        }
    }
};
