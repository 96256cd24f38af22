#include "platform/codecs/MatrixShaperTables.h"

#include <algorithm>

#include <cstdlib>
#include "platform/codecs/CodePointProfile.h"
#include "platform/codecs/LcmsHandles.h"

namespace {

// 16 levels a channel: 4096 colours are checked.
constexpr int kCheckStep = 17;

}  // namespace

std::unique_ptr<MatrixShaperTables> MatrixShaperTables::sample(cmsHPROFILE profile,
                                                               cmsHPROFILE srgb) {
    const LcmsProfile linearSrgb{
        CodePointProfile::create(CodePointProfile::kSrgbPrimaries, CodePointProfile::kLinear)};
    // Floats on both sides: nothing is clipped, so the channels' parts add up.
    const LcmsTransform toLinear{cmsCreateTransform(profile, TYPE_RGB_FLT, linearSrgb.handle,
                                                    TYPE_RGB_FLT, INTENT_PERCEPTUAL,
                                                    cmsFLAGS_NOCACHE)};
    const LcmsTransform toLevels{cmsCreateTransform(
        linearSrgb.handle, TYPE_RGB_FLT, srgb, TYPE_RGB_8, INTENT_PERCEPTUAL, cmsFLAGS_NOCACHE)};
    const LcmsTransform reference{cmsCreateTransform(profile, TYPE_RGB_8, srgb, TYPE_RGB_8,
                                                     INTENT_PERCEPTUAL, cmsFLAGS_NOCACHE)};
    if (toLinear.handle == nullptr || toLevels.handle == nullptr || reference.handle == nullptr) {
        return nullptr;
    }
    std::unique_ptr<MatrixShaperTables> tables(new MatrixShaperTables);
    float black[3];
    const float zero[3] = {0, 0, 0};
    cmsDoTransform(toLinear.handle, zero, black, 1);
    for (int channel = 0; channel < 3; ++channel) {
        for (int level = 0; level < 256; ++level) {
            float in[3] = {0, 0, 0};
            float out[3];
            in[channel] = static_cast<float>(level) / 255.0f;
            cmsDoTransform(toLinear.handle, in, out, 1);
            // Each table holds its channel's part alone; black is counted once, in red's.
            const float keep = channel == 0 ? 0.0f : 1.0f;
            tables->contributions_[channel][level] = {
                out[0] - keep * black[0], out[1] - keep * black[1], out[2] - keep * black[2], 0.0f};
        }
    }
    tables->encode_.resize(kEncodeSteps + 1);
    for (int step = 0; step <= kEncodeSteps; ++step) {
        const float grey = static_cast<float>(step) / kEncodeSteps;
        const float in[3] = {grey, grey, grey};
        std::uint8_t out[3];
        cmsDoTransform(toLevels.handle, in, out, 1);
        tables->encode_[step] = out[0];
    }
    if (!tables->agreesWith(reference.handle)) {
        return nullptr;
    }
    return tables;
}

bool MatrixShaperTables::agreesWith(cmsHTRANSFORM reference) const {
    for (int red = 0; red < 256; red += kCheckStep) {
        for (int green = 0; green < 256; green += kCheckStep) {
            for (int blue = 0; blue < 256; blue += kCheckStep) {
                const std::uint8_t in[3] = {static_cast<std::uint8_t>(red),
                                            static_cast<std::uint8_t>(green),
                                            static_cast<std::uint8_t>(blue)};
                std::uint8_t expected[3];
                cmsDoTransform(reference, in, expected, 1);
                std::uint8_t pixel[4] = {in[2], in[1], in[0], 255};
                convertRow(pixel, 1);
                if (std::abs(pixel[2] - expected[0]) > 1 || std::abs(pixel[1] - expected[1]) > 1 ||
                    std::abs(pixel[0] - expected[2]) > 1) {
                    return false;
                }
            }
        }
    }
    return true;
}

void MatrixShaperTables::convertRow(std::uint8_t* pixels, std::size_t width) const {
    // Four lanes (red, green, blue, unused) at once, with the compiler's vector types.
    using Lanes = float __attribute__((vector_size(16)));
    using Steps = std::int32_t __attribute__((vector_size(16)));
    const std::uint8_t* encode = encode_.data();
    const auto* contributions = reinterpret_cast<const Lanes*>(contributions_.data());
    const Steps lowest{0, 0, 0, 0};
    const Steps highest{kEncodeSteps, kEncodeSteps, kEncodeSteps, kEncodeSteps};
    for (std::size_t x = 0; x < width; ++x, pixels += 4) {
        const Lanes linear = contributions[pixels[2]] + contributions[256 + pixels[1]] +
                             contributions[512 + pixels[0]];
        // The sums stay within a few times 0 to 1, so the steps fit before clamping.
        Steps steps =
            __builtin_convertvector(linear * static_cast<float>(kEncodeSteps) + 0.5f, Steps);
        steps = steps < lowest ? lowest : steps;
        steps = steps > highest ? highest : steps;
        pixels[2] = encode[steps[0]];
        pixels[1] = encode[steps[1]];
        pixels[0] = encode[steps[2]];
    }
}
