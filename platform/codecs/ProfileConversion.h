#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "platform/codecs/MatrixShaperTables.h"

// One conversion of pixels from the colour space of an ICC profile to sRGB, perceptual
// intent, made with Little CMS. Immutable once made, so any number of threads may use it.
class ProfileConversion {
public:
    // The pixels a conversion reads. Its output is always our 32-bit B, G, R, A bytes.
    enum class Input {
        // B, G, R, A bytes, converted in place; alpha opaque or premultiplied.
        Rgb,
        RgbPremultiplied,
        // B, G, R, A bytes of a grey picture (B = G = R) under a grey profile, in place.
        Grey,
        // C, M, Y, K bytes, 0 for no ink; or inverted, as Adobe's programs store them.
        Cmyk,
        CmykInverted,
    };

    ~ProfileConversion();
    ProfileConversion(const ProfileConversion&) = delete;
    ProfileConversion& operator=(const ProfileConversion&) = delete;

    // Null when the profile is damaged or does not describe that kind of pixels.
    static std::unique_ptr<ProfileConversion> make(std::span<const std::uint8_t> iccProfile,
                                                   Input input);

    // True when the profile is sRGB already (within a level): nothing needs converting.
    bool isIdentity() const { return identity_; }
    // width pixels from in to out; in and out may be the same row for the in-place kinds.
    void convertRow(const std::uint8_t* in, std::uint8_t* out, std::size_t width) const;

private:
    ProfileConversion() = default;

    Input input_ = Input::Rgb;
    void* transform_ = nullptr;
    std::unique_ptr<MatrixShaperTables> tables_;
    bool identity_ = false;
};
