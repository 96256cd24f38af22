#include "imaging/ColorProgram.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "imaging/ColorMath.h"
#include "imaging/ColorTables.h"
#include "imaging/RowBands.h"

using colormath::clamp01;

float ColorProgram::Stage::lookUp(int channel, float v) const {
    const float position = clamp01(v) * kTableSize;
    const int index = std::min(static_cast<int>(position), kTableSize - 1);
    const float fraction = position - static_cast<float>(index);
    const std::vector<float>& table = tables[channel];
    return table[index] + fraction * (table[index + 1] - table[index]);
}

void ColorProgram::Stage::run(float rgb[3]) const {
    if (isMatrix) {
        matrix.apply(rgb);
        return;
    }
    for (int c = 0; c < 3; ++c) {
        rgb[c] = lookUp(c, rgb[c]);
    }
}

ColorProgram ColorProgram::curves(const Curve& all) {
    return curves(all, all, all);
}

ColorProgram ColorProgram::curves(const Curve& red, const Curve& green, const Curve& blue) {
    Stage stage;
    const Curve* sources[3] = {&red, &green, &blue};
    for (int c = 0; c < 3; ++c) {
        stage.tables[c].resize(kTableSize + 1);
        for (int i = 0; i <= kTableSize; ++i) {
            stage.tables[c][i] = (*sources[c])(static_cast<float>(i) / kTableSize);
        }
    }
    ColorProgram program;
    program.stages_.push_back(std::move(stage));
    return program;
}

ColorProgram ColorProgram::matrix(const ColorMatrix& matrix) {
    ColorProgram program;
    program.stages_.push_back(Stage{true, matrix, {}});
    return program;
}

ColorProgram ColorProgram::then(const ColorProgram& next) const {
    ColorProgram joined = *this;
    for (const Stage& stage : next.stages_) {
        if (joined.stages_.empty() || joined.stages_.back().isMatrix != stage.isMatrix) {
            joined.stages_.push_back(stage);
            continue;
        }
        Stage& last = joined.stages_.back();
        if (stage.isMatrix) {
            last.matrix = last.matrix.then(stage.matrix);
        } else {
            for (int c = 0; c < 3; ++c) {
                for (float& value : last.tables[c]) {
                    value = stage.lookUp(c, value);
                }
            }
        }
    }
    return joined;
}

void ColorProgram::evaluate(float rgb[3]) const {
    for (const Stage& stage : stages_) {
        stage.run(rgb);
    }
}

// The program laid out for 8-bit pixels. Curves alone become three byte tables; curves,
// a matrix and curves become fixed-point tables (ColorTables), run with vectors where the
// processor has AVX2. Longer programs, and translucent pixels, run the stages in
// floating point.
class ColorProgram::Compiled {
public:
    explicit Compiled(const ColorProgram& program) : program_(program) {
        const auto& stages = program.stages_;
        curvesOnly_ = stages.size() == 1 && !stages.front().isMatrix;
        const std::size_t firstMatrix = !stages.empty() && !stages.front().isMatrix ? 1 : 0;
        const bool hasMatrix = firstMatrix < stages.size() && stages[firstMatrix].isMatrix;
        const std::size_t rest = stages.size() - firstMatrix - (hasMatrix ? 1 : 0);
        tabulated_ = !curvesOnly_ && (stages.empty() || (hasMatrix && rest <= 1));
        if (curvesOnly_) {
            for (int c = 0; c < 3; ++c) {
                for (int i = 0; i < 256; ++i) {
                    bytes_[c][i] = toByte(stages.front().lookUp(c, static_cast<float>(i) / 255));
                }
            }
        } else if (tabulated_) {
            const Stage* before = firstMatrix == 1 ? &stages.front() : nullptr;
            const Stage* matrix = hasMatrix ? &stages[firstMatrix] : nullptr;
            const Stage* after = rest == 1 ? &stages.back() : nullptr;
            tabulate(before, matrix, after);
        }
#if defined(__x86_64__)
        vectorised_ = tabulated_ && __builtin_cpu_supports("avx2");
#endif
    }

    void applyRow(const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                  std::uint32_t opaqueBits) const {
        if (vectorised_) {
#if defined(__x86_64__)
            applyColorTablesAvx2(tables_, in, out, count, opaqueBits);
#endif
            for (std::size_t x = 0; x < count; ++x) {
                if ((in[x] | opaqueBits) < 0xFF000000u) {
                    out[x] = translucentPixel(in[x]);
                }
            }
            return;
        }
        for (std::size_t x = 0; x < count; ++x) {
            const std::uint32_t pixel = in[x] | opaqueBits;
            out[x] = pixel >= 0xFF000000u ? opaquePixel(pixel) : translucentPixel(pixel);
        }
    }

private:
    static std::uint8_t toByte(float v) {
        return static_cast<std::uint8_t>(clamp01(v) * 255.0f + 0.5f);
    }

    static std::int32_t toFixed(float v) {
        // Far beyond any colour, so the sums stay inside 32 bits.
        return static_cast<std::int32_t>(
            std::lround(std::clamp(v, -8.0f, 8.0f) * ColorTables::kOne));
    }

    std::uint32_t opaquePixel(std::uint32_t pixel) const {
        if (curvesOnly_) {
            return 0xFF000000u | std::uint32_t{bytes_[0][(pixel >> 16) & 0xFF]} << 16 |
                   std::uint32_t{bytes_[1][(pixel >> 8) & 0xFF]} << 8 | bytes_[2][pixel & 0xFF];
        }
        return tabulated_ ? tables_.opaquePixel(pixel) : translucentPixel(pixel);
    }

    std::uint32_t translucentPixel(std::uint32_t pixel) const {
        const std::uint32_t alpha = pixel >> 24;
        if (alpha == 0) {
            return 0;
        }
        const float a = static_cast<float>(alpha);
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

    void tabulate(const Stage* before, const Stage* matrix, const Stage* after) {
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

    const ColorProgram& program_;
    bool curvesOnly_;
    bool tabulated_;
    bool vectorised_ = false;
    std::uint8_t bytes_[3][256];
    ColorTables tables_{};
};

void ColorProgram::apply(const CGImage& input, CGImage& output) const {
    const Compiled compiled(*this);
    const std::uint32_t opaque = input.format() == CGPixelFormat::RGB32 ? 0xFF000000u : 0;
    const auto width = static_cast<std::size_t>(input.width());
    forEachRowBand(input.height(), rowsPerBandFor(width), [&](std::size_t first, std::size_t end) {
        for (auto y = static_cast<int>(first); y < static_cast<int>(end); ++y) {
            const auto* in = reinterpret_cast<const std::uint32_t*>(input.row(y));
            auto* out = reinterpret_cast<std::uint32_t*>(output.mutableRow(y));
            compiled.applyRow(in, out, width, opaque);
        }
    });
}
