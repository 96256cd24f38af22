#include "platform/graphics/CGImage.h"
#include "tests/tools/ToolTestSupport.h"
#include "tests/tools/ToolWindowFixture.h"
#include "tools/paint/CLDrawTool.h"

namespace {

int channel(std::uint32_t pixel, int shift) {
    return static_cast<int>(pixel >> shift & 0xFF);
}

bool near(std::uint32_t pixel, const UIColor& color) {
    return std::abs(channel(pixel, 16) - color.red() * 255) <= 2 &&
           std::abs(channel(pixel, 8) - color.green() * 255) <= 2 &&
           std::abs(channel(pixel, 0) - color.blue() * 255) <= 2;
}

}  // namespace

TEST_F(ToolWindowTest, AStrokePaintedWithTheMouseLandsInTheFullSizePicture) {
    const UIImagePtr photo = samplePhoto();
    openEditor(photo);
    startTool(CLDrawTool::kClassName);
    const auto tool = std::dynamic_pointer_cast<CLDrawTool>(editor->currentTool());
    ASSERT_NE(tool, nullptr);

    // Drag the colour bar's thumb into the hues.
    const UISlider& bar = *tool->colorSlider();
    const CGRect thumb = bar.thumbRectForValue(0);
    const CGRect target = bar.thumbRectForValue(0.7);
    drag(bar.convertPointToView({thumb.midX(), thumb.midY()}, window.get()),
         bar.convertPointToView({target.midX(), target.midY()}, window.get()));
    settle();
    ASSERT_GT(bar.value(), 0.5);
    const UIColor color = CLDrawTool::colorForValue(bar.value());

    // A stroke across the middle of the picture, from a quarter to three quarters.
    const UIView& drawing = *tool->drawingView();
    const CGSize view = drawing.bounds().size;
    drag(drawing.convertPointToView({view.width * 0.25, view.height * 0.5}, window.get()),
         drawing.convertPointToView({view.width * 0.75, view.height * 0.5}, window.get()));
    clickOk();
    ASSERT_EQ(editor->currentTool(), nullptr);

    const UIImagePtr result = editor->originalImage();
    ASSERT_EQ(result->CGImage()->width(), photo->CGImage()->width());
    ASSERT_EQ(result->CGImage()->height(), photo->CGImage()->height());
    const int width = result->CGImage()->width();
    const int middle = result->CGImage()->height() / 2;
    for (const double along : {0.26, 0.5, 0.74}) {
        EXPECT_TRUE(near(pixelAt(result, static_cast<int>(width * along), middle), color))
            << "the stroke at " << along;
    }
    for (const auto& [x, y] : {std::pair{width / 2, middle - 40}, std::pair{width / 10, middle},
                               std::pair{width * 9 / 10, middle}}) {
        EXPECT_EQ(pixelAt(result, x, y) | 0xFF000000u, pixelAt(photo, x, y) | 0xFF000000u)
            << "the photo at " << x << ", " << y;
    }
}
