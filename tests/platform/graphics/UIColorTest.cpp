#include "platform/graphics/UIColor.h"

#include <gtest/gtest.h>

#include "platform/graphics/UIImage.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"

TEST(UIColorTest, HueSaturationBrightnessConvertBothWays) {
    struct Case {
        double h, s, b, red, green, blue;
    };
    const Case cases[] = {
        {0, 1, 1, 1, 0, 0},       {1.0 / 3, 1, 1, 0, 1, 0},       {2.0 / 3, 1, 1, 0, 0, 1},
        {1.0 / 6, 1, 1, 1, 1, 0}, {0.5, 0.5, 0.8, 0.4, 0.8, 0.8}, {0.9, 0.25, 0.4, 0.4, 0.3, 0.36}};
    for (const Case& c : cases) {
        const UIColor color = UIColor::colorWithHue(c.h, c.s, c.b, 0.7);
        double r, g, b, a;
        ASSERT_TRUE(color.getRed(&r, &g, &b, &a));
        EXPECT_NEAR(r, c.red, 1e-9) << c.h;
        EXPECT_NEAR(g, c.green, 1e-9) << c.h;
        EXPECT_NEAR(b, c.blue, 1e-9) << c.h;
        EXPECT_DOUBLE_EQ(a, 0.7);
        double h, s, v, alpha;
        ASSERT_TRUE(color.getHue(&h, &s, &v, &alpha));
        EXPECT_NEAR(h, c.h, 1e-9);
        EXPECT_NEAR(s, c.s, 1e-9);
        EXPECT_NEAR(v, c.b, 1e-9);
    }
    // Hue 1 is the same red as hue 0.
    EXPECT_EQ(UIColor::colorWithHue(1, 1, 1), UIColor::redColor());
}

TEST(UIColorTest, GreyColoursYieldAGreyLevelAndNoHue) {
    const UIColor grey = UIColor::colorWithWhite(0.25, 0.5);
    double w = -1, a = -1;
    ASSERT_TRUE(grey.getWhite(&w, &a));
    EXPECT_DOUBLE_EQ(w, 0.25);
    EXPECT_DOUBLE_EQ(a, 0.5);
    double h = -1, s = -1, b = -1;
    EXPECT_FALSE(grey.getHue(&h, &s, &b, &a));
    EXPECT_EQ(h, -1);  // untouched
    double r, g, bl;
    ASSERT_TRUE(grey.getRed(&r, &g, &bl, &a));
    EXPECT_DOUBLE_EQ(r, 0.25);
    EXPECT_DOUBLE_EQ(bl, 0.25);

    // RGB colours read as grey only when nothing is lost.
    EXPECT_FALSE(UIColor::redColor().getWhite(&w, &a));
    EXPECT_TRUE(UIColor::colorWithRed(0.5, 0.5, 0.5).getWhite(&w, &a));
    EXPECT_DOUBLE_EQ(w, 0.5);
    EXPECT_TRUE(UIColor::redColor().getHue(&h, &s, &b, &a));
}

TEST(UIColorTest, NamedGreysAreGreyColoursAndDifferFromEqualRgb) {
    EXPECT_EQ(UIColor::blackColor().kind(), UIColor::Kind::Grey);
    EXPECT_EQ(UIColor::redColor().kind(), UIColor::Kind::RGB);
    EXPECT_EQ(UIColor::grayColor(), UIColor::colorWithWhite(0.5));
    EXPECT_EQ(UIColor::clearColor(), UIColor::colorWithWhite(0, 0));
    // Same components, different kinds: not the same colour.
    EXPECT_NE(UIColor::grayColor(), UIColor::colorWithRed(0.5, 0.5, 0.5));
}

TEST(UIColorTest, ComponentsAreClampedAndAlphaReplaced) {
    double w, a;
    ASSERT_TRUE(UIColor::colorWithWhite(1.7, 2).getWhite(&w, &a));
    EXPECT_EQ(w, 1);
    EXPECT_EQ(a, 1);
    const UIColor faded = UIColor::redColor().colorWithAlphaComponent(0.3);
    EXPECT_EQ(faded.kind(), UIColor::Kind::RGB);
    EXPECT_DOUBLE_EQ(faded.alpha(), 0.3);
    EXPECT_EQ(UIColor::grayColor().colorWithAlphaComponent(0.5).kind(), UIColor::Kind::Grey);
}

TEST(UIColorTest, PatternColoursKeepTheirPicture) {
    const UIImagePtr tile = UIImage::imageWithCGImage(graphicstest::quadrants(2, 2));
    const UIColor pattern = UIColor::colorWithPatternImage(tile);
    EXPECT_EQ(pattern.kind(), UIColor::Kind::Pattern);
    EXPECT_EQ(pattern.patternImage(), tile);
    EXPECT_EQ(pattern, UIColor::colorWithPatternImage(tile));
    EXPECT_NE(pattern, UIColor::colorWithPatternImage(
                           UIImage::imageWithCGImage(graphicstest::quadrants(2, 2))));
    double r, g, b, a;
    EXPECT_FALSE(pattern.getRed(&r, &g, &b, &a));
    EXPECT_EQ(UIColor::colorWithPatternImage(nullptr), UIColor::clearColor());
}
