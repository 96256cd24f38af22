#include "platform/graphics/JpegStructure.h"

#include <array>
#include <cstring>

namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kTemporary = 0x01;
constexpr int kMaxComponents = 4;
constexpr std::uint64_t kAllCoefficients = ~std::uint64_t{0};

bool isRestart(std::uint8_t marker) {
    return marker >= 0xD0 && marker <= 0xD7;
}

// SOF0…SOF15, except DHT (C4), JPG (C8) and DAC (CC), which share the range.
bool isStartOfFrame(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// SOF2, SOF6, SOF10 and SOF14.
bool isProgressiveFrame(std::uint8_t marker) {
    return (marker & 0x03) == 0x02;
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

// Which coefficients of each frame component the scans so far bring to full precision
// (successive approximation low bit 0).
class Coverage {
public:
    // segment: the frame header's body, after its length.
    bool readFrame(std::span<const std::uint8_t> segment, bool progressive) {
        progressive_ = progressive;
        count_ = segment.size() >= 6 ? segment[5] : 0;
        if (count_ < 1 || count_ > kMaxComponents ||
            segment.size() < 6 + 3 * static_cast<std::size_t>(count_)) {
            return false;
        }
        for (int i = 0; i < count_; ++i) {
            ids_[i] = segment[6 + 3 * i];
        }
        return true;
    }

    // segment: the scan header's body, after its length.
    void readScan(std::span<const std::uint8_t> segment) {
        const std::size_t count = segment.empty() ? 0 : segment[0];
        if (segment.size() < 4 + 2 * count) {
            return;
        }
        const int start = segment[1 + 2 * count];
        const int end = segment[2 + 2 * count];
        const int lowBit = segment[3 + 2 * count] & 0x0F;
        std::uint64_t covered = kAllCoefficients;
        if (progressive_) {
            if (lowBit != 0 || start > end || end > 63) {
                return;
            }
            covered = (end == 63 ? kAllCoefficients : (std::uint64_t{1} << (end + 1)) - 1) &
                      ~((std::uint64_t{1} << start) - 1);
        }
        for (std::size_t i = 0; i < count; ++i) {
            for (int c = 0; c < count_; ++c) {
                if (ids_[c] == segment[1 + 2 * i]) {
                    done_[c] |= covered;
                }
            }
        }
    }

    bool isComplete() const {
        for (int c = 0; c < count_; ++c) {
            if (done_[c] != kAllCoefficients) {
                return false;
            }
        }
        return count_ > 0;
    }

    int components() const { return count_; }

private:
    bool progressive_ = false;
    int count_ = 0;
    std::array<std::uint8_t, kMaxComponents> ids_{};
    std::array<std::uint64_t, kMaxComponents> done_{};
};

JpegStructure::Summary truncated(JpegStructure::Summary summary) {
    summary.verdict = JpegStructure::Verdict::Truncated;
    return summary;
}

}  // namespace

JpegStructure::Summary JpegStructure::inspect(std::span<const std::uint8_t> data, Limits limits) {
    Summary summary;
    if (data.size() < 4 || data[0] != kMarkerPrefix || data[1] != kStartOfImage) {
        return summary;
    }
    std::size_t position = 2;
    int scans = 0;
    int segments = 0;
    bool sawFrame = false;
    bool inScanData = false;
    Coverage coverage;
    while (position < data.size()) {
        if (data[position] != kMarkerPrefix) {
            return summary;
        }
        inScanData = false;
        while (position < data.size() && data[position] == kMarkerPrefix) {
            ++position;  // fill bytes
        }
        if (position >= data.size()) {
            return truncated(summary);
        }
        const std::uint8_t marker = data[position++];
        if (marker == kEndOfImage) {
            summary.verdict = sawFrame && scans > 0 ? Verdict::Complete : Verdict::Refused;
            return summary;
        }
        if (marker == kStartOfImage || marker == 0x00) {
            return summary;
        }
        if (isRestart(marker) || marker == kTemporary) {
            continue;
        }
        if (position + 2 > data.size()) {
            return truncated(summary);
        }
        const std::size_t length = readBigEndian16(data, position);
        if (length < 2) {
            return summary;
        }
        if (position + length > data.size()) {
            return truncated(summary);
        }
        const std::span<const std::uint8_t> body = data.subspan(position + 2, length - 2);
        if (isStartOfFrame(marker) && !sawFrame) {
            // Precision (1 byte), then height and width.
            if (length < 8 || readBigEndian16(data, position + 3) == 0 ||
                readBigEndian16(data, position + 5) == 0 ||
                !coverage.readFrame(body, isProgressiveFrame(marker))) {
                return summary;
            }
            sawFrame = true;
            summary.progressive = isProgressiveFrame(marker);
            summary.components = coverage.components();
        }
        position += length;
        if (marker == kStartOfScan) {
            if (!sawFrame || ++scans > limits.maxScans) {
                return summary;
            }
            summary.scans = scans;
            coverage.readScan(body);
            position = endOfEntropyData(data, position);
            inScanData = true;
        } else if (++segments > limits.maxSegments) {
            return summary;
        }
    }
    summary.verdict =
        inScanData && coverage.isComplete() ? Verdict::Unterminated : Verdict::Truncated;
    return summary;
}
