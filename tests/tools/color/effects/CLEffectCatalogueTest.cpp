#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/CLImageToolInfo.h"
#include "imaging/engine/CIRenderLog.h"
#include "imaging/engine/CIVector.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "imaging/operations/UIImageUtility.h"
#include "tests/tools/ToolTestSupport.h"
#include "tests/tools/color/effects/RecordedInputs.h"
#include "tools/ToolCatalogue.h"
#include "tools/color/effects/CLBloomEffect.h"
#include "tools/color/effects/CLGloomEffect.h"
#include "tools/color/effects/CLHighlightShadowEffect.h"
#include "tools/color/effects/CLHueEffect.h"
#include "tools/color/effects/CLPixellateEffect.h"
#include "tools/color/effects/CLPosterizeEffect.h"

namespace {

const UIViewPtr& superview() {
    static const auto view = std::make_shared<UIView>(CGRect{0, 0, 320, 480});
    return view;
}

// An effect over a 320 × 480 superview, made as the effect tool makes it.
template <typename Effect>
std::shared_ptr<Effect> makeEffect() {
    return std::make_shared<Effect>(superview(), CGRect{10, 90, 300, 225}, nullptr);
}

void slideTo(UISlider& slider, double value) {
    slider.setValue(value);
    slider.sendActionsForControlEvents(UIControlEventValueChanged);
}

// The largest difference of any channel of any pixel.
int largestDifference(const UIImagePtr& a, const UIImagePtr& b) {
    int largest = 0;
    for (int y = 0; y < a->CGImage()->height(); ++y) {
        for (int x = 0; x < a->CGImage()->width(); ++x) {
            const std::uint32_t p = pixelAt(a, x, y);
            const std::uint32_t q = pixelAt(b, x, y);
            for (int shift = 0; shift < 32; shift += 8) {
                const int delta =
                    static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF);
                largest = std::max(largest, std::abs(delta));
            }
        }
    }
    return largest;
}

}  // namespace

TEST(CLEffectCatalogueTest, EffectsAreOfferedInDockedOrderAndGatedByVersion) {
    EXPECT_EQ(offeredTitles(CLEffectBase::kClassName, "17.0"),
              (std::vector<std::string>{"None", "Spot", "Hue", "Highlight", "Bloom", "Gloom",
                                        "Posterize", "Pixelate"}));
    EXPECT_EQ(offeredTitles(CLEffectBase::kClassName, "6.0"),
              (std::vector<std::string>{"None", "Hue", "Highlight", "Bloom", "Gloom", "Posterize",
                                        "Pixelate"}));
    EXPECT_EQ(offeredTitles(CLEffectBase::kClassName, "5.1"),
              (std::vector<std::string>{"None", "Hue", "Highlight"}));
}

TEST(CLEffectCatalogueTest, HueAndShadowsAtStartLeaveTheUprightPicture) {
    // Stored on its side: the effects work on the picture as it stands.
    const UIImagePtr sideways = rampPicture(60, 80, 1, UIImageOrientation::Right);
    const UIImagePtr upright = UIImageUtility::decode(sideways);
    for (const CLEffectBasePtr& effect : {CLEffectBasePtr(makeEffect<CLHueEffect>()),
                                          CLEffectBasePtr(makeEffect<CLHighlightShadowEffect>())}) {
        const UIImagePtr result = effect->applyEffect(sideways);
        ASSERT_EQ(result->CGImage()->width(), 80);
        EXPECT_EQ(result->imageOrientation(), UIImageOrientation::Up);
        EXPECT_LE(largestDifference(result, upright), 1);
    }
}

TEST(CLEffectCatalogueTest, ARenderKeepsTheValuesOfWhenItWasAskedFor) {
    const auto hue = makeEffect<CLHueEffect>();
    const CLEffectBase::Render render = hue->effectRender();
    hue->hueSlider()->setValue(std::numbers::pi / 2);
    CIRenderLog::startRecording();
    render(rampPicture(8, 8));
    EXPECT_EQ(recordedInputs()["inputAngle"].doubleValue(), 0);
}

TEST(CLEffectCatalogueTest, PosterizeLevelsAtStartAndAtBothEnds) {
    const auto posterize = makeEffect<CLPosterizeEffect>();
    const auto levelsAt = [&](double value) {
        posterize->levelSlider()->setValue(value);
        CIRenderLog::startRecording();
        posterize->applyEffect(rampPicture(8, 8));
        return recordedInputs()["inputLevels"].doubleValue();
    };
    EXPECT_EQ(levelsAt(posterize->levelSlider()->value()), 4);
    EXPECT_EQ(levelsAt(posterize->levelSlider()->maximumValue()), 2);
    EXPECT_EQ(levelsAt(posterize->levelSlider()->minimumValue()), 10);

    EXPECT_FALSE(posterize->levelSlider()->isContinuous()) << "renders when the finger lifts";
}

TEST(CLEffectCatalogueTest, BloomAndGloomMeasureInPixelsAndKeepThePicturesSize) {
    // 200 × 150 points at two pixels a point.
    const UIImagePtr picture = rampPicture(400, 300, 2);
    for (const std::shared_ptr<CLGlowEffect>& effect :
         {std::shared_ptr<CLGlowEffect>(makeEffect<CLBloomEffect>()),
          std::shared_ptr<CLGlowEffect>(makeEffect<CLGloomEffect>())}) {
        CIRenderLog::startRecording();
        const UIImagePtr result = effect->applyEffect(picture);
        auto inputs = recordedInputs();
        EXPECT_FLOAT_EQ(inputs["inputRadius"].doubleValue(), 0.5 * 300 * 0.05);
        EXPECT_EQ(inputs["inputIntensity"].doubleValue(), 1);
        ASSERT_EQ(result->CGImage()->width(), 400);
        EXPECT_EQ(result->CGImage()->height(), 300);
        EXPECT_GT(largestDifference(result, picture), 8);
    }
}

TEST(CLEffectCatalogueTest, PixellateMeasuresInPixelsAndKeepsEveryRowAndColumn) {
    const UIImagePtr picture = rampPicture(400, 300, 2);
    const auto pixellate = makeEffect<CLPixellateEffect>();
    CIRenderLog::startRecording();
    const UIImagePtr result = pixellate->applyEffect(picture);
    auto inputs = recordedInputs();
    EXPECT_FLOAT_EQ(inputs["inputScale"].doubleValue(), 0.5 * 300 * 0.1);
    EXPECT_EQ(inputs["inputCenter"].vectorValue(), CIVector::withX(200, 150));
    ASSERT_EQ(result->CGImage()->width(), 400);
    EXPECT_EQ(result->CGImage()->height(), 300);
}

TEST(CLEffectCatalogueTest, TheBorderSearchHoldsEveryOpaquePixel) {
    auto bitmap = CGImage::create(8, 6, CGPixelFormat::ARGB32Premultiplied);
    EXPECT_EQ(CLPixellateEffect::clippingRectForTransparentSpace(*bitmap), CGRect(0, 0, 0, 0));
    const auto paint = [&](int x, int y) {
        reinterpret_cast<std::uint32_t*>(bitmap->mutableRow(y))[x] = 0x01000000u;
    };
    paint(2, 1);
    paint(4, 2);
    EXPECT_EQ(CLPixellateEffect::clippingRectForTransparentSpace(*bitmap), CGRect(2, 1, 3, 2));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            paint(x, y);
        }
    }
    EXPECT_EQ(CLPixellateEffect::clippingRectForTransparentSpace(*bitmap), CGRect(0, 0, 8, 6));
}

TEST(CLEffectCatalogueTest, PixellateOfATransparentPictureStaysAPicture) {
    const auto transparent =
        UIImage::imageWithCGImage(CGImage::create(40, 30, CGPixelFormat::ARGB32Premultiplied));
    const UIImagePtr result = makeEffect<CLPixellateEffect>()->applyEffect(transparent);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->CGImage()->width(), 40);
}

TEST(CLEffectCatalogueTest, SlidersTellTheDelegateAndNotAfterTheEffectIsGone) {
    struct Listener : CLEffectDelegate {
        int changes = 0;
        void effectParameterDidChange(CLEffectBase&) override { ++changes; }
    };
    const auto listener = std::make_shared<Listener>();
    auto gloom = makeEffect<CLGloomEffect>();
    gloom->setDelegate(listener);
    slideTo(*gloom->intensitySlider(), 0.3);
    EXPECT_EQ(listener->changes, 1);
    const UISliderPtr outliving = gloom->radiusSlider();
    gloom.reset();
    EXPECT_FALSE(outliving->isDescendantOfView(superview().get())) << "controls removed";
    slideTo(*outliving, 0.2);
    EXPECT_EQ(listener->changes, 1);
}
