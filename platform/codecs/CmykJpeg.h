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

    static Result decode(std::span<const std::uint8_t> data,
                         std::span<const std::uint8_t> iccProfile);
};
