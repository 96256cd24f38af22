#include <gtest/gtest.h>

#include "imaging/operations/BitmapRecycler.h"
#include "tests/imaging/FilterTestSupport.h"

namespace {

using namespace filtertest;
using namespace testpictures;

// Large enough to be kept: about 4.4 MB.
constexpr int kWidth = 1100;
constexpr int kHeight = 1000;

TEST(BitmapRecyclerTest, ALetGoBitmapIsReusedAndOneInUseNeverIs) {
    auto first = BitmapRecycler::create(kWidth, kHeight);
    ASSERT_TRUE(first);
    const std::uint8_t* memory = first->data();
    // Still in use: the next one is other memory.
    auto second = BitmapRecycler::create(kWidth, kHeight);
    EXPECT_NE(second->data(), memory);
    second.reset();
    first.reset();
    // The last one let go comes back for the same size.
    auto reused = BitmapRecycler::create(kWidth, kHeight);
    EXPECT_EQ(reused->data(), memory);
    EXPECT_EQ(reused->width(), kWidth);
    EXPECT_EQ(reused->format(), CGPixelFormat::ARGB32Premultiplied);
    EXPECT_FALSE(BitmapRecycler::create(0, 10));
    // The one let go is kept until it is released.
    const std::size_t bytes = reused->byteCount();
    reused.reset();
    EXPECT_EQ(BitmapRecycler::keptBytes(), bytes);
    BitmapRecycler::releaseKept();
    EXPECT_EQ(BitmapRecycler::keptBytes(), 0u);
}

// Renders into reused memory write every pixel: they match renders into fresh memory.
TEST(BitmapRecyclerTest, RendersIntoReusedMemoryGiveTheSamePixels) {
    const UIImagePtr photo = translucentPhoto(kWidth, kHeight);
    const Rendered fresh = renderFilter("CIColorInvert", photo);
    const Rendered turnedFresh = renderFilter(
        "CIAffineTransform", photo, {{"inputTransform", CGAffineTransform::makeRotation(0.3)}});
    // Other pixels in the same sizes, let go at once so their memory is kept.
    renderFilter("CISepiaTone", photo);
    const Rendered invert = renderFilter("CIColorInvert", photo);
    EXPECT_TRUE(samePixels(*invert.bitmap, *fresh.bitmap));
    renderFilter("CIAffineTransform", photo,
                 {{"inputTransform", CGAffineTransform::makeRotation(-0.3)}});
    const Rendered turned = renderFilter(
        "CIAffineTransform", photo, {{"inputTransform", CGAffineTransform::makeRotation(0.3)}});
    EXPECT_TRUE(samePixels(*turned.bitmap, *turnedFresh.bitmap));
}

}  // namespace
