#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/graphics/PixelMemory.h"

// How a bitmap stores one pixel.
//  ARGB32Premultiplied: one native-endian 32-bit word 0xAARRGGBB per pixel, colour
//    premultiplied by alpha (bytes B, G, R, A in memory on little-endian machines).
//  RGB32: the same layout with the alpha byte ignored and read as opaque.
//  Grey8: one byte of grey level per pixel, opaque.
enum class CGPixelFormat { ARGB32Premultiplied, RGB32, Grey8 };

int bytesPerPixel(CGPixelFormat format);

// A bitmap of whole pixels. The one who creates it fills its pixels, then shares it
// as a CGImageRef, after which nobody writes to it again.
class CGImage {
public:
    // The largest bitmap we make: 100 megapixels, and no side over 32768 pixels.
    // That holds a 48 MP photo (8064 × 6048) with room to spare and keeps a
    // forged size from asking for gigabytes.
    static constexpr std::int64_t kMaxPixels = 100'000'000;
    static constexpr int kMaxSide = 32768;

    static bool isAcceptableSize(std::int64_t width, std::int64_t height);

    enum class Contents { Zeroed, Uninitialized };

    // A bitmap of zeroed pixels (transparent black), or of whatever the memory held when
    // the caller will write every pixel itself; null when the size is not acceptable or
    // the memory can't be had. Rows start on 64-byte boundaries.
    static std::shared_ptr<CGImage> create(int width, int height, CGPixelFormat format,
                                           Contents contents = Contents::Zeroed);

    int width() const { return width_; }
    int height() const { return height_; }
    CGPixelFormat format() const { return format_; }
    int bytesPerPixel() const { return ::bytesPerPixel(format_); }
    std::size_t bytesPerRow() const { return bytesPerRow_; }
    std::size_t byteCount() const { return bytesPerRow_ * static_cast<std::size_t>(height_); }
    bool hasAlpha() const { return format_ == CGPixelFormat::ARGB32Premultiplied; }

    const std::uint8_t* data() const { return data_.get(); }
    std::uint8_t* mutableData() { return data_.get(); }
    const std::uint8_t* row(int y) const { return data_.get() + bytesPerRow_ * y; }
    std::uint8_t* mutableRow(int y) { return data_.get() + bytesPerRow_ * y; }

    // A new bitmap with the same pixels.
    std::shared_ptr<CGImage> copy() const;

private:
    CGImage(int width, int height, CGPixelFormat format, std::size_t bytesPerRow,
            PixelMemory::Pointer data);

    int width_;
    int height_;
    CGPixelFormat format_;
    std::size_t bytesPerRow_;
    PixelMemory::Pointer data_;
};

using CGImageRef = std::shared_ptr<const CGImage>;
