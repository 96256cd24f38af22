#include "imaging/engine/ColorProgramCompiled.h"

#include <algorithm>
#include <cmath>

#include "imaging/kernels/ColorMath.h"
#include "imaging/kernels/Invert.h"
#include "imaging/kernels/Prefetch.h"
#include "imaging/kernels/VectorLevel.h"

using colormath::clamp01;

namespace {

// Memory order (blue, green, red) to the program's order (red, green, blue).
constexpr int kProgramChannel[3] = {2, 1, 0};

std::uint8_t toByte(float v) {
    return static_cast<std::uint8_t>(clamp01(v) * 255.0f + 0.5f);
}

std::int32_t toFixed(float v) {
    // Far beyond any colour, so the sums stay inside 32 bits.
    return static_cast<std::int32_t>(std::lround(std::clamp(v, -8.0f, 8.0f) * ColorTables::kOne));
}

}  // namespace

ColorProgram::Compiled::Compiled(const ColorProgram& program) : program_(program) {
    const auto& stages = program.stages_;
    if (stages.size() == 1 && !stages.front().isMatrix) {
        shape_ = Shape::Curves;
        tabulateCurves(stages.front());
        return;
    }
    if (stages.size() <= 1) {
        shape_ = Shape::Matrix;
        matrix_ =
            FixedColorMatrix(stages.empty() ? ColorMatrix::identity() : stages.front().matrix);
        return;
    }
    if (stages.size() == 2 && stages.front().isMatrix) {
        // Weights too large for the tables (adding up to about 8 and more) are left to the
        // floating point, which the fixed-point tables below would clamp.
        const FixedColorMatrix matrix(stages.front().matrix);
        if (MatrixCurves::fits(matrix)) {
            shape_ = Shape::MatrixThenCurves;
            tabulateMatrixThenCurves(matrix, stages.back());
        }
        return;
    }
    const std::size_t firstMatrix = !stages.empty() && !stages.front().isMatrix ? 1 : 0;
    const bool hasMatrix = firstMatrix < stages.size() && stages[firstMatrix].isMatrix;
    const std::size_t rest = stages.size() - firstMatrix - (hasMatrix ? 1 : 0);
    if (hasMatrix && rest <= 1) {
        shape_ = Shape::Tables;
        tabulate(firstMatrix == 1 ? &stages.front() : nullptr,
                 hasMatrix ? &stages[firstMatrix] : nullptr, rest == 1 ? &stages.back() : nullptr);
    }
}

void ColorProgram::Compiled::applyRow(const std::uint32_t* in, std::uint32_t* out,
                                      std::size_t count, std::uint32_t opaqueBits) const {
    for (std::size_t x = 0; x < count; x += kChunk) {
        const std::size_t length = std::min(kChunk, count - x);
        applyChunk(in + x, out + x, length, opaqueBits);
    }
}

void ColorProgram::Compiled::applyChunk(const std::uint32_t* in, std::uint32_t* out,
                                        std::size_t count, std::uint32_t opaqueBits) const {
    switch (shape_) {
        case Shape::Invert:
            invert::apply(in, out, count, opaqueBits);
            return;
        case Shape::Curves:
            if (!applyCurves(in, out, count, opaqueBits)) {
                redoTranslucent(in, out, count, opaqueBits);
            }
            return;
        case Shape::Matrix:
            fixedcolormatrix::apply(matrix_, in, out, count, opaqueBits);
            return;
        case Shape::MatrixThenCurves:
            if (!applyMatrixThenCurves(in, out, count, opaqueBits)) {
                redoTranslucent(in, out, count, opaqueBits);
            }
            return;
        case Shape::Tables:
            applyTables(in, out, count, opaqueBits);
            redoTranslucent(in, out, count, opaqueBits);
            return;
        case Shape::Stages:
            for (std::size_t x = 0; x < count; ++x) {
                out[x] = translucentPixel(in[x] | opaqueBits);
            }
            return;
    }
}

bool ColorProgram::Compiled::applyCurves(const std::uint32_t* in, std::uint32_t* out,
                                         std::size_t count, std::uint32_t opaqueBits) const {
#if defined(__x86_64__)
    if (curvesInRegisters_) {
        const std::size_t whole = count - count % ByteCurves::kGroup;
        std::uint32_t all = applyByteCurvesAvx512(curves_, in, out, whole, opaqueBits);
        for (std::size_t x = whole; x < count; ++x) {
            const std::uint32_t pixel = in[x] | opaqueBits;
            all &= pixel;
            out[x] = curves_.opaquePixel(pixel);
        }
        return all >= 0xFF000000u;
    }
#endif
    std::uint32_t alphas = 0xFF000000u;
    prefetch::eachPixel(in, out, count, [&](std::size_t x) {
        const std::uint32_t pixel = in[x] | opaqueBits;
        alphas &= pixel;
        out[x] = opaqueRed_[(pixel >> 16) & 0xFF] | greenBlue_[pixel & 0xFFFF];
    });
    return alphas >= 0xFF000000u;
}

bool ColorProgram::Compiled::applyMatrixThenCurves(const std::uint32_t* in, std::uint32_t* out,
                                                   std::size_t count,
                                                   std::uint32_t opaqueBits) const {
    return matrixcurves::apply(*matrixCurves_, in, out, count, opaqueBits);
}

void ColorProgram::Compiled::applyTables(const std::uint32_t* in, std::uint32_t* out,
                                         std::size_t count, std::uint32_t opaqueBits) const {
    colortables::apply(tables_, in, out, count, opaqueBits);
}

void ColorProgram::Compiled::redoTranslucent(const std::uint32_t* in, std::uint32_t* out,
                                             std::size_t count, std::uint32_t opaqueBits) const {
    for (std::size_t x = 0; x < count; ++x) {
        const std::uint32_t pixel = in[x] | opaqueBits;
        if (pixel < 0xFF000000u) {
            out[x] = translucentPixel(pixel);
        }
    }
}

std::uint32_t ColorProgram::Compiled::translucentPixel(std::uint32_t pixel) const {
    const std::uint32_t alpha = pixel >> 24;
    if (alpha == 0) {
        return 0;
    }
    const auto a = static_cast<float>(alpha);
    float rgb[3] = {static_cast<float>((pixel >> 16) & 0xFF) / a,
                    static_cast<float>((pixel >> 8) & 0xFF) / a,
                    static_cast<float>(pixel & 0xFF) / a};
    program_.evaluate(rgb);
    std::uint32_t result = alpha << 24;
    for (int c = 0; c < 3; ++c) {
        result |= static_cast<std::uint32_t>(std::lround(clamp01(rgb[c]) * a)) << (16 - 8 * c);
    }
    return result;
}

void ColorProgram::Compiled::tabulateCurves(const Stage& curves) {
    auto& bytes = curves_.levels;
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < 256; ++i) {
            bytes[c][i] = toByte(curves.lookUp(kProgramChannel[c], static_cast<float>(i) / 255));
        }
    }
    const auto isInverse = [&bytes](int c) {
        for (int i = 0; i < 256; ++i) {
            if (bytes[c][i] != 255 - i) {
                return false;
            }
        }
        return true;
    };
    if (isInverse(0) && isInverse(1) && isInverse(2)) {
        shape_ = Shape::Invert;
        return;
    }
    curvesInRegisters_ = vectorlevel::current() == VectorLevel::Avx512;
    if (curvesInRegisters_) {
        return;
    }
    for (std::uint32_t i = 0; i < 256; ++i) {
        opaqueRed_[i] = 0xFF000000u | std::uint32_t{bytes[2][i]} << 16;
    }
    greenBlue_.resize(256 * 256);
    for (std::uint32_t i = 0; i < greenBlue_.size(); ++i) {
        greenBlue_[i] = static_cast<std::uint16_t>(bytes[1][i >> 8] << 8 | bytes[0][i & 0xFF]);
    }
}

void ColorProgram::Compiled::tabulateMatrixThenCurves(const FixedColorMatrix& matrix,
                                                      const Stage& curves) {
    matrixCurves_.emplace(matrix, [&curves](int c, int j) {
        return toByte(
            curves.lookUp(kProgramChannel[c], static_cast<float>(j) / FixedColorMatrix::kIndexMax));
    });
}

void ColorProgram::Compiled::tabulate(const Stage* before, const Stage* matrix,
                                      const Stage* after) {
    const ColorMatrix m = matrix ? matrix->matrix : ColorMatrix::identity();
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < 256; ++i) {
            const float v = static_cast<float>(i) / 255;
            tables_.inputs[c][i] = toFixed(before ? before->lookUp(c, v) : v);
        }
        for (int k = 0; k < 3; ++k) {
            tables_.coefficients[c][k] = toFixed(m.m[4 * c + k]);
        }
        tables_.offsets[c] = toFixed(m.m[4 * c + 3]) * ColorTables::kOne;
        for (int j = 0; j <= ColorTables::kOne; ++j) {
            const float v = static_cast<float>(j) / ColorTables::kOne;
            tables_.finals[c][j] = toByte(after ? after->lookUp(c, v) : v);
        }
    }
}
