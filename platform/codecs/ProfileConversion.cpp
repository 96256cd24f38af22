#include "platform/codecs/ProfileConversion.h"

#include <cstdlib>
#include <cstring>

#include "platform/codecs/LcmsHandles.h"

namespace {

constexpr int kCheckStep = 17;

cmsColorSpaceSignature spaceOf(ProfileConversion::Input input) {
    switch (input) {
        case ProfileConversion::Input::Grey:
            return cmsSigGrayData;
        case ProfileConversion::Input::Cmyk:
        case ProfileConversion::Input::CmykInverted:
            return cmsSigCmykData;
        default:
            return cmsSigRgbData;
    }
}

cmsUInt32Number formatOf(ProfileConversion::Input input) {
    switch (input) {
        case ProfileConversion::Input::Rgb:
            return TYPE_BGRA_8;
        case ProfileConversion::Input::RgbPremultiplied:
            return TYPE_BGRA_8_PREMUL;
        case ProfileConversion::Input::Grey:
            // The blue byte of each four, the others skipped.
            return COLORSPACE_SH(PT_GRAY) | CHANNELS_SH(1) | EXTRA_SH(3) | BYTES_SH(1);
        case ProfileConversion::Input::Cmyk:
            return TYPE_CMYK_8;
        case ProfileConversion::Input::CmykInverted:
            return TYPE_CMYK_8_REV;
    }
    return TYPE_BGRA_8;
}

// True when the transform leaves every colour of a grid within a level.
bool leavesColoursAlone(cmsHTRANSFORM transform) {
    for (int red = 0; red < 256; red += kCheckStep) {
        for (int green = 0; green < 256; green += kCheckStep) {
            for (int blue = 0; blue < 256; blue += kCheckStep) {
                const std::uint8_t in[4] = {static_cast<std::uint8_t>(blue),
                                            static_cast<std::uint8_t>(green),
                                            static_cast<std::uint8_t>(red), 255};
                std::uint8_t out[4];
                std::memcpy(out, in, sizeof out);
                cmsDoTransform(transform, in, out, 1);
                for (int c = 0; c < 3; ++c) {
                    if (std::abs(in[c] - out[c]) > 1) {
                        return false;
                    }
                }
            }
        }
    }
    return true;
}

}  // namespace

ProfileConversion::~ProfileConversion() {
    if (transform_ != nullptr) {
        cmsDeleteTransform(transform_);
    }
}

std::unique_ptr<ProfileConversion> ProfileConversion::make(std::span<const std::uint8_t> iccProfile,
                                                           Input input) {
    const LcmsProfile source{
        cmsOpenProfileFromMem(iccProfile.data(), static_cast<cmsUInt32Number>(iccProfile.size()))};
    if (source.handle == nullptr || cmsGetColorSpace(source.handle) != spaceOf(input)) {
        return nullptr;
    }
    const LcmsProfile srgb{cmsCreate_sRGBProfile()};
    // No one-pixel cache: it would be shared by the threads converting a picture's bands.
    const cmsUInt32Number flags =
        cmsFLAGS_NOCACHE | (input == Input::RgbPremultiplied ? cmsFLAGS_COPY_ALPHA : 0);
    std::unique_ptr<ProfileConversion> conversion(new ProfileConversion);
    conversion->input_ = input;
    conversion->transform_ = cmsCreateTransform(source.handle, formatOf(input), srgb.handle,
                                                TYPE_BGRA_8, INTENT_PERCEPTUAL, flags);
    if (conversion->transform_ == nullptr) {
        return nullptr;
    }
    if (input == Input::Rgb || input == Input::RgbPremultiplied) {
        conversion->identity_ = leavesColoursAlone(conversion->transform_);
        if (!conversion->identity_ && input == Input::Rgb) {
            conversion->tables_ = MatrixShaperTables::sample(source.handle, srgb.handle);
        }
    }
    return conversion;
}

void ProfileConversion::convertRow(const std::uint8_t* in, std::uint8_t* out,
                                   std::size_t width) const {
    if (identity_) {
        if (in != out) {
            std::memmove(out, in, width * 4);
        }
    } else if (tables_) {
        if (in != out) {
            std::memmove(out, in, width * 4);
        }
        tables_->convertRow(out, width);
    } else {
        cmsDoTransform(transform_, in, out, static_cast<cmsUInt32Number>(width));
        if (input_ == Input::Cmyk || input_ == Input::CmykInverted) {
            for (std::size_t x = 0; x < width; ++x) {
                out[4 * x + 3] = 0xFF;
            }
        }
    }
}
