#include "imaging/operations/BitmapConversion.h"

#include <cstring>

#include "imaging/operations/RowBands.h"

namespace {

// One row as 0xAARRGGBB words; opaque forces the alpha byte to 0xFF (a premultiplied
// pixel then reads as drawn over black).
void convertRow(const CGImage& source, int y, std::uint32_t* out, bool opaque) {
    const auto width = static_cast<std::size_t>(source.width());
    const std::uint8_t* in = source.row(y);
    switch (source.format()) {
        case CGPixelFormat::ARGB32Premultiplied:
            std::memcpy(out, in, width * 4);
            if (!opaque) {
                break;
            }
            [[fallthrough]];
        case CGPixelFormat::RGB32: {
            const auto* pixels = reinterpret_cast<const std::uint32_t*>(in);
            for (std::size_t x = 0; x < width; ++x) {
                out[x] = pixels[x] | 0xFF000000u;
            }
            break;
        }
        case CGPixelFormat::Grey8:
            for (std::size_t x = 0; x < width; ++x) {
                out[x] = 0xFF000000u | in[x] * 0x010101u;
            }
            break;
    }
}

}  // namespace

std::shared_ptr<CGImage> BitmapConversion::mapRows(
    const CGImage& source, CGPixelFormat format,
    const std::function<void(int y, std::uint8_t* row)>& writeRow) {
    auto result =
        CGImage::create(source.width(), source.height(), format, CGImage::Contents::Uninitialized);
    if (!result) {
        return nullptr;
    }
    const auto width = static_cast<std::size_t>(source.width());
    forEachRowBand(source.height(), rowsPerBandFor(width), [&](std::size_t first, std::size_t end) {
        for (auto y = static_cast<int>(first); y < static_cast<int>(end); ++y) {
            writeRow(y, result->mutableRow(y));
        }
    });
    return result;
}

std::shared_ptr<CGImage> BitmapConversion::toPremultipliedARGB(const CGImage& source) {
    return mapRows(source, CGPixelFormat::ARGB32Premultiplied, [&](int y, std::uint8_t* row) {
        convertRow(source, y, reinterpret_cast<std::uint32_t*>(row), false);
    });
}

std::shared_ptr<CGImage> BitmapConversion::toOpaqueRGB(const CGImage& source) {
    return mapRows(source, CGPixelFormat::RGB32, [&](int y, std::uint8_t* row) {
        convertRow(source, y, reinterpret_cast<std::uint32_t*>(row), true);
    });
}

std::shared_ptr<CGImage> BitmapConversion::toGrey(const CGImage& source) {
    if (source.format() == CGPixelFormat::Grey8) {
        return source.copy();
    }
    const auto width = static_cast<std::size_t>(source.width());
    return mapRows(source, CGPixelFormat::Grey8, [&](int y, std::uint8_t* out) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(source.row(y));
        for (std::size_t x = 0; x < width; ++x) {
            out[x] = luma(in[x]);
        }
    });
}
