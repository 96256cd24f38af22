#include "platform/graphics/PngStructure.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Length, type and CRC around each chunk's data.
constexpr std::size_t kChunkOverhead = 12;
constexpr std::size_t kHeaderLength = 13;
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFF;

std::uint32_t readBigEndian32(const std::uint8_t* bytes) {
    return (static_cast<std::uint32_t>(bytes[0]) << 24) |
           (static_cast<std::uint32_t>(bytes[1]) << 16) |
           (static_cast<std::uint32_t>(bytes[2]) << 8) | bytes[3];
}

bool isChunkType(const std::uint8_t* type) {
    return std::all_of(type, type + 4, [](std::uint8_t c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
}

bool isType(const std::uint8_t* type, const char* name) {
    return std::memcmp(type, name, 4) == 0;
}

// Bit 5 of the first letter (lower case) marks a chunk a decoder may skip.
bool isAncillary(const std::uint8_t* type) {
    return (type[0] & 0x20) != 0;
}

}  // namespace

PngStructure::Verdict PngStructure::inspect(std::span<const std::uint8_t> data,
                                            std::size_t maxAncillaryBytes) {
    if (data.size() < kSignature.size() ||
        !std::equal(kSignature.begin(), kSignature.end(), data.begin())) {
        return Verdict::Refused;
    }
    std::size_t position = kSignature.size();
    bool sawImageData = false;
    bool first = true;
    while (data.size() - position >= kChunkOverhead) {
        const std::uint8_t* chunk = data.data() + position;
        const std::uint32_t length = readBigEndian32(chunk);
        const std::uint8_t* type = chunk + 4;
        if (length > kMaxChunkLength || !isChunkType(type)) {
            return Verdict::Refused;
        }
        if (length > data.size() - position - kChunkOverhead) {
            return Verdict::Truncated;
        }
        if (first) {
            if (!isType(type, "IHDR") || length != kHeaderLength ||
                readBigEndian32(chunk + 8) == 0 || readBigEndian32(chunk + 12) == 0) {
                return Verdict::Refused;
            }
            first = false;
        }
        if (isType(type, "IEND")) {
            return sawImageData ? Verdict::Sound : Verdict::Refused;
        }
        if (isAncillary(type) && length > maxAncillaryBytes) {
            return Verdict::Refused;
        }
        sawImageData = sawImageData || isType(type, "IDAT");
        position += kChunkOverhead + length;
    }
    return Verdict::Truncated;
}
