#include <filesystem>
#include <fstream>
#include <iostream>

#include "platform/graphics/CGImage.h"
#include "tests/tools/ToolWindowFixture.h"
#include "tools/geometry/CLRotateTool.h"

namespace {

std::uint32_t pixel(const UIImagePtr& image, int x, int y) {
    return reinterpret_cast<const std::uint32_t*>(image->CGImage()->row(y))[x];
}

// 4 x 2 pixels, each its own colour.
UIImagePtr tiles() {
    auto bitmap = CGImage::create(4, 2, CGPixelFormat::RGB32);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            reinterpret_cast<std::uint32_t*>(bitmap->mutableRow(y))[x] =
                0xFF000000u | (x * 60) << 16 | (y * 200) << 8;
        }
    }
    return UIImage::imageWithCGImage(bitmap);
}

CGSize pixelSize(const UIImagePtr& image) {
    return {static_cast<double>(image->CGImage()->width()),
            static_cast<double>(image->CGImage()->height())};
}

class CLRotateToolTest : public ToolWindowTest {
protected:
    std::shared_ptr<CLRotateTool> open(const UIImagePtr& photo) {
        openEditor(photo);
        startTool(CLRotateTool::kClassName);
        return std::dynamic_pointer_cast<CLRotateTool>(editor->currentTool());
    }
};

}  // namespace

TEST(CLRotateToolRender, TurnsMirrorsAndCropsAsThePreviewShows) {
    const UIImagePtr picture = tiles();
    const CGSize frame{200, 100};
    CLRotateState still;
    const UIImagePtr same = CLRotateTool::buildImage(picture, still, frame, false);
    EXPECT_EQ(pixelSize(same), (CGSize{4, 2}));
    EXPECT_EQ(pixel(same, 3, 1), pixel(picture, 3, 1));
    EXPECT_EQ(pixelSize(CLRotateTool::buildImage(picture, still, frame, true)), (CGSize{4, 2}));

    CLRotateState mirrored{.flipHorizontal = 1, .flipVertical = 1};
    CLRotateState halfTurn{.sliderValue = 1};
    const UIImagePtr flipped = CLRotateTool::buildImage(picture, mirrored, frame, false);
    const UIImagePtr turned = CLRotateTool::buildImage(picture, halfTurn, frame, false);
    EXPECT_EQ(pixel(flipped, 0, 0), pixel(picture, 3, 1));
    EXPECT_EQ(pixel(flipped, 1, 0), pixel(turned, 1, 0));

    const auto big = CGImage::create(400, 200, CGPixelFormat::RGB32);
    const UIImagePtr photo = UIImage::imageWithCGImage(big);
    CLRotateState quarter{.sliderValue = 0.5};
    EXPECT_EQ(pixelSize(CLRotateTool::buildImage(photo, quarter, frame, false)),
              (CGSize{200, 400}));
    // The largest 2 : 1 rectangle inside the upright 200 x 400 picture.
    EXPECT_EQ(pixelSize(CLRotateTool::buildImage(photo, quarter, frame, true)), (CGSize{200, 100}));
}

TEST_F(CLRotateToolTest, AQuarterTurnClickedInTheWindowSwapsTheResultsSides) {
    const UIImagePtr photo = samplePhoto();
    const auto tool = open(photo);
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(editor->imageView()->isHidden()) << "the turning view stands in";
    click(centreOf(*tool->menuScroll()->subviews()[CLRotateTool::kQuarterTurn]));
    settle();
    EXPECT_EQ(tool->rotateSlider()->value(), 0.5);
    clickOk();
    EXPECT_EQ(editor->currentTool(), nullptr);
    EXPECT_EQ(pixelSize(editor->originalImage()),
              (CGSize{pixelSize(photo).height, pixelSize(photo).width}));
    EXPECT_FALSE(editor->imageView()->isHidden());
}

TEST_F(CLRotateToolTest, BackLeavesThePictureAndShowsTheEditorsViewAfterTheSlide) {
    const UIImagePtr photo = samplePhoto();
    const auto tool = open(photo);
    drag(centreOf(*tool->rotateSlider()),
         {centreOf(*tool->rotateSlider()).x + 60, centreOf(*tool->rotateSlider()).y});
    EXPECT_GT(tool->state().sliderValue, 0);
    const UIImagePtr working = editor->originalImage();
    clickBack();
    EXPECT_EQ(editor->originalImage(), working);
    EXPECT_FALSE(editor->imageView()->isHidden());
    EXPECT_EQ(tool->rotateImageView()->superview(), nullptr);
}

TEST_F(CLRotateToolTest, AtThirtyDegreesTheGridOutlinesTheTurnedPicture) {
    const auto tool = open(samplePhoto());
    tool->rotateSlider()->setValue(1.0 / 6);
    tool->rotateSlider()->sendActionsForControlEvents(UIControlEventValueChanged);
    settle();
    const CGRect grid = tool->gridView()->gridRect();
    EXPECT_EQ(grid, tool->rotateImageView()->frame());
    const CGSize panel = tool->gridView()->bounds().size;
    EXPECT_NEAR(std::max(grid.width() / panel.width, grid.height() / panel.height), 0.95, 1e-9)
        << "the turned picture fits with a 5 % margin";

    const UIImagePtr screen = window->snapshot();
    const auto path = std::filesystem::temp_directory_path() / "rotate-tool-30-degrees.png";
    const auto png = UIImagePNGRepresentation(*screen);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    std::cout << "screenshot: " << path << "\n";
    const CGRect onScreen = tool->gridView()->convertRectToView(grid, window.get());
    const double scale = screen->scale();
    const std::uint32_t corner = pixel(screen, static_cast<int>(onScreen.minX() * scale + 1),
                                       static_cast<int>(onScreen.minY() * scale + 1));
    EXPECT_NE(corner, pixel(screen, static_cast<int>(onScreen.midX() * scale),
                            static_cast<int>(onScreen.midY() * scale)))
        << "the box's corner lies outside the turned picture";
}
