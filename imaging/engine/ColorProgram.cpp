#include "imaging/engine/ColorProgram.h"

#include <algorithm>
#include <cmath>

#include "imaging/engine/ColorProgramCompiled.h"
#include "imaging/kernels/ColorMath.h"
#include "imaging/operations/RowBands.h"

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

bool ColorProgram::Stage::isIdentity() const {
    // Far below what any 8-bit result, or a fine index into the curves, can show.
    constexpr float kTolerance = 1e-5f;
    const auto near = [](float a, float b) { return std::abs(a - b) <= kTolerance; };
    if (isMatrix) {
        const ColorMatrix identity = ColorMatrix::identity();
        return std::equal(matrix.m.begin(), matrix.m.end(), identity.m.begin(), near);
    }
    for (const std::vector<float>& table : tables) {
        for (int i = 0; i <= kTableSize; ++i) {
            if (!near(table[i], static_cast<float>(i) / kTableSize)) {
                return false;
            }
        }
    }
    return true;
}

std::vector<float> ColorProgram::Stage::tabulated(const Curve& curve) {
    std::vector<float> table(kTableSize + 1);
    for (int i = 0; i <= kTableSize; ++i) {
        table[i] = curve(static_cast<float>(i) / kTableSize);
    }
    return table;
}

ColorProgram ColorProgram::curves(const Curve& all) {
    // Curves can be costly to evaluate (powers, splines): sample this one once.
    std::vector<float> table = Stage::tabulated(all);
    return withCurves({table, table, std::move(table)});
}

ColorProgram ColorProgram::curves(const Curve& red, const Curve& green, const Curve& blue) {
    return withCurves({Stage::tabulated(red), Stage::tabulated(green), Stage::tabulated(blue)});
}

ColorProgram ColorProgram::withCurves(std::array<std::vector<float>, 3> tables) {
    Stage stage;
    stage.tables = std::move(tables);
    ColorProgram program;
    program.append(stage);
    return program;
}

ColorProgram ColorProgram::matrix(const ColorMatrix& matrix) {
    ColorProgram program;
    program.append(Stage{true, matrix, {}});
    return program;
}

ColorProgram ColorProgram::then(const ColorProgram& next) const {
    ColorProgram joined = *this;
    for (const Stage& stage : next.stages_) {
        joined.append(stage);
    }
    return joined;
}

void ColorProgram::append(const Stage& stage) {
    if (stage.isIdentity()) {
        return;
    }
    if (stages_.empty() || stages_.back().isMatrix != stage.isMatrix) {
        stages_.push_back(stage);
        return;
    }
    Stage& last = stages_.back();
    if (stage.isMatrix) {
        last.matrix = last.matrix.then(stage.matrix);
    } else {
        for (int c = 0; c < 3; ++c) {
            for (float& value : last.tables[c]) {
                value = stage.lookUp(c, value);
            }
        }
    }
    if (last.isIdentity()) {
        stages_.pop_back();
    }
}

void ColorProgram::evaluate(float rgb[3]) const {
    for (const Stage& stage : stages_) {
        stage.run(rgb);
    }
}

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
