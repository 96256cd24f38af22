#include "imaging/kernels/ResampleKernels.h"

namespace resample {

void verticalScalar(const std::uint8_t* const* rows, const std::int16_t* weights, int taps,
                    std::int16_t* sums, std::size_t begin, std::size_t end) {
    for (std::size_t j = begin; j < end; ++j) {
        std::int32_t sum = 0;
        for (int t = 0; t < taps; ++t) {
            sum += weights[t] * rows[t][j];
        }
        sums[j] = static_cast<std::int16_t>((sum + (1 << (kVerticalShift - 1))) >> kVerticalShift);
    }
}

void horizontalScalar(const HorizontalRow& row, std::uint32_t* out, std::ptrdiff_t step) {
    for (int i = 0; i < row.columns.count(); ++i, out += step) {
        const int taps = row.rowInside ? row.columns.tapCount(i) : 0;
        *out = taps == 0 ? 0u
                         : horizontalPixelScalar(row.sums + 4 * row.columns.start(i),
                                                 row.columns.weights(i), taps) |
                               row.opaqueBits;
    }
}

}  // namespace resample
