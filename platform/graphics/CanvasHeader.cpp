#include "platform/graphics/CanvasHeader.h"

#include <cstring>

namespace {

std::int64_t littleEndian(std::span<const std::uint8_t> data, std::size_t at, int bytes) {
    std::int64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | data[at + i];
    }
    return value;
}

bool startsWith(std::span<const std::uint8_t> data, std::size_t at, const char* text) {
    const std::size_t length = std::strlen(text);
    return data.size() >= at + length && std::memcmp(data.data() + at, text, length) == 0;
}

}  // namespace

std::optional<CanvasHeader::Size> CanvasHeader::gifScreen(std::span<const std::uint8_t> data) {
    // "GIF87a" or "GIF89a", then the screen's width and height, 16 bits each.
    if (data.size() < 10 || !startsWith(data, 0, "GIF")) {
        return std::nullopt;
    }
    return Size{littleEndian(data, 6, 2), littleEndian(data, 8, 2)};
}

std::optional<CanvasHeader::Size> CanvasHeader::webpCanvas(std::span<const std::uint8_t> data) {
    // "RIFF", size, "WEBP", then the first chunk: "VP8X", size, flags and three reserved
    // bytes, the canvas width and height less one, 24 bits each.
    if (data.size() < 30 || !startsWith(data, 0, "RIFF") || !startsWith(data, 8, "WEBP") ||
        !startsWith(data, 12, "VP8X")) {
        return std::nullopt;
    }
    return Size{littleEndian(data, 24, 3) + 1, littleEndian(data, 27, 3) + 1};
}
