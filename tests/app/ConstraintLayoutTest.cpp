#include <gtest/gtest.h>

#include <algorithm>

#include "app/actionsheet/ConstraintLayoutView.h"
#include "app/actionsheet/VisualFormat.h"

namespace {

TEST(ConstraintLayoutTest, FormatsAreReadIntoEdgePinsLengthsAndSpacings) {
    auto a = std::make_shared<UIView>();
    auto b = std::make_shared<UIView>();
    const VisualFormat::Views views{{"a", a}, {"b", b}};

    const auto vertical = VisualFormat::parse("V:|-10-[a(45)]-8-[b]", views);
    ASSERT_TRUE(vertical);
    ASSERT_EQ(vertical->size(), 3u);
    const auto rule = [&](LayoutConstraint::Kind kind) {
        const auto found = std::find_if(vertical->begin(), vertical->end(),
                                        [kind](const auto& c) { return c.kind == kind; });
        EXPECT_NE(found, vertical->end());
        EXPECT_EQ(found->axis, LayoutConstraint::Axis::Vertical);
        return *found;
    };
    EXPECT_EQ(rule(LayoutConstraint::Kind::LeadingPin).constant, 10);
    EXPECT_EQ(rule(LayoutConstraint::Kind::LeadingPin).view, a);
    EXPECT_EQ(rule(LayoutConstraint::Kind::Length).constant, 45);
    EXPECT_EQ(rule(LayoutConstraint::Kind::Spacing).constant, 8);
    EXPECT_EQ(rule(LayoutConstraint::Kind::Spacing).view, b);
    EXPECT_EQ(rule(LayoutConstraint::Kind::Spacing).previous, a);

    const auto horizontal = VisualFormat::parse("|-10-[a]-10-|", views);
    ASSERT_TRUE(horizontal);
    ASSERT_EQ(horizontal->size(), 2u);
    EXPECT_EQ((*horizontal)[1].kind, LayoutConstraint::Kind::TrailingPin);
    EXPECT_EQ((*horizontal)[1].axis, LayoutConstraint::Axis::Horizontal);

    for (const char* malformed : {"", "|-10-", "[a", "[c]", "V:[a]-8-", "[a]-x-[b]", "[a(-4)]",
                                  "[a][b]", "|-10-[a]-10-|-"}) {
        EXPECT_FALSE(VisualFormat::parse(malformed, views)) << malformed;
    }
}

TEST(ConstraintLayoutTest, FreeLengthsComeFromTheViewsAndUnplacedAxesKeepTheirFrame) {
    auto container = std::make_shared<ConstraintLayoutView>(CGRect{0, 0, 200, 200});
    auto sized = std::make_shared<UIView>(CGRect{0, 0, 30, 25});
    auto loose = std::make_shared<UIView>(CGRect{7, 9, 11, 13});
    container->addSubview(sized);
    container->addSubview(loose);
    const VisualFormat::Views views{{"sized", sized}, {"loose", loose}};
    ASSERT_TRUE(container->addConstraintsWithVisualFormat("V:|-12-[sized]-4-[loose(20)]", views));
    container->layoutIfNeeded();
    // UIView's fitting size is its own size.
    EXPECT_EQ(sized->frame(), (CGRect{0, 12, 30, 25}));
    EXPECT_EQ(loose->frame(), (CGRect{7, 41, 11, 20}));
}

}  // namespace
