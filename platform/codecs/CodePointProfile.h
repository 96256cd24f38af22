#pragma once

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

    // The profile for the primaries and transfer characteristics; empty where the pixels
    // are best taken as sRGB: when they are sRGB already, when the primaries can't make a
    // colour space (degenerate) or the transfer is one no curve of a profile expresses
    // (the HDR curves, the logarithmic ones). The video curves and an unspecified one are
    // taken as sRGB's.
    static std::vector<std::uint8_t> icc(const Primaries& primaries, int transfer);
};
