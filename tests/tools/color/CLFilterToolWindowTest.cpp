#include "platform/graphics/CGImage.h"
#include "tests/tools/ToolWindowFixture.h"
#include "tools/color/CLFilterTool.h"

TEST_F(ToolWindowTest, AClickedFilterAppliesToTheFullSizePhoto) {
    const UIImagePtr photo = samplePhoto();
    openEditor(photo);
    startTool(CLFilterTool::kClassName);
    const auto tool = std::dynamic_pointer_cast<CLFilterTool>(editor->currentTool());
    ASSERT_NE(tool, nullptr);
    clickStripItem(*tool->menuScroll(), "CLDefaultInvertFilter");
    clickOk();
    const UIImagePtr result = editor->originalImage();
    EXPECT_EQ(editor->currentTool(), nullptr);
    ASSERT_EQ(result->CGImage()->width(), photo->CGImage()->width());
    const auto* before = photo->CGImage()->row(100) + 4 * 100;
    const auto* after = result->CGImage()->row(100) + 4 * 100;
    EXPECT_NEAR(after[1], 255 - before[1], 1) << "inverted";
}
