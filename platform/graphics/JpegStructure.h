#pragma once

#include <cstdint>
#include <span>

// Checks the marker structure of a JPEG file before any decoding: it starts with SOI,
// every segment fits in the file, a frame header with a non-zero size comes before the
// first scan, there are at most maxScans scans and at most maxSegments other segments,
// and an EOI marker ends the picture. Truncated files and files built to make the
// decoder pass over the picture thousands of times (scans) or walk its list of saved
// segments thousands of times (comments, APPn) fail it. It does not look inside
// entropy-coded data.
//
// A file whose last scan runs to the end without EOI is Unterminated when its scans
// still carry every coefficient of every component to full precision: it is whole if
// that last scan's data is, which only the decoder can tell. One that ends anywhere
// else is Truncated; any other fault is Refused.
class JpegStructure {
public:
    enum class Verdict { Refused, Truncated, Complete, Unterminated };

    struct Limits {
        int maxScans;
        int maxSegments;
    };

    struct Summary {
        Verdict verdict = Verdict::Refused;
        bool progressive = false;
        int components = 0;
        int scans = 0;
    };

    static Summary inspect(std::span<const std::uint8_t> data, Limits limits);
};
