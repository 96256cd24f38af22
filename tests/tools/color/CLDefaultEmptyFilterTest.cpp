#include <gtest/gtest.h>

#include "core/CLImageToolInfo.h"
#include "imaging/engine/CIRenderLog.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "platform/foundation/Vector.h"
#include "platform/graphics/CGImage.h"
#include "tests/tools/ToolTestSupport.h"
#include "tools/ToolCatalogue.h"
#include "tools/color/CLDefaultEmptyFilter.h"

namespace {

const CLDefaultEmptyFilter& filterClass(const std::string& name) {
    return dynamic_cast<const CLDefaultEmptyFilter&>(*catalogue().classNamed(name));
}

UIImagePtr picture(int width, int height, double scale) {
    auto bitmap = CGImage::create(width, height, CGPixelFormat::RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bitmap->mutableRow(y));
        for (int x = 0; x < width; ++x) {
            row[x] = 0xFF000000u | (x * 255 / width) << 16 | (y * 255 / height) << 8 | 0x60;
        }
    }
    return UIImage::imageWithCGImage(bitmap, scale);
}

}  // namespace

TEST(CLDefaultEmptyFilterTest, CatalogueIsOfferedInOrderAndGatedByVersion) {
    EXPECT_EQ(offeredTitles(CLFilterBase::kClassName, "17.0"),
              (std::vector<std::string>{"None", "Linear", "Vignette", "Instant", "Process",
                                        "Transfer", "Sepia", "Chrome", "Fade", "Curve", "Tonal",
                                        "Noir", "Mono", "Invert"}));
    EXPECT_EQ(offeredTitles(CLFilterBase::kClassName, "6.1"),
              (std::vector<std::string>{"None", "Sepia", "Invert"}));
    EXPECT_EQ(offeredTitles(CLFilterBase::kClassName, "5.0"),
              (std::vector<std::string>{"None", "Sepia"}));
    EXPECT_EQ(offeredTitles(CLFilterBase::kClassName, "4.3"), (std::vector<std::string>{"None"}));
}

TEST(CLDefaultEmptyFilterTest, TableRowsAnswerForTheirOwnClassOnly) {
    const CLDefaultEmptyFilter& sepia = filterClass("CLDefaultSepiaFilter");
    EXPECT_EQ(sepia.filterName(), "CISepiaTone");
    EXPECT_TRUE(sepia.defaultInfoForKey("missing").isNull());

    // A class registered under the catalogue's root without a row of its own.
    const CLDefaultEmptyFilter stray("CLDefaultStrayFilter", CLDefaultEmptyFilter::kClassName);
    EXPECT_TRUE(stray.defaultInfoForKey("name").isNull());
    EXPECT_FALSE(stray.isAvailable());
    EXPECT_EQ(stray.applyFilter(picture(4, 4, 1)), nullptr);
}

TEST(CLDefaultEmptyFilterTest, NoneIsTheVeryPictureAndFiltersRenderAtPixelSize) {
    const UIImagePtr original = picture(40, 30, 2);
    EXPECT_EQ(filterClass(CLDefaultEmptyFilter::kClassName).applyFilter(original), original);
    EXPECT_EQ(dynamic_cast<const CLFilterBase&>(*catalogue().classNamed(CLFilterBase::kClassName))
                  .applyFilter(original),
              original);
    for (const std::string& name : CLDefaultEmptyFilter::catalogueSubclassNames()) {
        const UIImagePtr filtered = filterClass(name).applyFilter(original);
        ASSERT_NE(filtered, nullptr) << name;
        EXPECT_NE(filtered, original) << name;
        EXPECT_EQ(filtered->CGImage()->width(), 40) << name;
        EXPECT_EQ(filtered->CGImage()->height(), 30) << name;
        EXPECT_EQ(filtered->scale(), 1) << name;
        EXPECT_EQ(filtered->imageOrientation(), UIImageOrientation::Up) << name;
    }
    EXPECT_EQ(CLDefaultEmptyFilter::filteredImageWithFilterName(original, "CINoSuchFilter"),
              nullptr);
}

TEST(CLDefaultEmptyFilterTest, VignetteIsCentredWithHalfTheShorterSideInPixels) {
    for (const auto& [width, height, scale] :
         {std::tuple{40, 30, 2.0}, std::tuple{300, 500, 1.0}}) {
        CIRenderLog::startRecording();
        ASSERT_NE(filterClass("CLDefaultVignetteFilter").applyFilter(picture(width, height, scale)),
                  nullptr);
        const std::vector<CIRenderRecord> renders = CIRenderLog::stopRecording();
        ASSERT_EQ(renders.size(), 1u);
        ASSERT_EQ(renders[0].filters.size(), 1u);
        const auto& inputs = renders[0].filters[0].inputs;
        const Vector centre = inputs.at("inputCenter").vectorValue();
        EXPECT_DOUBLE_EQ(centre.x(), width * 0.5);
        EXPECT_DOUBLE_EQ(centre.y(), height * 0.5);
        EXPECT_FLOAT_EQ(inputs.at("inputRadius").doubleValue(), std::min(width, height) * 0.5);
        EXPECT_FLOAT_EQ(inputs.at("inputIntensity").doubleValue(), 0.9);
    }
}
