#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/engine/ColorProgram.h"
#include "imaging/kernels/ByteCurves.h"
#include "imaging/kernels/ColorTables.h"
#include "imaging/kernels/FixedColorMatrix.h"
#include "imaging/kernels/MatrixCurves.h"

// A colour program laid out for 8-bit pixels, by its shape:
//  - curves alone: the inverse colours (alpha minus each) when they are 1 - value, else
//    looked up in registers where the processor can, else a table for red and one for
//    green and blue together, so a pixel takes two look-ups;
//  - a matrix alone, or no stage (the identity matrix): a fixed-point matrix on the
//    premultiplied pixels, every pixel;
//  - a matrix, then curves: tables of the curves over everything the matrix reaches
//    (MatrixCurves), unless its weights are too large for them;
//  - curves, a matrix and curves: fixed-point tables (ColorTables);
// anything else runs the stages in floating point. The matrix alone handles every
// pixel itself; the other tables apply to opaque pixels, and translucent ones are
// unpremultiplied and run in floating point.
class ColorProgram::Compiled {
public:
    explicit Compiled(const ColorProgram& program);

    // A row of premultiplied pixels; opaqueBits is ORed into each (RGB32 reads as opaque).
    void applyRow(const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                  std::uint32_t opaqueBits) const;

private:
    enum class Shape { Invert, Curves, Matrix, MatrixThenCurves, Tables, Stages };

    // Rows are run in chunks this long, so the pixels to redo are still in the fastest
    // cache.
    static constexpr std::size_t kChunk = 256;

    void applyChunk(const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                    std::uint32_t opaqueBits) const;
    // Returns whether every pixel was opaque; translucent ones are left for the caller.
    bool applyCurves(const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                     std::uint32_t opaqueBits) const;
    // Returns whether every pixel was opaque, like applyCurves.
    bool applyMatrixThenCurves(const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                               std::uint32_t opaqueBits) const;
    void applyTables(const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                     std::uint32_t opaqueBits) const;
    void redoTranslucent(const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                         std::uint32_t opaqueBits) const;
    std::uint32_t translucentPixel(std::uint32_t pixel) const;

    void tabulateCurves(const Stage& curves);
    void tabulateMatrixThenCurves(const FixedColorMatrix& matrix, const Stage& curves);
    void tabulate(const Stage* before, const Stage* matrix, const Stage* after);

    const ColorProgram& program_;
    Shape shape_ = Shape::Stages;
    // Colour channels here are in memory order: blue, green, red.
    ByteCurves curves_{};
    bool curvesInRegisters_ = false;
    std::uint32_t opaqueRed_[256];
    std::vector<std::uint16_t> greenBlue_;  // indexed by the pixel's green and blue bytes
    FixedColorMatrix matrix_;
    std::optional<MatrixCurves> matrixCurves_;
    ColorTables tables_{};
};
