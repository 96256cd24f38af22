#pragma once

#include <algorithm>
#include <cstddef>

#include "platform/dispatch/DispatchQueue.h"

// Runs body(first, end) over bands of rows on the worker pool and the calling thread.
// The bands are fixed by the height alone, so a body that writes only its own rows
// gives the same pixels however the bands are shared out.
template <typename Body>
void forEachRowBand(std::size_t height, std::size_t rowsPerBand, const Body& body) {
    const std::size_t bands = (height + rowsPerBand - 1) / rowsPerBand;
    dispatchApply(bands, [&](std::size_t band) {
        const std::size_t first = band * rowsPerBand;
        body(first, std::min(height, first + rowsPerBand));
    });
}

// Bands of about this many pixels keep both workers busy to the end and pay for the
// hand-over many times.
inline std::size_t rowsPerBandFor(std::size_t width) {
    constexpr std::size_t kPixelsPerBand = 64 * 1024;
    return std::max<std::size_t>(1, kPixelsPerBand / std::max<std::size_t>(1, width));
}
