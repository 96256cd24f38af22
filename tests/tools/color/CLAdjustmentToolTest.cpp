#include "imaging/engine/CIRenderLog.h"
#include "platform/graphics/CGImage.h"
#include "tests/tools/ToolWindowFixture.h"
#include "tools/color/CLAdjustmentTool.h"

namespace {

class CLAdjustmentToolTest : public ToolWindowTest {
protected:
    std::shared_ptr<CLAdjustmentTool> open() {
        openEditor(samplePhoto());
        startTool(CLAdjustmentTool::kClassName);
        return std::dynamic_pointer_cast<CLAdjustmentTool>(editor->currentTool());
    }
    // The inputs each filter of a render of values ran with.
    static std::vector<CIRenderedFilter> filtersOf(const CLAdjustmentTool::Values& values) {
        CIRenderLog::startRecording();
        CLAdjustmentTool::filteredImage(samplePhoto(), values);
        const auto renders = CIRenderLog::stopRecording();
        return renders.size() == 1 ? renders[0].filters : std::vector<CIRenderedFilter>{};
    }
};

}  // namespace

TEST_F(CLAdjustmentToolTest, SliderEndsDriveTheThreeFiltersInOnePass) {
    const auto low = filtersOf({0, -1, 0.5});
    ASSERT_EQ(low.size(), 3u);
    EXPECT_EQ(low[0].name, "CIColorControls");
    EXPECT_EQ(low[0].inputs.at("inputSaturation").doubleValue(), 0);
    EXPECT_EQ(low[1].inputs.at("inputEV").doubleValue(), -2);
    EXPECT_EQ(low[2].inputs.at("inputPower").doubleValue(), 0.25);
    const auto high = filtersOf({2, 1, 1.5});
    EXPECT_EQ(high[1].inputs.at("inputEV").doubleValue(), 2);
    EXPECT_EQ(high[2].inputs.at("inputPower").doubleValue(), 2.25);

    const UIImagePtr photo = samplePhoto();
    const UIImagePtr neutral = CLAdjustmentTool::filteredImage(photo, {});
    const auto* before = photo->CGImage()->row(200) + 4 * 300;
    const auto* after = neutral->CGImage()->row(200) + 4 * 300;
    for (int channel = 0; channel < 3; ++channel) {
        EXPECT_NEAR(after[channel], before[channel], 1);
    }
}

TEST_F(CLAdjustmentToolTest, IconOptionsReplaceTheThumbsInBothStates) {
    const auto tool = open();
    const UIImagePtr bundled = tool->saturationSlider()->thumbImageForState(UIControlStateNormal);
    ASSERT_NE(bundled, nullptr);
    clickBack();
    editor->toolInfo()
        ->subToolInfoWithToolNameRecursive(CLAdjustmentTool::kClassName, false)
        ->setOptionalInfo(ValueDictionary{{"saturationIconAssetsName", "img_lumet.jpg"}});
    const auto custom = std::dynamic_pointer_cast<CLAdjustmentTool>(
        (startTool(CLAdjustmentTool::kClassName), editor->currentTool()));
    for (const unsigned state : {UIControlStateNormal, UIControlStateHighlighted}) {
        const UIImagePtr thumb = custom->saturationSlider()->thumbImageForState(state);
        ASSERT_NE(thumb, nullptr);
        EXPECT_NE(thumb->size(), bundled->size());
    }
}

TEST_F(CLAdjustmentToolTest, AChangeDroppedDuringARenderIsCaughtUpWithAfterIt) {
    const auto tool = open();
    DispatchQueue::global().hold();
    tool->saturationSlider()->setValue(0);
    tool->sliderDidChange();
    tool->saturationSlider()->setValue(2);
    tool->sliderDidChange();
    DispatchQueue::global().release();
    settle();
    EXPECT_FALSE(CLAdjustmentTool::isRendering());
    const auto* pixel = editor->imageView()->image()->CGImage()->row(100) + 4 * 100;
    EXPECT_FALSE(pixel[0] == pixel[1] && pixel[1] == pixel[2]) << "not the grey of saturation 0";
}

TEST_F(CLAdjustmentToolTest, DraggingSaturationToZeroInTheWindowGivesAGreyFullSizePicture) {
    const UIImagePtr photo = samplePhoto();
    const auto tool = open();
    const CGPoint thumb = centreOf(*tool->saturationSlider());
    drag(thumb, {thumb.x - 200, thumb.y});
    EXPECT_EQ(tool->saturationSlider()->value(), 0);
    clickOk();
    const UIImagePtr result = editor->originalImage();
    ASSERT_EQ(result->CGImage()->width(), photo->CGImage()->width());
    const auto* pixel = result->CGImage()->row(300) + 4 * 400;
    EXPECT_NEAR(pixel[0], pixel[1], 1);
    EXPECT_NEAR(pixel[1], pixel[2], 1);
}
