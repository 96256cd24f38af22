#include "imaging/kernels/ColorMatrix.h"

#include <cmath>

#include "imaging/kernels/ColorMath.h"

using namespace colormath;

ColorMatrix ColorMatrix::saturation(float s) {
    const float lr = (1 - s) * kLumaRed;
    const float lg = (1 - s) * kLumaGreen;
    const float lb = (1 - s) * kLumaBlue;
    return mix({lr + s, lg, lb, lr, lg + s, lb, lr, lg, lb + s});
}

ColorMatrix ColorMatrix::hueRotation(float angle) {
    // Rotation about the grey axis in a luminance/chroma space, so greys stay grey.
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float lr = kLumaRed, lg = kLumaGreen, lb = kLumaBlue;
    return mix({lr + c * (1 - lr) - s * lr, lg - c * lg - s * lg, lb - c * lb + s * (1 - lb),
                lr - c * lr + s * 0.143f, lg + c * (1 - lg) + s * 0.140f, lb - c * lb - s * 0.283f,
                lr - c * lr - s * (1 - lr), lg - c * lg + s * lg, lb + c * (1 - lb) + s * lb});
}

ColorMatrix ColorMatrix::scaleAndOffset(float scale, float offset) {
    return {{scale, 0, 0, offset, 0, scale, 0, offset, 0, 0, scale, offset}};
}

ColorMatrix ColorMatrix::mix(const std::array<float, 9>& w) {
    return {{w[0], w[1], w[2], 0, w[3], w[4], w[5], 0, w[6], w[7], w[8], 0}};
}

ColorMatrix ColorMatrix::then(const ColorMatrix& next) const {
    ColorMatrix result;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            float v = col == 3 ? next.m[4 * row + 3] : 0.0f;
            for (int k = 0; k < 3; ++k) {
                v += next.m[4 * row + k] * m[4 * k + col];
            }
            result.m[4 * row + col] = v;
        }
    }
    return result;
}

ColorMatrix ColorMatrix::withStrength(float strength) const {
    ColorMatrix result;
    const ColorMatrix none = identity();
    for (int i = 0; i < 12; ++i) {
        result.m[i] = none.m[i] + strength * (m[i] - none.m[i]);
    }
    return result;
}
