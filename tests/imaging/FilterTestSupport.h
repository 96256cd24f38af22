#pragma once

#include <cstdlib>
#include <string>

#include "imaging/engine/CIContext.h"
#include "imaging/engine/CIFilter.h"
#include "imaging/kernels/VectorLevel.h"
#include "tests/imaging/TestPictures.h"

// The render every caller makes: picture in, one filter with some inputs, bitmap out.
namespace filtertest {

struct Rendered {
    CGImageRef bitmap;
    CGRect extent;
};

// The filter on image with its defaults and then the inputs given; null for an unknown name.
inline CIFilterPtr appliedFilter(const std::string& name, const CIImagePtr& image,
                                 const ValueDictionary& inputs = {}) {
    CIFilterPtr filter =
        CIFilter::filterWithNameKeysAndValues(name, {{kCIInputImageKey, CIImage::value(image)}});
    if (!filter) {
        return nullptr;
    }
    filter->setDefaults();
    for (const auto& [key, value] : inputs) {
        filter->setValueForKey(value, key);
    }
    return filter;
}

inline Rendered render(const CIImagePtr& output) {
    const CIContextPtr context =
        CIContext::contextWithOptions({{kCIContextUseSoftwareRenderer, false}});
    return {context->createCGImage(output, output->extent()), output->extent()};
}

inline Rendered renderFilter(const std::string& name, const UIImagePtr& picture,
                             const ValueDictionary& inputs = {}) {
    const CIFilterPtr filter = appliedFilter(name, CIImage::create(picture), inputs);
    return filter ? render(filter->outputImage()) : Rendered{};
}

// The adjustment tool's chain: colour controls, exposure, then gamma.
inline CIImagePtr adjustmentChain(const UIImagePtr& picture, double saturation, double ev,
                                  double power) {
    const CIFilterPtr controls = appliedFilter("CIColorControls", CIImage::create(picture),
                                               {{"inputSaturation", saturation}});
    const CIFilterPtr exposure =
        appliedFilter("CIExposureAdjust", controls->outputImage(), {{"inputEV", ev}});
    return appliedFilter("CIGammaAdjust", exposure->outputImage(), {{"inputPower", power}})
        ->outputImage();
}

using VectorLevelLimit = vectorlevel::ScopedLimit;

// Largest difference of any channel of any pixel; the bitmaps must be the same size.
inline int largestDifference(const CGImage& a, const CGImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const std::uint32_t p = testpictures::pixelAt(a, x, y) |
                                    (a.format() == CGPixelFormat::RGB32 ? 0xFF000000u : 0);
            const std::uint32_t q = testpictures::pixelAt(b, x, y) |
                                    (b.format() == CGPixelFormat::RGB32 ? 0xFF000000u : 0);
            for (int c = 0; c < 4; ++c) {
                largest = std::max(
                    largest, std::abs(testpictures::channel(p, c) - testpictures::channel(q, c)));
            }
        }
    }
    return largest;
}

// A picture with some translucent pixels, to see that colour stays premultiplied.
inline UIImagePtr translucentPhoto(int width, int height) {
    const UIImagePtr photo = testpictures::makePhoto(width, height);
    return testpictures::makePicture(width, height, [&](int x, int y) {
        const std::uint32_t pixel = testpictures::pixelAt(photo, x, y);
        const std::uint32_t alpha = (x + y) % 3 == 0 ? 128 : 255;
        std::uint32_t result = alpha << 24;
        for (int c = 0; c < 3; ++c) {
            result |= (testpictures::channel(pixel, c) * alpha / 255) << (8 * c);
        }
        return result;
    });
}

}  // namespace filtertest
