#pragma once

#include <lcms2.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// A transform from an RGB profile to sRGB, sampled from Little CMS into tables so that
// a pixel costs three lookups, a sum and three more lookups. It holds for profiles
// whose transform to linear light is a curve per channel followed by a matrix (Adobe
// RGB, Display P3, ProPhoto and most camera profiles): the linear result is then the
// sum of what each channel gives alone. Tables are only made when they agree with
// Little CMS's own transform within one level on a grid of colours.
class MatrixShaperTables {
public:
    // Null when the profile's transform is not of that kind or can't be made.
    static std::unique_ptr<MatrixShaperTables> sample(cmsHPROFILE profile, cmsHPROFILE srgb);

    // Converts width pixels of 32-bit B, G, R, A bytes in place; alpha stays.
    void convertRow(std::uint8_t* pixels, std::size_t width) const;

private:
    static constexpr int kEncodeSteps = 16384;

    struct alignas(16) Linear {
        float red, green, blue, unused;
    };

    MatrixShaperTables() = default;
    bool agreesWith(cmsHTRANSFORM reference) const;

    // What each input channel's level adds to the linear sRGB result; the red table
    // also carries the result of black.
    std::array<std::array<Linear, 256>, 3> contributions_{};
    // Linear light from 0 to 1 in kEncodeSteps steps, to sRGB levels.
    std::vector<std::uint8_t> encode_;
};
