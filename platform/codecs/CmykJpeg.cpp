#include "platform/codecs/CmykJpeg.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <csetjmp>

#include "platform/codecs/SrgbConversion.h"

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool warned;
};

[[noreturn]] void jumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Warnings (level −1) mean damage the codec papered over, such as data ending early.
void noteWarning(j_common_ptr info, int level) {
    if (level < 0) {
        reinterpret_cast<ErrorManager*>(info->err)->warned = true;
    }
}

// What the picture's sides are divided by: the most of 2, 4 and 8 that keeps
// minimumShortSide pixels on the shorter side (rounded up, as the codec does), or 1.
int reduction(int shortSide, int minimumShortSide) {
    int divisor = 1;
    while (minimumShortSide > 0 && divisor < 8 &&
           (shortSide + 2 * divisor - 1) / (2 * divisor) >= minimumShortSide) {
        divisor *= 2;
    }
    return divisor;
}

// Owns the decompressor; plain data only, as the codec's errors jump back over the
// frames that use it.
struct Decompressor {
    jpeg_decompress_struct info{};
    ErrorManager errors{};

    Decompressor() {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = jumpBack;
        errors.base.emit_message = noteWarning;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
};

// Reads the header and sets the size to decode at. False when the codec fails or the
// picture is not four-component.
bool readHeader(Decompressor& d, std::span<const std::uint8_t> data, int minimumShortSide) {
    if (setjmp(d.errors.jump) != 0) {
        return false;
    }
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&d.info, TRUE);
    if (d.info.num_components != 4) {
        return false;
    }
    d.info.out_color_space = JCS_CMYK;
    d.info.scale_num = 1;
    d.info.scale_denom = static_cast<unsigned int>(reduction(
        static_cast<int>(std::min(d.info.image_width, d.info.image_height)), minimumShortSide));
    jpeg_calc_output_dimensions(&d.info);
    return true;
}

// Decodes the CMYK bytes into the bitmap's rows, four bytes a pixel as ours are.
bool readScanlines(Decompressor& d, CGImage& bitmap) {
    if (setjmp(d.errors.jump) != 0) {
        return false;
    }
    jpeg_start_decompress(&d.info);
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = bitmap.mutableRow(static_cast<int>(d.info.output_scanline));
        jpeg_read_scanlines(&d.info, &row, 1);
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

// Without a profile: each ink takes its share of the light, as a printer's does.
void convertPlainly(CGImage& bitmap, bool inverted) {
    const auto width = static_cast<std::size_t>(bitmap.width());
    SrgbConversion::forEachRow(bitmap.height(), [&](int y) {
        std::uint8_t* pixel = bitmap.mutableRow(y);
        for (std::size_t x = 0; x < width; ++x, pixel += 4) {
            const auto light = [&](int ink) {
                return inverted ? ink : 255 - ink;  // 255: no ink
            };
            const int k = light(pixel[3]);
            const auto r = static_cast<std::uint8_t>(light(pixel[0]) * k / 255);
            const auto g = static_cast<std::uint8_t>(light(pixel[1]) * k / 255);
            const auto b = static_cast<std::uint8_t>(light(pixel[2]) * k / 255);
            pixel[0] = b;
            pixel[1] = g;
            pixel[2] = r;
            pixel[3] = 0xFF;
        }
    });
}

}  // namespace

CmykJpeg::Size CmykJpeg::reducedSize(Size size, int minimumShortSide) {
    const int divisor = reduction(std::min(size.width, size.height), minimumShortSide);
    return {(size.width + divisor - 1) / divisor, (size.height + divisor - 1) / divisor};
}

CmykJpeg::Result CmykJpeg::decode(std::span<const std::uint8_t> data,
                                  std::span<const std::uint8_t> iccProfile, int minimumShortSide) {
    Decompressor d;
    if (!readHeader(d, data, minimumShortSide)) {
        return {};
    }
    // Adobe's programs, which mark their files, store the inks inverted.
    const bool inverted = d.info.saw_Adobe_marker;
    std::shared_ptr<CGImage> bitmap = CGImage::create(
        static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height),
        CGPixelFormat::RGB32, CGImage::Contents::Uninitialized);
    if (!bitmap || !readScanlines(d, *bitmap)) {
        return {};
    }
    using Input = ProfileConversion::Input;
    const std::shared_ptr<const ProfileConversion> conversion =
        iccProfile.empty() ? nullptr
                           : SrgbConversion::conversionFor(
                                 iccProfile, inverted ? Input::CmykInverted : Input::Cmyk);
    if (conversion) {
        const auto width = static_cast<std::size_t>(bitmap->width());
        SrgbConversion::forEachRow(bitmap->height(), [&](int y) {
            conversion->convertRow(bitmap->mutableRow(y), bitmap->mutableRow(y), width);
        });
    } else {
        convertPlainly(*bitmap, inverted);
    }
    return {bitmap, d.errors.warned ? Outcome::Truncated : Outcome::Decoded};
}
