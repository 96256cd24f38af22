#include "platform/graphics/JpegStructure.h"

#include <cstring>

namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kTemporary = 0x01;

bool isRestart(std::uint8_t marker) {
    return marker >= 0xD0 && marker <= 0xD7;
}

// SOF0…SOF15, except DHT (C4), JPG (C8) and DAC (CC), which share the range.
bool isStartOfFrame(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::size_t readBigEndian16(std::span<const std::uint8_t> data, std::size_t at) {
    return (static_cast<std::size_t>(data[at]) << 8) | data[at + 1];
}

// The position of the marker that ends the entropy-coded data starting at position:
// an 0xFF not followed by a stuffed zero or a restart marker.
std::size_t endOfEntropyData(std::span<const std::uint8_t> data, std::size_t position) {
    while (position < data.size()) {
        const void* found =
            std::memchr(data.data() + position, kMarkerPrefix, data.size() - position);
        if (found == nullptr) {
            return data.size();
        }
        position = static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - data.data());
        if (position + 1 >= data.size()) {
            return data.size();
        }
        const std::uint8_t next = data[position + 1];
        if (next != 0x00 && !isRestart(next)) {
            return position;
        }
        position += 2;
    }
    return position;
}

}  // namespace

bool JpegStructure::isSound(std::span<const std::uint8_t> data, int maxScans) {
    if (data.size() < 4 || data[0] != kMarkerPrefix || data[1] != kStartOfImage) {
        return false;
    }
    std::size_t position = 2;
    int scans = 0;
    bool sawFrame = false;
    while (position < data.size()) {
        if (data[position] != kMarkerPrefix) {
            return false;
        }
        while (position < data.size() && data[position] == kMarkerPrefix) {
            ++position;  // fill bytes
        }
        if (position >= data.size()) {
            return false;
        }
        const std::uint8_t marker = data[position++];
        if (marker == kEndOfImage) {
            return sawFrame && scans > 0;
        }
        if (marker == kStartOfImage || marker == 0x00) {
            return false;
        }
        if (isRestart(marker) || marker == kTemporary) {
            continue;
        }
        if (position + 2 > data.size()) {
            return false;
        }
        const std::size_t length = readBigEndian16(data, position);
        if (length < 2 || position + length > data.size()) {
            return false;
        }
        if (isStartOfFrame(marker)) {
            // Precision (1 byte), then height and width.
            if (length < 8 || readBigEndian16(data, position + 3) == 0 ||
                readBigEndian16(data, position + 5) == 0) {
                return false;
            }
            sawFrame = true;
        }
        position += length;
        if (marker == kStartOfScan) {
            if (!sawFrame || ++scans > maxScans) {
                return false;
            }
            position = endOfEntropyData(data, position);
        }
    }
    return false;
}
