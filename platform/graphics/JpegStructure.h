#pragma once

#include <cstdint>
#include <span>

// Checks the marker structure of a JPEG file before any decoding: it starts with SOI,
// every segment fits in the file, a frame header with a non-zero size comes before the
// first scan, there are at most maxScans scans, and an EOI marker ends the picture.
// Truncated files and files built to make the decoder pass over the picture thousands
// of times fail it. It does not look inside entropy-coded data.
class JpegStructure {
public:
    static bool isSound(std::span<const std::uint8_t> data, int maxScans);
};
