#pragma once

#include <cstdint>
#include <optional>
#include <span>

// The canvas an animation format's decoder allocates whatever its frames' sizes: the
// logical screen of a GIF, the canvas of an extended (VP8X) WebP. A 1 × 1 frame on a
// 10000 × 10000 canvas still costs the whole canvas, so size checks must see it.
class CanvasHeader {
public:
    struct Size {
        std::int64_t width;
        std::int64_t height;
    };

    // Nothing for other formats, simple WebPs and headers too short to hold a canvas.
    static std::optional<Size> gifScreen(std::span<const std::uint8_t> data);
    static std::optional<Size> webpCanvas(std::span<const std::uint8_t> data);
};
