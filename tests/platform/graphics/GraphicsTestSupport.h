#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIImage.h"

namespace graphicstest {

// Colour of a pixel as stored, unpremultiplied to nothing: 0xAARRGGBB (grey bitmaps
// read as opaque grey). Rows count from the bitmap's first row.
inline std::uint32_t pixel(const CGImage& image, int x, int row) {
    if (image.format() == CGPixelFormat::Grey8) {
        const std::uint32_t g = image.row(row)[x];
        return 0xFF000000u | (g << 16) | (g << 8) | g;
    }
    std::uint32_t value;
    std::memcpy(&value, image.row(row) + 4 * x, 4);
    return image.format() == CGPixelFormat::RGB32 ? (value | 0xFF000000u) : value;
}

inline int alphaOf(std::uint32_t p) {
    return static_cast<int>(p >> 24);
}
inline int redOf(std::uint32_t p) {
    return static_cast<int>((p >> 16) & 0xFF);
}

// True when every channel is within tolerance of the expected 0xAARRGGBB.
inline bool near(std::uint32_t actual, std::uint32_t expected, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (a - e > tolerance || e - a > tolerance) {
            return false;
        }
    }
    return true;
}

// A bitmap filled by a function of (x, row) giving 0xAARRGGBB premultiplied.
template <typename Colour>
CGImageRef makeBitmap(int width, int height, CGPixelFormat format, Colour colour) {
    std::shared_ptr<CGImage> image = CGImage::create(width, height, format);
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t value = colour(x, row);
            if (format == CGPixelFormat::Grey8) {
                image->mutableRow(row)[x] = static_cast<std::uint8_t>(value & 0xFF);
            } else {
                std::memcpy(image->mutableRow(row) + 4 * x, &value, 4);
            }
        }
    }
    return image;
}

// What the drawing leaves in a new image context.
template <typename Draw>
UIImagePtr renderImage(CGSize size, bool opaque, double scale, Draw draw) {
    UIGraphicsBeginImageContextWithOptions(size, opaque, scale);
    draw(*UIGraphicsGetCurrentContext());
    UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

// Four quadrants: red top-left, green top-right, blue bottom-left, white bottom-right.
inline CGImageRef quadrants(int width, int height) {
    return makeBitmap(width, height, CGPixelFormat::RGB32, [=](int x, int row) -> std::uint32_t {
        const bool right = x >= width / 2;
        const bool bottom = row >= height / 2;
        return bottom ? (right ? 0xFFFFFFFFu : 0xFF0000FFu) : (right ? 0xFF00FF00u : 0xFFFF0000u);
    });
}

inline void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// The CRC-32 of PNG chunks (and zlib), a byte at a time from a table.
inline std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit) {
                c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
            }
            entries[n] = c;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    }
    return ~crc;
}

// One PNG chunk with its length and CRC.
inline std::vector<std::uint8_t> pngChunk(const char* type, const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> chunk;
    appendBigEndian(chunk, static_cast<std::uint32_t>(data.size()), 4);
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    appendBigEndian(chunk, crc32(chunk.data() + 4, chunk.size() - 4), 4);
    return chunk;
}

// The JPEG with an APP1 EXIF segment holding the TIFF structure, after SOI.
inline std::vector<std::uint8_t> withExifSegment(const std::vector<std::uint8_t>& jpeg,
                                                 const std::vector<std::uint8_t>& tiff) {
    std::vector<std::uint8_t> result(jpeg.begin(), jpeg.begin() + 2);
    result.reserve(jpeg.size() + 10 + tiff.size());
    result.insert(result.end(), {0xFF, 0xE1});
    appendBigEndian(result, static_cast<std::uint32_t>(2 + 6 + tiff.size()), 2);
    result.insert(result.end(), {'E', 'x', 'i', 'f', 0, 0});
    result.insert(result.end(), tiff.begin(), tiff.end());
    result.insert(result.end(), jpeg.begin() + 2, jpeg.end());
    return result;
}

// A JPEG with an APP1 EXIF segment holding only the orientation tag, after SOI.
inline std::vector<std::uint8_t> withExifOrientation(const std::vector<std::uint8_t>& jpeg,
                                                     int orientation) {
    // Big-endian TIFF, IFD at 8 with one entry: tag 0x0112, SHORT, count 1; no next IFD.
    return withExifSegment(
        jpeg, {'M',  'M',  0, 42, 0, 0, 0, 8, 0, 1,
               0x01, 0x12, 0, 3,  0, 0, 0, 1, 0, static_cast<std::uint8_t>(orientation),
               0,    0,    0, 0,  0, 0});
}

}  // namespace graphicstest
