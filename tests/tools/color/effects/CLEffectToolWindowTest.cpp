#include "platform/graphics/CGImage.h"
#include "tests/tools/ToolWindowFixture.h"
#include "tools/color/effects/CLBloomEffect.h"
#include "tools/color/effects/CLEffectTool.h"
#include "tools/color/effects/CLSpotEffect.h"

TEST_F(ToolWindowTest, BloomWithAWiderRadiusAppliesToTheFullSizePhoto) {
    const UIImagePtr photo = samplePhoto();
    openEditor(photo);
    startTool(CLEffectTool::kClassName);
    const auto tool = std::dynamic_pointer_cast<CLEffectTool>(editor->currentTool());
    ASSERT_NE(tool, nullptr);
    clickStripItem(*tool->menuScroll(), CLBloomEffect::kClassName);
    const auto bloom = std::dynamic_pointer_cast<CLBloomEffect>(tool->selectedEffect());
    ASSERT_NE(bloom, nullptr);
    const UISlider& radius = *bloom->radiusSlider();
    const CGRect thumb =
        radius.convertRectToView(radius.thumbRectForValue(radius.value()), window.get());
    const CGRect track = radius.convertRectToView(radius.bounds(), window.get());
    drag({thumb.midX(), thumb.midY()}, {track.maxX() - 20, thumb.midY()});
    settle();
    EXPECT_GT(radius.value(), 0.8);
    const UIImagePtr preview = editor->imageView()->image();
    EXPECT_LT(preview->CGImage()->width(), photo->CGImage()->width());

    clickOk();
    EXPECT_EQ(editor->currentTool(), nullptr);
    const UIImagePtr result = editor->originalImage();
    ASSERT_EQ(result->CGImage()->width(), photo->CGImage()->width());
    ASSERT_EQ(result->CGImage()->height(), photo->CGImage()->height());
    long changed = 0;
    for (int y = 0; y < result->CGImage()->height(); y += 16) {
        const auto* before = photo->CGImage()->row(y);
        const auto* after = result->CGImage()->row(y);
        for (int x = 0; x < result->CGImage()->width(); x += 16) {
            changed += std::abs(after[4 * x + 1] - before[4 * x + 1]) > 4;
        }
    }
    EXPECT_GT(changed, 100) << "bloomed";
}

TEST_F(ToolWindowTest, AClickOrADragOnThePictureMovesTheSpot) {
    openEditor(samplePhoto());
    startTool(CLEffectTool::kClassName);
    const auto tool = std::dynamic_pointer_cast<CLEffectTool>(editor->currentTool());
    ASSERT_NE(tool, nullptr);
    clickStripItem(*tool->menuScroll(), CLSpotEffect::kClassName);
    const auto spot = std::dynamic_pointer_cast<CLSpotEffect>(tool->selectedEffect());
    ASSERT_NE(spot, nullptr);
    const UIImagePtr before = editor->imageView()->image();
    const CGRect picture =
        spot->containerView()->convertRectToView(spot->containerView()->bounds(), window.get());
    click({picture.minX() + picture.width() * 0.25, picture.midY()});
    settle();
    EXPECT_NEAR(spot->X(), 0.25, 0.01);
    EXPECT_NE(editor->imageView()->image(), before);
    drag({picture.minX() + picture.width() * 0.25, picture.midY()},
         {picture.maxX() + 30, picture.minY() + picture.height() * 0.75});
    settle();
    EXPECT_DOUBLE_EQ(spot->X(), 1);
    EXPECT_NEAR(spot->Y(), 0.75, 0.01);
}
