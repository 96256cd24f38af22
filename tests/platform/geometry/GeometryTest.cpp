#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/geometry/CATransform3D.h"
#include "platform/geometry/CGAffineTransform.h"
#include "platform/geometry/CGRect.h"
#include "platform/geometry/UIEdgeInsets.h"

namespace {

constexpr double kPi = std::numbers::pi;

void expectNear(CGPoint actual, CGPoint expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

void expectNear(const CGRect& actual, const CGRect& expected) {
    expectNear(actual.origin, expected.origin);
    EXPECT_NEAR(actual.size.width, expected.size.width, 1e-9);
    EXPECT_NEAR(actual.size.height, expected.size.height, 1e-9);
}

TEST(CGRectTest, ContainmentIsHalfOpenAndEmptyRectsHoldNothing) {
    const CGRect r{10, 20, 30, 40};
    EXPECT_TRUE(r.contains(CGPoint{10, 20}));
    EXPECT_FALSE(r.contains(CGPoint{40, 20}));
    EXPECT_FALSE(r.contains(CGPoint{10, 60}));
    EXPECT_FALSE((CGRect{5, 5, 0, 10}).contains(CGPoint{5, 6}));
    EXPECT_TRUE(r.contains(CGRect{10, 20, 30, 40}));
    EXPECT_FALSE(r.contains(CGRect{9, 20, 30, 40}));
    // A negative size is the same rectangle, seen from its other corner.
    EXPECT_TRUE((CGRect{40, 60, -30, -40}).contains(CGPoint{15, 25}));
}

TEST(CGRectTest, InsetOffsetUnionIntersectionIntegral) {
    const CGRect r{0, 0, 100, 50};
    EXPECT_EQ(r.insetBy(10, 5), (CGRect{10, 5, 80, 40}));
    EXPECT_EQ(r.insetBy(-10, -5), (CGRect{-10, -5, 120, 60}));
    EXPECT_TRUE(r.insetBy(60, 0).isNull());
    EXPECT_EQ(r.offsetBy(3, -4), (CGRect{3, -4, 100, 50}));

    EXPECT_EQ(r.unionWith(CGRect{150, 60, 10, 10}), (CGRect{0, 0, 160, 70}));
    EXPECT_EQ(CGRect::null().unionWith(r), r);
    EXPECT_EQ(r.intersection(CGRect{50, 25, 100, 100}), (CGRect{50, 25, 50, 25}));
    EXPECT_TRUE(r.intersection(CGRect{200, 0, 10, 10}).isNull());
    EXPECT_FALSE(r.intersects(CGRect{200, 0, 10, 10}));
    // Rectangles that only touch meet in an empty, not a null, rectangle.
    EXPECT_EQ(r.intersection(CGRect{100, 0, 10, 10}), (CGRect{100, 0, 0, 10}));

    EXPECT_EQ((CGRect{0.5, 1.25, 10, 10}).integral(), (CGRect{0, 1, 11, 11}));
    EXPECT_EQ((CGRect{-0.5, -0.5, 1, 1}).integral(), (CGRect{-1, -1, 2, 2}));
}

TEST(CGRectTest, BoundingBoxUnderTransform) {
    const CGRect r{0, 0, 40, 20};
    expectNear(r.applying(CGAffineTransform::makeRotation(kPi / 2)), CGRect{-20, 0, 20, 40});
    const double side = (40 + 20) / std::sqrt(2.0);
    const CGRect turned = r.applying(CGAffineTransform::makeRotation(kPi / 4));
    EXPECT_NEAR(turned.width(), side, 1e-9);
    EXPECT_NEAR(turned.height(), side, 1e-9);
    expectNear(r.applying(CGAffineTransform::makeScale(2, -1)), CGRect{0, -20, 80, 20});
}

TEST(CGAffineTransformTest, StepsApplyInThePlatformsOrder) {
    // Translate-by puts the translation in front: the point is moved, then turned.
    const CGAffineTransform t = CGAffineTransform::makeRotation(kPi / 2).translatedBy(10, 0);
    expectNear(t.apply(CGPoint{0, 0}), CGPoint{0, 10});
    // Concatenating applies the receiver first.
    const CGAffineTransform u = CGAffineTransform::makeRotation(kPi / 2).concatenating(
        CGAffineTransform::makeTranslation(10, 0));
    expectNear(u.apply(CGPoint{1, 0}), CGPoint{10, 1});
    expectNear(CGAffineTransform::makeScale(2, 3).scaledBy(2, 1).apply(CGPoint{1, 1}),
               CGPoint{4, 3});
    expectNear(CGAffineTransform::identity().rotatedBy(kPi).apply(CGPoint{1, 2}), CGPoint{-1, -2});
}

TEST(CGAffineTransformTest, InverseUndoesAndSingularStaysPut) {
    const CGAffineTransform t =
        CGAffineTransform::makeRotation(0.3).scaledBy(2, 0.5).translatedBy(7, -3).concatenating(
            CGAffineTransform::makeTranslation(1, 2));
    const CGPoint p{12.5, -4};
    expectNear(t.inverted().apply(t.apply(p)), p);
    const CGAffineTransform singular = CGAffineTransform::makeScale(0, 1);
    EXPECT_EQ(singular.inverted(), singular);
    EXPECT_FALSE(t.isIdentity());
}

TEST(CATransform3DTest, RotationAboutZMatchesTheAffineRotation) {
    const CATransform3D t = CATransform3D::makeRotation(0.7, 0, 0, 1);
    EXPECT_TRUE(t.isAffine());
    for (const CGPoint p : {CGPoint{1, 0}, CGPoint{0, 1}}) {
        expectNear(t.affineTransform().apply(p), CGAffineTransform::makeRotation(0.7).apply(p));
    }
    EXPECT_TRUE(CATransform3D::makeRotation(1, 0, 0, 0).isIdentity());
}

TEST(CATransform3DTest, RotationAboutYFlattensAndConcatenationOrder) {
    // A half turn about the vertical axis mirrors x, as the rotate tool's flip does.
    const CATransform3D flip = CATransform3D::makeRotation(kPi, 0, 1, 0);
    expectNear(flip.apply(CGPoint{3, 4}), CGPoint{-3, 4});
    const CATransform3D quarter = CATransform3D::makeRotation(kPi / 2, 0, 1, 0);
    expectNear(quarter.apply(CGPoint{5, 2}), CGPoint{0, 2});
    EXPECT_FALSE(quarter.isAffine());

    const CATransform3D scaleThenMove =
        CATransform3D::makeScale(2, 2, 1).concatenating(CATransform3D::makeTranslation(10, 0, 0));
    expectNear(scaleThenMove.apply(CGPoint{1, 1}), CGPoint{12, 2});
    expectNear(CATransform3D::makeTranslation(10, 0, 0).scaledBy(2, 2, 1).apply(CGPoint{1, 1}),
               CGPoint{12, 2});
    const CATransform3D fromAffine =
        CATransform3D::makeAffineTransform(CGAffineTransform::makeTranslation(3, 4).scaledBy(2, 2));
    EXPECT_EQ(fromAffine.affineTransform(),
              CGAffineTransform::makeTranslation(3, 4).scaledBy(2, 2));
}

TEST(UIEdgeInsetsTest, InsetsMoveEachEdge) {
    const UIEdgeInsets insets{1, 2, 3, 4};
    EXPECT_EQ(insets.insetRect(CGRect{0, 0, 100, 100}), (CGRect{2, 1, 94, 96}));
}

}  // namespace
