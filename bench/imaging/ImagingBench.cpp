#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "imaging/engine/CIContext.h"
#include "imaging/engine/CIFilter.h"
#include "imaging/engine/CIFilterDescriptor.h"
#include "imaging/engine/CIFilterRegistry.h"
#include "imaging/kernels/VectorLevel.h"
#include "imaging/operations/GaussianKernel.h"
#include "imaging/operations/UIImageUtility.h"
#include "platform/graphics/CGContext.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Photo-like content: smooth gradients, a few hard-edged shapes and sensor noise.
UIImagePtr makePhoto(int width, int height) {
    auto bitmap = CGImage::create(width, height, CGPixelFormat::ARGB32Premultiplied,
                                  CGImage::Contents::Uninitialized);
    std::mt19937 random(42);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bitmap->mutableRow(y));
        for (int x = 0; x < width; ++x) {
            const double u = static_cast<double>(x) / width;
            const double v = static_cast<double>(y) / height;
            double r = 0.5 + 0.4 * std::sin(6 * u + 2 * v);
            double g = 0.4 + 0.3 * v + 0.2 * std::cos(9 * u * v);
            double b = 0.3 + 0.5 * u * (1 - v);
            if (std::hypot(u - 0.6, v - 0.4) < 0.15) {
                r = 0.95, g = 0.8, b = 0.2;
            }
            const auto noisy = [&](double c) {
                const double value = 255 * c + static_cast<int>(random() % 9) - 4;
                return static_cast<std::uint32_t>(std::clamp(value, 0.0, 255.0));
            };
            row[x] = 0xFF000000u | noisy(r) << 16 | noisy(g) << 8 | noisy(b);
        }
    }
    return UIImage::imageWithCGImage(std::move(bitmap));
}

const UIImagePtr& photo(int megapixels) {
    static const UIImagePtr twelve = makePhoto(4032, 3024);
    static const UIImagePtr fortyEight = makePhoto(8064, 6048);
    return megapixels == 12 ? twelve : fortyEight;
}

CGImageRef render(const CIImagePtr& image) {
    return CIContext::contextWithOptions({{kCIContextUseSoftwareRenderer, false}})
        ->createCGImage(image, image->extent());
}

CIImagePtr applied(const std::string& name, const CIImagePtr& input,
                   const ValueDictionary& values = {}) {
    CIFilterPtr filter =
        CIFilter::filterWithNameKeysAndValues(name, {{kCIInputImageKey, CIImage::value(input)}});
    filter->setDefaults();
    for (const auto& [key, value] : values) {
        filter->setValueForKey(value, key);
    }
    return filter->outputImage();
}

// Inputs that make each filter do its real work on a full-size picture.
ValueDictionary typicalInputs(const std::string& name, const UIImage& picture) {
    const CGSize size = picture.size();
    const double shortSide = std::min(size.width, size.height);
    const Value centre = CIVector::withX(size.width / 2, size.height / 2);
    if (name == "CIVignetteEffect") {
        return {{"inputCenter", centre}, {"inputIntensity", 0.9}, {"inputRadius", shortSide / 2}};
    }
    if (name == "CIPixellate") {
        return {{"inputCenter", centre}, {"inputScale", shortSide * 0.05}};
    }
    if (name == "CIBloom" || name == "CIGloom") {
        return {{"inputRadius", shortSide * 0.025}, {"inputIntensity", 1.0}};
    }
    if (name == "CIAffineTransform") {
        return {{"inputTransform", CGAffineTransform::makeRotation(kPi / 6)}};
    }
    if (name == "CIHueAdjust") {
        return {{"inputAngle", 1.0}};
    }
    if (name == "CIColorControls") {
        return {{"inputSaturation", 1.4}};
    }
    // At their defaults these leave the colours as they are (an identity matrix).
    if (name == "CIExposureAdjust") {
        return {{"inputEV", 0.6}};
    }
    if (name == "CIGammaAdjust") {
        return {{"inputPower", 1.2}};
    }
    if (name == "CIHighlightShadowAdjust") {
        return {{"inputShadowAmount", 0.5}};
    }
    if (name == "CIToneCurve") {
        return {{"inputPoint1", CIVector::withX(0.25, 0.2)},
                {"inputPoint3", CIVector::withX(0.75, 0.8)}};
    }
    return {};
}

void BM_Filter(benchmark::State& state, const std::string& name, int megapixels) {
    const UIImagePtr& picture = photo(megapixels);
    const CIImagePtr input = CIImage::create(picture);
    const ValueDictionary inputs = typicalInputs(name, *picture);
    for (auto _ : state) {
        benchmark::DoNotOptimize(render(applied(name, input, inputs)));
    }
}

void BM_AdjustmentChain(benchmark::State& state, int megapixels) {
    const CIImagePtr input = CIImage::create(photo(megapixels));
    for (auto _ : state) {
        const CIImagePtr controls = applied("CIColorControls", input, {{"inputSaturation", 1.3}});
        const CIImagePtr exposure = applied("CIExposureAdjust", controls, {{"inputEV", 0.6}});
        benchmark::DoNotOptimize(render(applied("CIGammaAdjust", exposure, {{"inputPower", 1.2}})));
    }
}

void BM_GaussBlur(benchmark::State& state, double level, int megapixels) {
    const UIImagePtr& picture = photo(megapixels);
    for (auto _ : state) {
        benchmark::DoNotOptimize(UIImageUtility::gaussBlur(picture, level));
    }
}

// The blur's two convolution passes alone, on reused buffers.
void BM_Convolution(benchmark::State& state, int taps, int megapixels) {
    const CGImage& source = *photo(megapixels)->CGImage();
    auto pixels = source.copy();
    auto scratch = source.copy();
    const GaussianKernel kernel(taps / 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(kernel.blur(*pixels, *scratch));
    }
}

void BM_Resize(benchmark::State& state, bool toHalf, int megapixels) {
    const UIImagePtr& picture = photo(megapixels);
    const CGSize size = picture->size();
    const CGSize target = toHalf ? CGSize{size.width / 2, size.height / 2}
                                 : CGSize{640, std::floor(640 * size.height / size.width)};
    for (auto _ : state) {
        benchmark::DoNotOptimize(UIImageUtility::resize(picture, target));
    }
}

// The platform's smooth shrink of a picture drawn into a small bitmap context: Qt's
// area-averaging scale, then a draw at about its own size.
void BM_ContextShrink640(benchmark::State& state, int megapixels) {
    const UIImagePtr& picture = photo(megapixels);
    const CGSize size = picture->size();
    const int height = static_cast<int>(640 * size.height / size.width);
    for (auto _ : state) {
        const CGContextRef context =
            CGContext::createBitmap(640, height, CGPixelFormat::ARGB32Premultiplied);
        context->drawImage(CGRect(0, 0, 640, height), picture->CGImage());
        benchmark::DoNotOptimize(context->makeImage());
    }
}

// What moving the pixels once costs: two threads copying half the picture each.
void BM_TwoThreadMemcpy(benchmark::State& state, int megapixels) {
    const CGImage& source = *photo(megapixels)->CGImage();
    auto target = source.copy();
    const std::size_t half = source.byteCount() / 2;
    for (auto _ : state) {
        std::thread helper([&] { std::memcpy(target->mutableData(), source.data(), half); });
        std::memcpy(target->mutableData() + half, source.data() + half, source.byteCount() - half);
        helper.join();
    }
}

// Wall-clock milliseconds: the work runs on the pool, not only on the timing thread.
template <typename... Args>
void add(const std::string& name, Args&&... args) {
    benchmark::RegisterBenchmark(name.c_str(), std::forward<Args>(args)...)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

void registerAll() {
    benchmark::AddCustomContext("vector level", vectorlevel::name(vectorlevel::current()));
    for (int mp : {12, 48}) {
        const std::string size = "/" + std::to_string(mp) + "MP";
        add("TwoThreadMemcpy" + size, BM_TwoThreadMemcpy, mp);
        for (int taps : {61, 303}) {
            add("Convolution/" + std::to_string(taps) + "taps" + size, BM_Convolution, taps, mp);
        }
        for (double level : {0.02, 0.2, 1.0}) {
            char name[64];
            std::snprintf(name, sizeof name, "GaussBlur/%.2f%s", level, size.c_str());
            add(name, BM_GaussBlur, level, mp);
        }
        add("ResizeHalf" + size, BM_Resize, true, mp);
        add("Resize640" + size, BM_Resize, false, mp);
        add("ContextShrink640" + size, BM_ContextShrink640, mp);
        add("AdjustmentChain" + size, BM_AdjustmentChain, mp);
        for (const CIFilterDescriptor* filter : CIFilterRegistry::allDescriptors()) {
            add("Filter/" + filter->name + size, BM_Filter, filter->name, mp);
        }
    }
}

// Registered before main runs the benchmarks; this file is part of the program itself,
// so the linker keeps it.
[[maybe_unused]] const bool registered = (registerAll(), true);

}  // namespace
