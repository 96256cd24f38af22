#pragma once

#include <lcms2.h>

#include <cstdint>
#include <vector>

// The ICC profile for a colour space named by code points (ITU-T H.273), as HEIF and
// AVIF files may describe their colours instead of carrying a profile: phones write
// Display P3 that way.
class CodePointProfile {
public:
    // A colour's chromaticity.
    struct Chromaticity {
        double x;
        double y;
        bool operator==(const Chromaticity&) const = default;
    };
    struct Primaries {
        Chromaticity red;
        Chromaticity green;
        Chromaticity blue;
        Chromaticity white;
        bool operator==(const Primaries&) const = default;
    };
    // sRGB's, which are Rec. 709's.
    static constexpr Primaries kSrgbPrimaries{
        {0.64, 0.33}, {0.30, 0.60}, {0.15, 0.06}, {0.3127, 0.3290}};

    // Transfer characteristics by code point: those a profile's curves express.
    static constexpr int kBt709 = 1;
    static constexpr int kUnspecified = 2;
    static constexpr int kGamma22 = 4;
    static constexpr int kGamma28 = 5;
    static constexpr int kBt601 = 6;
    static constexpr int kSmpte240 = 7;
    static constexpr int kLinear = 8;
    static constexpr int kSrgb = 13;
    static constexpr int kBt2020TenBit = 14;
    static constexpr int kBt2020TwelveBit = 15;

    // The profile for the primaries and transfer characteristics, the caller's to close;
    // null when the primaries can't make a colour space (degenerate) or the transfer is
    // one no curve of a profile expresses (the HDR curves, the logarithmic ones). The
    // video curves and an unspecified one are taken as sRGB's.
    static cmsHPROFILE create(const Primaries& primaries, int transfer);
    // That profile as ICC bytes; empty where the pixels are best taken as sRGB: when it
    // is sRGB itself, or there is none.
    static std::vector<std::uint8_t> icc(const Primaries& primaries, int transfer);
};
