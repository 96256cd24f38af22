#include "platform/codecs/CodePointProfile.h"

#include <array>
#include <optional>

#include "platform/codecs/LcmsHandles.h"

namespace {

// Little CMS's parametric curve 4: (a·x + b)^g from d up, c·x below it.
using CurveParameters = std::array<double, 5>;

constexpr CurveParameters kSrgbCurve{2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};

std::optional<CurveParameters> curveFor(int transfer) {
    switch (transfer) {
        // Pictures tagged with a video camera's curve (Rec. 709, 601, 2020, SMPTE 240M)
        // are shown with sRGB's, as photo viewers commonly do: only their primaries count.
        case CodePointProfile::kBt709:
        case CodePointProfile::kUnspecified:
        case CodePointProfile::kBt601:
        case CodePointProfile::kSmpte240:
        case CodePointProfile::kSrgb:
        case CodePointProfile::kBt2020TenBit:
        case CodePointProfile::kBt2020TwelveBit:
            return kSrgbCurve;
        case CodePointProfile::kGamma22:
            return CurveParameters{2.2, 1, 0, 0, 0};
        case CodePointProfile::kGamma28:
            return CurveParameters{2.8, 1, 0, 0, 0};
        case CodePointProfile::kLinear:
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

cmsHPROFILE CodePointProfile::create(const Primaries& primaries, int transfer) {
    const std::optional<CurveParameters> curve = curveFor(transfer);
    if (!curve || !isChromaticity(primaries.red) || !isChromaticity(primaries.green) ||
        !isChromaticity(primaries.blue) || !isChromaticity(primaries.white)) {
        return nullptr;
    }
    cmsToneCurve* tone = cmsBuildParametricToneCurve(nullptr, 4, curve->data());
    if (tone == nullptr) {
        return nullptr;
    }
    const cmsCIExyY white = xyY(primaries.white);
    const cmsCIExyYTRIPLE triple{xyY(primaries.red), xyY(primaries.green), xyY(primaries.blue)};
    cmsToneCurve* curves[3] = {tone, tone, tone};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &triple, curves);
    cmsFreeToneCurve(tone);
    return profile;
}

std::vector<std::uint8_t> CodePointProfile::icc(const Primaries& primaries, int transfer) {
    const std::optional<CurveParameters> curve = curveFor(transfer);
    if (curve && *curve == kSrgbCurve && primaries == kSrgbPrimaries) {
        return {};
    }
    return iccBytesOf(LcmsProfile{create(primaries, transfer)});
}
