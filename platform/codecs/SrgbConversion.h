#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "platform/codecs/ProfileConversion.h"
#include "platform/graphics/CGImage.h"

// Brings decoded pictures to sRGB, the colour space every bitmap of ours is in. A
// conversion is made once per profile and kept (the last few are cached: making one
// costs milliseconds, a burst of photos from one camera shares one profile); a
// picture's rows are converted in bands on the global pool. Safe from any thread.
class SrgbConversion {
public:
    // The conversion for the profile and kind of pixels; null when the profile can't
    // be used for them (damaged, or of another colour space).
    static std::shared_ptr<const ProfileConversion> conversionFor(
        std::span<const std::uint8_t> iccProfile, ProfileConversion::Input input);

    // Converts an RGB32 or ARGB32Premultiplied bitmap in place from the profile's colour
    // space (an RGB profile; or a grey one for a grey picture). False, with the
    // bitmap untouched, when the profile can't be used: it is then taken as sRGB.
    static bool convertBitmap(CGImage& bitmap, std::span<const std::uint8_t> iccProfile, bool grey);

    // Runs convert(row) for every row of height rows, in bands on the global pool.
    static void forEachRow(int height, const std::function<void(int row)>& convert);

    // The ICC profile of sRGB, for files we write.
    static const std::vector<std::uint8_t>& srgbProfile();

    // Test seam: how many conversions were made since the start.
    static int conversionsMade();
};
