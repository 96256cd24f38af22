#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "imaging/engine/CIFilterDescriptor.h"
#include "imaging/engine/CIFilterRegistry.h"
#include "imaging/engine/CIRenderLog.h"
#include "platform/dispatch/DispatchQueue.h"
#include "tests/imaging/FilterTestSupport.h"

namespace {

using namespace filtertest;
using namespace testpictures;

TEST(FilterEngineTest, UnknownNamesAndMissingImagesGiveNothing) {
    EXPECT_FALSE(CIFilter::filterWithName("CINoSuchFilter"));
    const CIFilterPtr filter = CIFilter::filterWithName("CIColorInvert");
    ASSERT_TRUE(filter);
    EXPECT_FALSE(filter->outputImage());
    EXPECT_FALSE(CIContext::contextWithOptions()->createCGImage(nullptr, CGRect(0, 0, 4, 4)));
    EXPECT_FALSE(CIImage::create(nullptr));
}

TEST(FilterEngineTest, InputsAreCheckedClampedAndDefaulted) {
    const CIFilterPtr filter = CIFilter::filterWithName("CIColorPosterize");
    ASSERT_TRUE(filter);
    EXPECT_EQ(filter->valueForKey("inputLevels").doubleValue(), 6.0);
    filter->setValueForKey(1000, "inputLevels");
    EXPECT_EQ(filter->valueForKey("inputLevels").doubleValue(), 256.0);
    filter->setValueForKey(std::string("four"), "inputLevels");  // wrong kind: ignored
    EXPECT_EQ(filter->valueForKey("inputLevels").doubleValue(), 256.0);
    filter->setValueForKey(4, "inputNoSuchKey");
    EXPECT_TRUE(filter->valueForKey("inputNoSuchKey").isNull());
    filter->setDefaults();
    EXPECT_EQ(filter->valueForKey("inputLevels").doubleValue(), 6.0);
}

TEST(FilterEngineTest, OutputsDoNotChangeWhenTheFilterChangesLater) {
    const UIImagePtr photo = makePhoto(16, 16);
    const CIFilterPtr filter = CIFilter::filterWithName("CIExposureAdjust");
    filter->setValueForKey(CIImage::value(CIImage::create(photo)), kCIInputImageKey);
    filter->setValueForKey(1.0, "inputEV");
    const CIImagePtr brighter = filter->outputImage();
    filter->setValueForKey(-1.0, "inputEV");
    const CGImageRef bitmap =
        CIContext::contextWithOptions()->createCGImage(brighter, brighter->extent());
    EXPECT_GT(channel(pixelAt(*bitmap, 8, 8), 1), channel(pixelAt(photo, 8, 8), 1));
}

TEST(FilterEngineTest, EveryRegisteredFilterRendersItsDeclaredExtentDeterministically) {
    const UIImagePtr photo = translucentPhoto(64, 48);
    const auto& all = CIFilterRegistry::allDescriptors();
    EXPECT_EQ(all.size(), 24u);
    for (const CIFilterDescriptor* descriptor : all) {
        SCOPED_TRACE(descriptor->name);
        EXPECT_FALSE(descriptor->doc.empty());
        EXPECT_TRUE(descriptor->isPointFilter() || descriptor->render);
        for (const CIFilterInput& input : descriptor->inputs) {
            EXPECT_FALSE(input.doc.empty());
            if (input.kind == CIFilterInput::Kind::Number) {
                EXPECT_GE(input.defaultValue.doubleValue(), input.minimum);
                EXPECT_LE(input.defaultValue.doubleValue(), input.maximum);
            }
        }
        const Rendered first = renderFilter(descriptor->name, photo);
        const Rendered second = renderFilter(descriptor->name, photo);
        ASSERT_TRUE(first.bitmap);
        EXPECT_EQ(first.bitmap->width(), first.extent.width());
        EXPECT_EQ(first.bitmap->height(), first.extent.height());
        EXPECT_TRUE(samePixels(*first.bitmap, *second.bitmap));
        std::map<std::string, Value> defaults;
        for (const CIFilterInput& input : descriptor->inputs) {
            defaults[input.key] = input.defaultValue;
        }
        const CGRect input(0, 0, 64, 48);
        EXPECT_EQ(first.extent, descriptor->extent
                                    ? descriptor->extent(input, CIFilterParameters(defaults))
                                    : input);
        EXPECT_TRUE(first.extent.contains(input));
        // Premultiplied colour never exceeds alpha.
        for (int y = 0; y < first.bitmap->height(); ++y) {
            for (int x = 0; x < first.bitmap->width(); ++x) {
                const std::uint32_t p = pixelAt(*first.bitmap, x, y);
                ASSERT_LE(std::max({channel(p, 0), channel(p, 1), channel(p, 2)}), channel(p, 3));
            }
        }
    }
}

TEST(FilterEngineTest, PoolRendersMatchSingleThreadedRendersBitForBit) {
    const UIImagePtr photo = translucentPhoto(301, 203);
    for (const CIFilterDescriptor* descriptor : CIFilterRegistry::allDescriptors()) {
        SCOPED_TRACE(descriptor->name);
        const Rendered pooled = renderFilter(descriptor->name, photo);
        // With the pool held, dispatchApply runs every band on the calling thread.
        DispatchQueue::global().hold();
        const Rendered alone = renderFilter(descriptor->name, photo);
        DispatchQueue::global().release();
        ASSERT_TRUE(pooled.bitmap && alone.bitmap);
        EXPECT_TRUE(samePixels(*pooled.bitmap, *alone.bitmap));
    }
}

// The portable paths, which phones without these instructions run, give the pixels of the
// fastest ones.
TEST(FilterEngineTest, EveryVectorLevelRendersTheSamePixels) {
    const UIImagePtr photo = translucentPhoto(301, 203);
    // Inputs that change the picture where the defaults leave it alone.
    const std::map<std::string, ValueDictionary> changing = {
        {"CIAffineTransform", {{"inputTransform", CGAffineTransform::makeRotation(0.3)}}},
        {"CIColorControls", {{"inputSaturation", 1.4}, {"inputContrast", 1.2}}},
        {"CIExposureAdjust", {{"inputEV", 0.7}}},
        {"CIGammaAdjust", {{"inputPower", 0.6}}},
        {"CIHighlightShadowAdjust", {{"inputShadowAmount", 0.5}}},
        {"CIHueAdjust", {{"inputAngle", 1.0}}},
        {"CIToneCurve", {{"inputPoint2", CIVector::withX(0.5, 0.7)}}},
    };
    const auto& all = CIFilterRegistry::allDescriptors();
    const auto renderEach = [&] {
        std::vector<CGImageRef> rendered;
        for (const CIFilterDescriptor* descriptor : all) {
            const auto inputs = changing.find(descriptor->name);
            rendered.push_back(
                renderFilter(descriptor->name, photo,
                             inputs == changing.end() ? ValueDictionary{} : inputs->second)
                    .bitmap);
        }
        rendered.push_back(render(adjustmentChain(photo, 1.3, 0.6, 1.2)).bitmap);
        return rendered;
    };
    const std::vector<CGImageRef> fastest = renderEach();
    for (VectorLevel level : {VectorLevel::Portable, VectorLevel::Avx2}) {
        const VectorLevelLimit limit(level);
        const std::vector<CGImageRef> limited = renderEach();
        for (std::size_t i = 0; i < fastest.size(); ++i) {
            ASSERT_TRUE(fastest[i] && limited[i]);
            EXPECT_TRUE(samePixels(*fastest[i], *limited[i]))
                << (i < all.size() ? all[i]->name : "the adjustment chain") << " at level "
                << static_cast<int>(level);
        }
    }
}

TEST(FilterEngineTest, ConcurrentRendersGiveTheSamePixelsAsSequentialOnes) {
    const UIImagePtr photo = makePhoto(120, 90);
    const auto& all = CIFilterRegistry::allDescriptors();
    std::vector<CGImageRef> sequential;
    for (const CIFilterDescriptor* descriptor : all) {
        sequential.push_back(renderFilter(descriptor->name, photo).bitmap);
    }
    std::vector<CGImageRef> concurrent(all.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < all.size(); ++i) {
        threads.emplace_back([&, i] { concurrent[i] = renderFilter(all[i]->name, photo).bitmap; });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        ASSERT_TRUE(concurrent[i]);
        EXPECT_TRUE(samePixels(*sequential[i], *concurrent[i])) << all[i]->name;
    }
}

TEST(FilterEngineTest, TheAdjustmentChainIsOnePassAndIsLoggedInOrder) {
    const UIImagePtr photo = makePhoto(40, 30);
    CIRenderLog::startRecording();
    EXPECT_TRUE(render(adjustmentChain(photo, 1.5, 0.5, 1.44)).bitmap);
    const std::vector<CIRenderRecord> records = CIRenderLog::stopRecording();
    ASSERT_EQ(records.size(), 1u);
    ASSERT_EQ(records[0].filters.size(), 3u);
    EXPECT_EQ(records[0].filters[0].name, "CIColorControls");
    EXPECT_EQ(records[0].filters[0].inputs.at("inputSaturation").doubleValue(), 1.5);
    EXPECT_EQ(records[0].filters[1].name, "CIExposureAdjust");
    EXPECT_EQ(records[0].filters[2].inputs.at("inputPower").doubleValue(), 1.44);
    EXPECT_EQ(records[0].rect, CGRect(0, 0, 40, 30));

    // The three programs join into one matrix and one set of curves: one pass.
    const auto program = [](const std::string& name) {
        return CIFilterRegistry::descriptorNamed(name)->program(
            CIFilterParameters({{"inputSaturation", 1.5},
                                {"inputBrightness", 0.0},
                                {"inputContrast", 1.0},
                                {"inputEV", 0.5},
                                {"inputPower", 1.44}}));
    };
    EXPECT_EQ(program("CIColorControls")
                  .then(program("CIExposureAdjust"))
                  .then(program("CIGammaAdjust"))
                  .stageCount(),
              2u);
}

TEST(FilterEngineTest, RenderingPartOfTheExtentCutsOrPadsWithTransparency) {
    const UIImagePtr photo = makePhoto(20, 10);
    const CIImagePtr image = CIImage::create(photo);
    // y up: the rectangle (0, 5, 20, 5) is the picture's top half.
    const CGImageRef top =
        CIContext::contextWithOptions()->createCGImage(image, CGRect(0, 5, 20, 5));
    ASSERT_TRUE(top);
    EXPECT_EQ(top->height(), 5);
    EXPECT_EQ(pixelAt(*top, 3, 0), pixelAt(photo, 3, 0));
    const CGImageRef larger =
        CIContext::contextWithOptions()->createCGImage(image, CGRect(-2, 0, 24, 10));
    ASSERT_TRUE(larger);
    EXPECT_EQ(pixelAt(*larger, 0, 0), 0u);
    EXPECT_EQ(pixelAt(*larger, 2, 0), pixelAt(photo, 0, 0));
}

}  // namespace
