#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Checks the chunk structure of a PNG file before any decoding: the signature, IHDR
// first with a non-zero size, every chunk inside the file with a well-formed type, at
// least one IDAT, IEND at the end, and no ancillary chunk (text, ICC profile, EXIF…)
// over maxAncillaryBytes. Chunk CRCs are left to the decoder.
class PngStructure {
public:
    enum class Verdict { Sound, Truncated, Refused };

    static Verdict inspect(std::span<const std::uint8_t> data, std::size_t maxAncillaryBytes);
};
