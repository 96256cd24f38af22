#include <filesystem>
#include <fstream>

#include "platform/graphics/CGImage.h"
#include "tests/tools/ToolWindowFixture.h"
#include "tools/geometry/CLClippingTool.h"
#include "tools/geometry/CLResizeTool.h"

TEST_F(ToolWindowTest, APhotoCroppedToSixteenByNineAndResizedTo640WideSavesAs640x360) {
    openEditor(samplePhoto());
    ASSERT_EQ(editor->originalImage()->size(), (CGSize{2560, 1600}));
    startTool(CLClippingTool::kClassName);
    const auto crop = std::dynamic_pointer_cast<CLClippingTool>(editor->currentTool());
    ASSERT_NE(crop, nullptr);
    click(centreOf(*crop->ratioItems().back()));
    settle();
    clickOk();
    ASSERT_EQ(editor->currentTool(), nullptr);
    EXPECT_EQ(editor->originalImage()->size(), (CGSize{2560, 1440}));

    startTool(CLResizeTool::kClassName);
    const auto resize = std::dynamic_pointer_cast<CLResizeTool>(editor->currentTool());
    ASSERT_NE(resize, nullptr);
    UITextField& width = *resize->resizePanel()->fieldW();
    click(centreOf(width));
    QTest::keyClick(window->nativeWindow(), Qt::Key_End);
    for (int key = 0; key < 4; ++key) {
        QTest::keyClick(window->nativeWindow(), Qt::Key_Backspace);
    }
    for (const char digit : {'6', '4', '0'}) {
        QTest::keyClick(window->nativeWindow(), digit);
    }
    EXPECT_EQ(resize->resizePanel()->fieldH()->text(), "360");
    clickOk();
    ASSERT_EQ(editor->currentTool(), nullptr);

    const auto path = std::filesystem::temp_directory_path() / "crop-and-resize.jpg";
    const auto jpeg = UIImageJPEGRepresentation(*editor->originalImage(), 0.9);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(jpeg.data()),
               static_cast<std::streamsize>(jpeg.size()));
    const UIImagePtr saved = UIImage::imageWithContentsOfFile(path.string());
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->CGImage()->width(), 640);
    EXPECT_EQ(saved->CGImage()->height(), 360);
    std::filesystem::remove(path);
}
