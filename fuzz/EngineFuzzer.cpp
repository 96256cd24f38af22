// The filter engine: a chain of up to four filters, each with inputs drawn from the
// data (numbers a little beyond their ranges, vectors of any length, any transform),
// on a small picture of any content, rendered over the picture's extent.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "fuzz/FuzzRuntime.h"
#include "imaging/engine/CIContext.h"
#include "imaging/engine/CIFilter.h"
#include "imaging/engine/CIFilterDescriptor.h"
#include "imaging/engine/CIFilterRegistry.h"

namespace {

constexpr int kMaxSide = 24;
constexpr int kMaxChain = 4;
constexpr std::size_t kMaxVectorLength = 12;

UIImagePtr pictureFrom(FuzzedDataProvider& data) {
    const int width = data.ConsumeIntegralInRange(1, kMaxSide);
    const int height = data.ConsumeIntegralInRange(1, kMaxSide);
    const CGPixelFormat format =
        data.ConsumeBool() ? CGPixelFormat::ARGB32Premultiplied : CGPixelFormat::RGB32;
    std::shared_ptr<CGImage> bitmap = CGImage::create(width, height, format);
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = reinterpret_cast<std::uint32_t*>(bitmap->mutableRow(y));
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = data.ConsumeIntegral<std::uint32_t>();
            if (format == CGPixelFormat::ARGB32Premultiplied) {
                // Premultiplied: no colour above its alpha.
                const std::uint32_t alpha = pixel >> 24;
                for (int shift = 0; shift < 24; shift += 8) {
                    const std::uint32_t channel = std::min((pixel >> shift) & 0xFF, alpha);
                    pixel = (pixel & ~(0xFFu << shift)) | (channel << shift);
                }
            }
            row[x] = pixel;
        }
    }
    return UIImage::imageWithCGImage(bitmap);
}

// A number a little beyond the input's range on either side. Radii stay in proportion
// to the small pictures: a blur's cost grows with its radius squared over the extent it
// grows to, and a radius of 1000 on 24 pixels spends seconds proving only that.
double numberFrom(FuzzedDataProvider& data, const CIFilterInput& input) {
    const double maximum = input.key.find("Radius") != std::string::npos
                               ? std::min(input.maximum, 4.0 * kMaxSide)
                               : input.maximum;
    const double span = maximum - input.minimum;
    return data.ConsumeFloatingPointInRange(input.minimum - span, maximum + span);
}

Value valueFrom(FuzzedDataProvider& data, const CIFilterInput& input) {
    switch (input.kind) {
        case CIFilterInput::Kind::Number:
            return numberFrom(data, input);
        case CIFilterInput::Kind::Vector: {
            std::vector<double> values(
                data.ConsumeIntegralInRange<std::size_t>(0, kMaxVectorLength));
            for (double& value : values) {
                value = data.ConsumeFloatingPointInRange(-2.0, 2.0) * kMaxSide;
            }
            return Vector(std::move(values));
        }
        case CIFilterInput::Kind::Transform:
            return CGAffineTransform::makeRotation(data.ConsumeFloatingPointInRange(-7.0, 7.0))
                .scaledBy(data.ConsumeFloatingPointInRange(-4.0, 4.0),
                          data.ConsumeFloatingPointInRange(-4.0, 4.0));
    }
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    startFuzzRuntime(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const auto& filters = CIFilterRegistry::allDescriptors();
    const UIImagePtr picture = pictureFrom(data);
    CIImagePtr image = CIImage::create(picture);
    const int chain = data.ConsumeIntegralInRange(1, kMaxChain);
    for (int step = 0; step < chain && image; ++step) {
        const CIFilterDescriptor& descriptor =
            *filters[data.ConsumeIntegralInRange<std::size_t>(0, filters.size() - 1)];
        const CIFilterPtr filter = CIFilter::filterWithName(descriptor.name);
        filter->setValueForKey(CIImage::value(image), kCIInputImageKey);
        for (const CIFilterInput& input : descriptor.inputs) {
            if (data.ConsumeBool()) {
                filter->setValueForKey(valueFrom(data, input), input.key);
            }
        }
        image = filter->outputImage();
    }
    if (!image) {
        std::abort();  // every filter has its input image
    }
    const CGRect shown = image->extent().intersection(CIImage::create(picture)->extent());
    if (!shown.isEmpty()) {
        CIContext::contextWithOptions()->createCGImage(image, shown);
    }
    return 0;
}
