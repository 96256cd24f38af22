#include "platform/codecs/CodePointProfile.h"

#include <array>
#include <optional>

#include "platform/codecs/LcmsHandles.h"

namespace {

// The transfer characteristics a profile's curves can express, by their code points.
constexpr int kBt709 = 1;
constexpr int kUnspecified = 2;
constexpr int kGamma22 = 4;
constexpr int kGamma28 = 5;
constexpr int kBt601 = 6;
constexpr int kSmpte240 = 7;
constexpr int kLinear = 8;
constexpr int kSrgb = 13;
constexpr int kBt2020TenBit = 14;
constexpr int kBt2020TwelveBit = 15;

// Little CMS's parametric curve 4: (a·x + b)^g from d up, c·x below it.
using CurveParameters = std::array<double, 5>;

constexpr CurveParameters kSrgbCurve{2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};

std::optional<CurveParameters> curveFor(int transfer) {
    switch (transfer) {
        // Pictures tagged with a video camera's curve (Rec. 709, 601, 2020, SMPTE 240M)
        // are shown with sRGB's, as photo viewers commonly do: only their primaries count.
        case kBt709:
        case kUnspecified:
        case kBt601:
        case kSmpte240:
        case kSrgb:
        case kBt2020TenBit:
        case kBt2020TwelveBit:
            return kSrgbCurve;
        case kGamma22:
            return CurveParameters{2.2, 1, 0, 0, 0};
        case kGamma28:
            return CurveParameters{2.8, 1, 0, 0, 0};
        case kLinear:
            return CurveParameters{1, 1, 0, 0, 0};
        default:
            return std::nullopt;
    }
}

bool isChromaticity(const CodePointProfile::Chromaticity& c) {
    return c.x > 0 && c.y > 0 && c.x + c.y <= 1;
}

cmsCIExyY xyY(const CodePointProfile::Chromaticity& c) {
    return {c.x, c.y, 1.0};
}

}  // namespace

std::vector<std::uint8_t> CodePointProfile::icc(const Primaries& primaries, int transfer) {
    const std::optional<CurveParameters> curve = curveFor(transfer);
    if (!curve || !isChromaticity(primaries.red) || !isChromaticity(primaries.green) ||
        !isChromaticity(primaries.blue) || !isChromaticity(primaries.white) ||
        (*curve == kSrgbCurve && primaries == CodePointProfile::kSrgbPrimaries)) {
        return {};
    }
    cmsToneCurve* tone = cmsBuildParametricToneCurve(nullptr, 4, curve->data());
    if (tone == nullptr) {
        return {};
    }
    const cmsCIExyY white = xyY(primaries.white);
    const cmsCIExyYTRIPLE triple{xyY(primaries.red), xyY(primaries.green), xyY(primaries.blue)};
    cmsToneCurve* curves[3] = {tone, tone, tone};
    const LcmsProfile profile{cmsCreateRGBProfile(&white, &triple, curves)};
    cmsFreeToneCurve(tone);
    return iccBytesOf(profile);
}
