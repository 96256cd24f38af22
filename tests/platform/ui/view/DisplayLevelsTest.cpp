#include "platform/ui/view/DisplayLevels.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/BlockMeans.h"
#include "platform/ui/view/UIImageView.h"
#include "platform/ui/view/UIViewRenderer.h"

namespace {

// One-pixel black and white columns: grainy or banded when point sampled, mid grey
// when filtered.
UIImagePtr stripes(int width, int height) {
    auto bitmap = CGImage::create(width, height, CGPixelFormat::RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bitmap->mutableRow(y));
        for (int x = 0; x < width; ++x) {
            row[x] = x % 2 == 0 ? 0xFF000000u : 0xFFFFFFFFu;
        }
    }
    return UIImage::imageWithCGImage(bitmap, 1);
}

// The largest difference of a picture's green channel from mid grey.
int largestDeviationFromGrey(const UIImage& image) {
    int largest = 0;
    const CGImage& bitmap = *image.CGImage();
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            largest = std::max(largest, std::abs(bitmap.row(y)[4 * x + 1] - 128));
        }
    }
    return largest;
}

// Counts how often its tree asks to be painted again.
class RootView : public UIView {
public:
    using UIView::UIView;
    int redraws = 0;

protected:
    void treeNeedsRedraw() override { ++redraws; }
};

TEST(DisplayLevels, ALargePictureShownSmallIsDrawnFilteredOnceItsCopyIsReady) {
    // Not a whole ratio, so the samples fall at every phase of the stripes.
    auto root = std::make_shared<RootView>(CGRect{0, 0, 230, 115});
    auto view = std::make_shared<UIImageView>(CGRect{0, 0, 230, 115});
    root->addSubview(view);
    view->setImage(stripes(2000, 1000));

    // The first paint does not wait for the copy: it samples the picture itself.
    EXPECT_GT(largestDeviationFromGrey(*UIViewRenderer::renderToImage(*root, 1)), 60);
    const int redrawsBefore = root->redraws;
    drainMainQueueAndWaitForPool();
    EXPECT_GT(root->redraws, redrawsBefore) << "the window paints again when the copy is ready";
    EXPECT_LE(largestDeviationFromGrey(*UIViewRenderer::renderToImage(*root, 1)), 2);
}

TEST(DisplayLevels, TheCopyIsAtLeastAsLargeAsShownAndSmallPicturesAreDrawnAsTheyAre) {
    const auto large = CGImage::create(4000, 3000, CGPixelFormat::RGB32);
    EXPECT_EQ(DisplayLevels::factorFor(*large, 0.1), 8);
    EXPECT_EQ(DisplayLevels::factorFor(*large, 0.5), 2);
    EXPECT_EQ(DisplayLevels::factorFor(*large, 0.51), 1);
    EXPECT_EQ(DisplayLevels::factorFor(*large, 2), 1);
    EXPECT_EQ(DisplayLevels::factorFor(*CGImage::create(900, 900, CGPixelFormat::RGB32), 0.1), 1);
}

TEST(BlockMeans, EachPixelIsTheRoundedMeanOfItsBlockWithTheEdgeBlocksCut) {
    auto source = CGImage::create(5, 3, CGPixelFormat::Grey8);
    const std::uint8_t values[3][5] = {
        {0, 10, 20, 30, 40}, {1, 11, 21, 31, 41}, {200, 201, 7, 9, 255}};
    for (int y = 0; y < 3; ++y) {
        std::memcpy(source->mutableRow(y), values[y], 5);
    }
    const CGImageRef shrunk = shrinkByBlockMeans(*source, 2);
    ASSERT_EQ(shrunk->width(), 3);
    ASSERT_EQ(shrunk->height(), 2);
    const std::uint8_t expected[2][3] = {{6, 26, 41}, {201, 8, 255}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(shrunk->row(y)[x], expected[y][x]) << x << "," << y;
        }
    }
}

}  // namespace
