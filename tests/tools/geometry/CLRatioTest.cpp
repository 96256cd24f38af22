#include <gtest/gtest.h>

#include "platform/graphics/CGImage.h"
#include "platform/ui/animation/AnimationClock.h"
#include "tools/geometry/CLRatio.h"
#include "tools/geometry/CLRatioMenuItem.h"

namespace {

CLRatio oriented(double value1, double value2, bool landscape) {
    CLRatio ratio(value1, value2);
    ratio.setIsLandscape(landscape);
    return ratio;
}

}  // namespace

TEST(CLRatio, SidesAreLongAndShortWhateverTheOrderAndSigns) {
    const CLRatio threeFour(3, 4);
    const CLRatio fourThree(4, 3);
    EXPECT_EQ(threeFour.longSide(), fourThree.longSide());
    EXPECT_EQ(threeFour.shortSide(), fourThree.shortSide());
    EXPECT_EQ(threeFour.isLandscape(), fourThree.isLandscape());
    const CLRatio negative(-16, 9);
    EXPECT_EQ(negative.longSide(), 16);
    EXPECT_EQ(negative.shortSide(), 9);
}

TEST(CLRatio, TitleAndValueFollowTheOrientation) {
    EXPECT_EQ(oriented(4, 3, true).description(), "4 : 3");
    EXPECT_EQ(oriented(4, 3, false).description(), "3 : 4");
    EXPECT_EQ(oriented(16, 9, true).ratio(), 0.5625);
    EXPECT_NEAR(oriented(16, 9, false).ratio(), 1.7778, 1e-4);
    EXPECT_EQ(oriented(1, 1, true).ratio(), 1);
    EXPECT_EQ(oriented(1, 1, false).ratio(), 1);

    CLRatio custom(0, 0);
    custom.setTitleFormat("Custom");
    EXPECT_EQ(custom.ratio(), 0);
    EXPECT_EQ(custom.description(), "Custom");
    EXPECT_EQ(CLRatio(5, 0).ratio(), 0) << "one side of 0 is free too";
}

TEST(CLRatio, AFormatFromTheOptionsFillsOnlyFloatingPointConversions) {
    CLRatio ratio = oriented(16, 9, true);
    ratio.setTitleFormat("%s %d %.1f x %g = 100%% %g");
    EXPECT_EQ(ratio.description(), "%s %d 16.0 x 9 = 100% %g");
}

TEST(CLRatioMenuItem, TheIconTakesTheRatiosShapeAboutItsCentre) {
    AnimationClock::shared().setManualStepping(true);
    const auto item = std::make_shared<CLRatioMenuItem>(CGRect{0, 0, 70, 80});
    const CGPoint centre = item->iconView()->center();
    item->setRatio(std::make_shared<CLRatio>(oriented(16, 9, true)));
    EXPECT_EQ(item->title(), "16 : 9");
    EXPECT_EQ(item->iconView()->frame().size, (CGSize{50, 28.125}));
    EXPECT_EQ(item->iconView()->center(), centre);

    item->changeOrientation();
    EXPECT_FALSE(item->ratio()->isLandscape());
    EXPECT_NE(item->iconView()->presentationBounds().size, (CGSize{28.125, 50}))
        << "the icon turns over 0.2 s";
    AnimationClock::shared().advance(CLRatioMenuItem::kTurnDuration);
    EXPECT_EQ(item->iconView()->presentationBounds().size, (CGSize{28.125, 50}));
    EXPECT_EQ(item->title(), "9 : 16");

    auto free = std::make_shared<CLRatio>(0, 0);
    item->setIconImage(UIImage::imageWithCGImage(CGImage::create(200, 100, CGPixelFormat::RGB32)));
    item->setRatio(free);
    EXPECT_EQ(item->iconView()->frame().size, (CGSize{50, 25})) << "the picture's proportions";
    AnimationClock::shared().setManualStepping(false);
}

TEST(CLRatioMenuItem, OnlyAnotherRatioObjectRefreshesTheItem) {
    const auto item = std::make_shared<CLRatioMenuItem>(CGRect{0, 0, 70, 80});
    const auto ratio = std::make_shared<CLRatio>(oriented(4, 3, true));
    item->setRatio(ratio);
    ratio->setIsLandscape(false);
    item->setRatio(ratio);
    EXPECT_EQ(item->title(), "4 : 3") << "the same object again changes nothing";
    item->setRatio(std::make_shared<CLRatio>(*ratio));
    EXPECT_EQ(item->title(), "3 : 4");
}
