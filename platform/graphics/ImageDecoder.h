#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/graphics/DecodeBudget.h"
#include "platform/graphics/DecodeRefusal.h"
#include "platform/graphics/UIImage.h"

// Decodes JPEG, PNG, WebP, GIF (first frame), BMP, and HEIC/HEIF and AVIF (the primary
// image, turned upright as the file says) into UIImages of scale 1, or 2 or 3 for a PNG
// that records two or three times the 72-dpi point resolution (artwork drawn for
// high-density screens, as ImageEncoder writes it). The EXIF orientation becomes the
// picture's orientation; pixels stay as stored. Pixels with a colour profile are
// converted to sRGB (CMYK JPEGs included); the file's metadata comes with the picture.
// Opaque pictures decode as RGB32, pictures with alpha as ARGB32Premultiplied, straight
// into the picture's own bitmap where the codec allows, so a load costs about one
// bitmap of memory.
//
// Every decode first reserves what it will allocate from the shared DecodeBudget,
// counting the whole canvas of a GIF or WebP animation whatever its frames' sizes, and
// waits while other decodes hold the budget.
//
// Anything else gives no picture but the reason, quickly and within bounded memory:
// empty or unknown data, text, truncated or structurally corrupt JPEG, PNG and HEIF
// files, declared sizes over CGImage's limits (checked before any pixel memory is
// taken), decodes that would need more than the whole budget, PNG ancillary chunks over
// kMaxAncillaryChunkBytes, JPEGs with more than kMaxJpegScans scans (each scan is a pass
// over the whole picture) or more than kMaxJpegSegments other segments, and files that
// are not regular files or are larger than kMaxFileBytes. A JPEG missing only its final
// end marker loads when its scans are whole. Damage inside JPEG entropy data is not
// detectable from the structure: such a picture decodes with the damaged blocks as the
// codec fills them. Metadata that can't be read is dropped; the picture still loads.
class ImageDecoder {
public:
    // Holds a 48 MP PNG of noise with room to spare.
    static constexpr std::int64_t kMaxFileBytes = 256LL * 1024 * 1024;
    // Real progressive JPEGs have about ten scans.
    static constexpr int kMaxJpegScans = 64;
    // A camera's JPEG has a dozen segments; large ICC profiles and XMP packets are split
    // into a few dozen more. The codec's cost grows with the square of their number.
    static constexpr int kMaxJpegSegments = 500;
    // ICC profiles, EXIF and text are far smaller.
    static constexpr std::size_t kMaxAncillaryChunkBytes = 16 * 1024 * 1024;

    // What a caller that needs less than the whole picture may ask for.
    struct Request {
        // When positive, a JPEG may decode smaller, or a HEIF give a thumbnail stored
        // with it, as long as its shorter side keeps at least this many pixels
        // (thumbnails).
        int minimumShortSide = 0;
    };
    // The picture, and the share of the decode budget it took: a caller that goes on
    // working from the full bitmap in bulk (drawing thumbnails) keeps it meanwhile.
    // Without a picture, why.
    struct Result {
        UIImagePtr image;
        DecodeBudget::Reservation memory;
        DecodeRefusal refusal;
    };

    // Null for anything refused.
    static UIImagePtr decodeFile(const std::string& path);
    static UIImagePtr decodeData(std::span<const std::uint8_t> data);
    static Result decodeFile(const std::string& path, Request request);
    static Result decodeData(std::span<const std::uint8_t> data, Request request);
};
