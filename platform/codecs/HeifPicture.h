#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <variant>

#include "platform/codecs/PictureMetadata.h"
#include "platform/graphics/CGImage.h"
#include "platform/graphics/DecodeBudget.h"
#include "platform/graphics/DecodeRefusal.h"

// HEIC/HEIF and AVIF pictures, read with libheif (HEVC and AV1 through its codecs):
// the primary image upright (libheif applies the file's rotation and mirror), in sRGB
// through its ICC profile or the colour space it names, with its EXIF and XMP. The
// declared size is checked against CGImage's limits and the decode budget before any
// pixel is decoded.
class HeifPicture {
public:
    // libheif's decode of the planes, its RGB copy and the codec's frames, beside ours.
    static constexpr std::int64_t kPeakBytesPerPixel = 14;

    struct Decoded {
        std::shared_ptr<CGImage> bitmap;
        PictureMetadataPtr metadata;
        DecodeBudget::Reservation memory;
    };

    // True when the bytes start like a HEIF or AVIF file.
    static bool looksLikeHeif(std::span<const std::uint8_t> data);

    // With minimumShortSide positive, the smallest thumbnail stored with the picture that
    // keeps at least that many pixels on its shorter side serves in its place, if any.
    static std::variant<Decoded, DecodeRefusal> decode(std::span<const std::uint8_t> data,
                                                       int minimumShortSide = 0);
};
