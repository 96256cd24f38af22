#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "imaging/kernels/BilinearKernels.h"
#include "imaging/kernels/ColorTables.h"
#include "imaging/kernels/ConvolutionSpan.h"
#include "imaging/kernels/FixedColorMatrix.h"
#include "imaging/kernels/HalfSize.h"
#include "imaging/kernels/Invert.h"
#include "imaging/kernels/MatrixCurves.h"
#include "imaging/kernels/ResampleKernels.h"
#include "imaging/kernels/VectorLevel.h"

// Each vector kernel on one core at every level this processor has, on 32 rows of a 12 MP
// photo's width, which stay in the cache: the arithmetic, without the memory.
namespace {

constexpr std::size_t kWidth = 4032;
constexpr std::size_t kRows = 32;
constexpr std::size_t kPixels = kWidth * kRows;

struct Rows {
    Rows() : in(kPixels), out(kPixels), bytes(61, std::vector<std::uint8_t>(4 * kWidth)) {
        std::mt19937 random(5);
        for (auto& p : in) {
            p = static_cast<std::uint32_t>(random()) | 0xFF000000u;
        }
        for (auto& row : bytes) {
            for (auto& b : row) {
                b = static_cast<std::uint8_t>(random());
            }
            rowPointers.push_back(row.data());
        }
        for (int c = 0; c < 3; ++c) {
            for (int i = 0; i < 256; ++i) {
                tables.inputs[c][i] = static_cast<std::int32_t>(random() % ColorTables::kOne);
            }
            for (int k = 0; k < 3; ++k) {
                tables.coefficients[c][k] = ColorTables::kOne / 3;
            }
        }
    }

    std::vector<std::uint32_t> in;
    std::vector<std::uint32_t> out;
    std::vector<std::vector<std::uint8_t>> bytes;
    std::vector<const std::uint8_t*> rowPointers;
    FixedColorMatrix matrix{ColorMatrix::saturation(1.4f)};
    MatrixCurves curves{matrix, [](int c, int j) { return static_cast<std::uint8_t>(j * 3 + c); }};
    ColorTables tables{};
};

const Rows& rows() {
    static const Rows instance;
    return instance;
}

// Runs kernel(rows, out) once for each of the rows, at the level.
template <typename Kernel>
void BM_Kernel(benchmark::State& state, VectorLevel level, Kernel kernel) {
    const vectorlevel::ScopedLimit limit(level);
    const Rows& r = rows();
    std::vector<std::uint32_t> out(kPixels);
    for (auto _ : state) {
        for (std::size_t y = 0; y < kRows; ++y) {
            kernel(r, y * kWidth, out.data() + y * kWidth);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPixels));
}

template <typename Kernel>
void add(const std::string& name, Kernel kernel) {
    for (VectorLevel level : vectorlevel::available()) {
        benchmark::RegisterBenchmark(("Kernel/" + name + "/" + vectorlevel::name(level)).c_str(),
                                     BM_Kernel<Kernel>, level, kernel);
    }
}

void registerKernels() {
    add("Matrix", [](const Rows& r, std::size_t first, std::uint32_t* out) {
        fixedcolormatrix::apply(r.matrix, r.in.data() + first, out, kWidth, 0);
    });
    add("MatrixThenCurves", [](const Rows& r, std::size_t first, std::uint32_t* out) {
        matrixcurves::apply(r.curves, r.in.data() + first, out, kWidth, 0);
    });
    add("ColorTables", [](const Rows& r, std::size_t first, std::uint32_t* out) {
        colortables::apply(r.tables, r.in.data() + first, out, kWidth, 0);
    });
    add("Invert", [](const Rows& r, std::size_t first, std::uint32_t* out) {
        invert::apply(r.in.data() + first, out, kWidth, 0);
    });
    add("HalfSize", [](const Rows& r, std::size_t first, std::uint32_t* out) {
        // Two rows make half a row: its items are half the source pixels read.
        const std::size_t start = first / (2 * kWidth) * 2 * kWidth;
        halfsize::mean(r.in.data() + start, r.in.data() + start + kWidth, out, kWidth / 2, 0);
    });
    add("ResampleVertical2Taps", [](const Rows& r, std::size_t, std::uint32_t* out) {
        const std::int16_t weights[2] = {ResampleWeights::kOne / 2, ResampleWeights::kOne / 2};
        resample::vertical(r.rowPointers.data(), weights, 2, reinterpret_cast<std::int16_t*>(out),
                           0, 2 * kWidth);
    });
    add("Convolution61Taps", [](const Rows& r, std::size_t, std::uint32_t* out) {
        static const ConvolutionTaps taps = [] {
            std::vector<std::int16_t> kernel(61);
            for (int i = 0; i <= 30; ++i) {
                kernel[i] = kernel[60 - i] = static_cast<std::int16_t>(10 + 3 * i);
            }
            std::int32_t sum = 0;
            for (auto k : kernel) {
                sum += k;
            }
            return ConvolutionTaps(kernel.data(), 61, sum);
        }();
        selectConvolveSpan(taps)(taps, r.rowPointers.data(), reinterpret_cast<std::uint8_t*>(out),
                                 0, 4 * kWidth);
    });
    add("BilinearTurned30", [](const Rows& r, std::size_t first, std::uint32_t* out) {
        const auto fixed = [](double p) {
            return static_cast<std::int64_t>((p + bilinear::kOffsetPixels) * 4294967296.0);
        };
        const bilinear::Source source{reinterpret_cast<const std::uint8_t*>(r.in.data()),
                                      4 * kWidth, 0};
        const double y = static_cast<double>(first / kWidth) * 0.2 + 1;
        bilinear::sampleInside(source, fixed(10.5), fixed(y), fixed(0.866) - fixed(0),
                               fixed(0.0015) - fixed(0), out, kWidth);
    });
}

[[maybe_unused]] const bool registered = (registerKernels(), true);

}  // namespace
