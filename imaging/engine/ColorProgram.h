#pragma once

#include <array>
#include <functional>
#include <vector>

#include "imaging/kernels/ColorMatrix.h"
#include "platform/graphics/CGImage.h"

// What a point filter does to one pixel's colour, as a list of stages: per-channel
// curves (sampled tables) and colour matrices. A chain of point filters joins its
// programs into one (then), merging neighbouring curves and neighbouring matrices, and
// runs them in a single pass over the pixels; stages that change nothing (a neutral
// filter's) are left out. Colours are processed unpremultiplied; alpha is kept.
class ColorProgram {
public:
    using Curve = std::function<float(float)>;

    static ColorProgram curves(const Curve& all);
    static ColorProgram curves(const Curve& red, const Curve& green, const Curve& blue);
    static ColorProgram matrix(const ColorMatrix& matrix);

    ColorProgram then(const ColorProgram& next) const;

    // Writes every pixel of input (premultiplied, or RGB32 read as opaque) into output
    // (premultiplied, same size), over the worker pool.
    void apply(const CGImage& input, CGImage& output) const;

    // The program on one unpremultiplied colour (0 … 1 each).
    void evaluate(float rgb[3]) const;

    std::size_t stageCount() const { return stages_.size(); }

private:
    static constexpr int kTableSize = 4096;
    struct Stage {
        bool isMatrix = false;
        ColorMatrix matrix;
        std::array<std::vector<float>, 3> tables;  // kTableSize + 1 samples of each curve

        static std::vector<float> tabulated(const Curve& curve);

        float lookUp(int channel, float v) const;
        void run(float rgb[3]) const;
        bool isIdentity() const;
    };
    class Compiled;

    static ColorProgram withCurves(std::array<std::vector<float>, 3> tables);
    // Adds the stage at the end, merged into the last one when both are curves or both
    // matrices.
    void append(const Stage& stage);

    std::vector<Stage> stages_;
};
