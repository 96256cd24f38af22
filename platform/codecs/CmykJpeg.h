#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/graphics/CGImage.h"

// Decodes JPEGs of four components (CMYK, or YCCK that the codec turns into CMYK) with
// libjpeg, and brings them to sRGB through their ICC profile, or without one by the
// plain formula. Qt's reader would drop the profile and guess.
class CmykJpeg {
public:
    enum class Outcome { Decoded, Truncated, Failed };
    struct Result {
        std::shared_ptr<CGImage> bitmap;  // RGB32
        Outcome outcome = Outcome::Failed;
    };

    struct Size {
        int width;
        int height;
    };

    // The size a picture of that size decodes at for a caller that needs minimumShortSide
    // pixels on its shorter side: a half, a quarter or an eighth of it, or all of it.
    static Size reducedSize(Size size, int minimumShortSide);
    // At the reduced size for minimumShortSide, when positive.
    static Result decode(std::span<const std::uint8_t> data,
                         std::span<const std::uint8_t> iccProfile, int minimumShortSide = 0);
};
