#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/ui/view/UIView.h"

namespace {

constexpr double kPi = std::numbers::pi;

void expectPoint(CGPoint actual, CGPoint expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

void expectRect(const CGRect& actual, const CGRect& expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.minX(), expected.minX(), tolerance);
    EXPECT_NEAR(actual.minY(), expected.minY(), tolerance);
    EXPECT_NEAR(actual.width(), expected.width(), tolerance);
    EXPECT_NEAR(actual.height(), expected.height(), tolerance);
}

UIViewPtr makeView(const CGRect& frame) {
    return std::make_shared<UIView>(frame);
}

}  // namespace

TEST(ViewGeometryTest, FrameBoundsAndCenterStayConsistent) {
    const auto view = makeView({10, 20, 100, 50});
    expectRect(view->bounds(), {0, 0, 100, 50});
    expectPoint(view->center(), {60, 45});

    view->setCenter({100, 100});
    expectRect(view->frame(), {50, 75, 100, 50});

    // A scroll offset moves the content, not the view.
    view->setBounds({30, 40, 100, 50});
    expectRect(view->frame(), {50, 75, 100, 50});

    // Under a quarter turn the frame is the turned box; setting it keeps the turn and
    // sets the bounds size and the centre.
    view->setTransform(CGAffineTransform::makeRotation(kPi / 2));
    expectRect(view->frame(), {75, 50, 50, 100});
    view->setFrame({0, 0, 80, 20});
    expectRect(view->bounds(), {30, 40, 80, 20});
    expectPoint(view->center(), {40, 10});
    EXPECT_NEAR(view->transform().b, 1, 1e-12);
}

TEST(ViewGeometryTest, ConversionsFollowOffsetsAndTransformsBothWays) {
    const auto root = makeView({0, 0, 400, 400});
    const auto parent = makeView({100, 100, 200, 200});
    const auto child = makeView({10, 20, 50, 50});
    root->addSubview(parent);
    parent->addSubview(child);

    expectPoint(child->convertPointToView({0, 0}, root.get()), {110, 120});
    expectPoint(child->convertPointToView({0, 0}, nullptr), {110, 120});
    expectPoint(root->convertPointToView({110, 120}, child.get()), {0, 0});
    // Views of separate trees meet in their roots' coordinates.
    const auto otherRoot = makeView({0, 0, 100, 100});
    const auto stranger = makeView({30, 40, 10, 10});
    otherRoot->addSubview(stranger);
    expectPoint(child->convertPointToView({0, 0}, stranger.get()), {80, 80});

    // The parent scrolls by (5, 5): its content moves up and left.
    parent->setBounds({5, 5, 200, 200});
    expectPoint(child->convertPointToView({0, 0}, root.get()), {105, 115});

    // Scaled by 2 about its centre (200, 200 in the root): the parent's bounds centre
    // (105, 105) stays there and distances double.
    parent->setTransform(CGAffineTransform::makeScale(2, 2));
    expectPoint(parent->convertPointToView({105, 105}, root.get()), {200, 200});
    expectPoint(child->convertPointToView({0, 0}, root.get()),
                {200 + 2 * (10 - 105), 200 + 2 * (20 - 105)});

    // Round trips through a rotated and scaled chain.
    child->setTransform(CGAffineTransform::makeRotation(0.7).scaledBy(1.5, 0.5));
    const CGPoint p{13, 31};
    expectPoint(root->convertPointToView(child->convertPointToView(p, root.get()), child.get()), p,
                1e-9);
    expectPoint(child->convertPointFromView(child->convertPointToView(p, nullptr), nullptr), p,
                1e-9);

    // Rectangles become the bounding box of their corners.
    parent->setTransform(CGAffineTransform::makeRotation(kPi / 2));
    const CGRect converted = parent->convertRectToView({105, 105, 20, 10}, root.get());
    expectRect(converted, {190, 200, 10, 20}, 1e-9);
    expectRect(parent->convertRectFromView(converted, root.get()), {105, 105, 20, 10}, 1e-9);
}

TEST(ViewGeometryTest, ConversionsSeeThreeDimensionalTransformsWithPerspective) {
    const auto root = makeView({0, 0, 400, 400});
    const auto card = makeView({100, 100, 200, 200});
    root->addSubview(card);

    // Turned half-way round the vertical axis, the card is mirrored left to right.
    card->setLayerTransform(CATransform3D::makeRotation(kPi, 0, 1, 0));
    expectPoint(card->convertPointToView({0, 0}, root.get()), {300, 100}, 1e-9);

    // With perspective, the edge turned towards the viewer grows and the far edge shrinks.
    CATransform3D perspective;
    perspective.m34 = -1.0 / 500;
    card->setLayerTransform(CATransform3D::makeRotation(0.5, 0, 1, 0).concatenating(perspective));
    const CGPoint topLeft = card->convertPointToView({0, 0}, root.get());
    const CGPoint bottomLeft = card->convertPointToView({0, 200}, root.get());
    const CGPoint topRight = card->convertPointToView({200, 0}, root.get());
    const CGPoint bottomRight = card->convertPointToView({200, 200}, root.get());
    const double leftHeight = bottomLeft.y - topLeft.y;
    const double rightHeight = bottomRight.y - topRight.y;
    EXPECT_GT(std::abs(leftHeight - rightHeight), 10);
    // And it maps back exactly.
    for (const CGPoint p : {CGPoint{0, 0}, CGPoint{200, 200}, CGPoint{37, 151}}) {
        expectPoint(card->convertPointFromView(card->convertPointToView(p, root.get()), root.get()),
                    p, 1e-7);
    }
}

TEST(ViewGeometryTest, AutoresizingMovesAndStretchesByEachFlag) {
    struct Case {
        unsigned mask;
        CGRect expected;
    };
    // Parent 100 × 100 grows to 200 × 150; child at (10, 20) sized 30 × 40, so the
    // trailing margins are 60 and 40 before.
    const Case cases[] = {
        {UIViewAutoresizingNone, {10, 20, 30, 40}},
        {UIViewAutoresizingFlexibleLeftMargin, {110, 20, 30, 40}},
        {UIViewAutoresizingFlexibleWidth, {10, 20, 130, 40}},
        {UIViewAutoresizingFlexibleRightMargin, {10, 20, 30, 40}},
        {UIViewAutoresizingFlexibleTopMargin, {10, 70, 30, 40}},
        {UIViewAutoresizingFlexibleHeight, {10, 20, 30, 90}},
        {UIViewAutoresizingFlexibleBottomMargin, {10, 20, 30, 40}},
        // Shared in proportion to the flexible parts: margins 10 and 60 take 1/7 and 6/7.
        {UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin,
         {10 + 100.0 / 7, 20, 30, 40}},
        {UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight, {10, 20, 130, 90}},
        {UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleWidth,
         {10 + 25, 20, 30 + 75, 40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        const auto parent = makeView({0, 0, 100, 100});
        const auto child = makeView({10, 20, 30, 40});
        child->setAutoresizingMask(c.mask);
        parent->addSubview(child);
        parent->setFrame({0, 0, 200, 150});
        expectRect(child->frame(), c.expected, 1e-9);
    }

    // Switched off on the parent, nothing moves; grandchildren follow their parent.
    const auto parent = makeView({0, 0, 100, 100});
    const auto child = makeView({0, 0, 100, 100});
    const auto grandchild = makeView({0, 90, 100, 10});
    child->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    grandchild->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                    UIViewAutoresizingFlexibleTopMargin);
    parent->addSubview(child);
    child->addSubview(grandchild);
    parent->setBounds({0, 0, 300, 200});
    expectRect(grandchild->frame(), {0, 190, 300, 10});
    parent->setAutoresizesSubviews(false);
    parent->setBounds({0, 0, 50, 50});
    expectRect(child->frame(), {0, 0, 300, 200});
}
