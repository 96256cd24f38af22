#include <cmath>
#include <numbers>

#include "imaging/operations/UIImageUtility.h"
#include "tests/tools/overlay/stickers/StickerToolTestSupport.h"

namespace {

// Pure magenta, which photos hardly have.
bool isMagenta(std::uint32_t pixel) {
    const Channels c = channelsOf(pixel);
    return c.r > 250 && c.g < 5 && c.b > 250;
}

using CLStickerToolWindowTest = StickerToolTest;

TEST_F(CLStickerToolWindowTest, AStickerPlacedMovedAndScaledOnAPhotoIsDrawnIntoTheFullSizePicture) {
    const std::string path = addPicture("sticker.png", solidPicture(120, 60, 0xFFFF00FF));
    const UIImagePtr photo = samplePhoto();
    ASSERT_NE(photo, nullptr);
    openEditor(photo);
    editor->toolInfo()
        ->subToolInfoWithToolNameRecursive(CLStickerTool::kClassName, false)
        ->optionalInfo()
        ->insert_or_assign("stickerPath", folder.string());
    startTool(CLStickerTool::kClassName);
    const auto tool = std::dynamic_pointer_cast<CLStickerTool>(editor->currentTool());
    ASSERT_NE(tool, nullptr);
    const auto box = tapSticker(*tool, path);
    ASSERT_NE(box, nullptr);

    const CGPoint start = box->center();
    drag(centreOf(*box->imageView()),
         {centreOf(*box->imageView()).x - 40, centreOf(*box->imageView()).y + 30});
    settle();
    EXPECT_NEAR(box->center().x, start.x - 40, 1);
    EXPECT_NEAR(box->center().y, start.y + 30, 1);
    const double placed = box->scale();
    const double turn = std::numbers::pi / 6;
    dragHandle(box, turn, 0.6);
    EXPECT_NEAR(box->scale(), placed * 0.6, 0.03 * placed);
    EXPECT_NEAR(box->arg(), turn, 0.04);
    const CGPoint centre = box->center();
    // The turned sticker's bounds, in working points.
    const double cos = std::cos(box->arg()), sin = std::sin(box->arg());
    const double width = (120 * cos + 60 * sin) * box->scale();
    const double height = (120 * sin + 60 * cos) * box->scale();

    clickOk();
    ASSERT_EQ(editor->currentTool(), nullptr);
    const UIImagePtr result = editor->originalImage();
    ASSERT_EQ(result->size(), photo->size());
    EXPECT_EQ(result->scale(), photo->scale());
    const double s = photo->size().width / tool->workingView()->bounds().width();
    const Ink sticker = Ink::of(result, isMagenta);
    ASSERT_GT(sticker.count, 100);
    EXPECT_NEAR(sticker.centreX, centre.x * s, 2);
    EXPECT_NEAR(sticker.centreY, centre.y * s, 2);
    EXPECT_NEAR(sticker.width(), width * s, 3);
    EXPECT_NEAR(sticker.height(), height * s, 3);
    EXPECT_NEAR(sticker.axis, turn, 0.05) << "the sticker lies turned in the picture";
    // Away from the sticker the photo is untouched.
    const Channels before = channelsOf(pixelAt(UIImageUtility::deepCopy(photo), 5, 5));
    const Channels after = channelsOf(pixelAt(result, 5, 5));
    EXPECT_NEAR(after.r, before.r, 1);
    EXPECT_NEAR(after.g, before.g, 1);
    EXPECT_NEAR(after.b, before.b, 1);
}

}  // namespace
