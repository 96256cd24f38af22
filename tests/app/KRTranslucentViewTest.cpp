#include <gtest/gtest.h>

#include "app/translucent/KRTranslucentView.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/view/UIViewRenderer.h"
#include "tests/platform/ui/view/ViewTestSupport.h"

using viewtest::pixelAt;

namespace {

std::vector<UIViewPtr> views(std::initializer_list<UIViewPtr> list) {
    return list;
}

TEST(KRTranslucentViewTest, AlphaIsClampedAndGivenToTheBlur) {
    auto view = std::make_shared<KRTranslucentView>(CGRect{0, 0, 100, 100});
    EXPECT_EQ(view->translucentAlpha(), 1.0);
    view->setTranslucentAlpha(1.5);
    EXPECT_EQ(view->translucentAlpha(), 1.0);
    EXPECT_EQ(view->toolBarBG()->alpha(), 1.0);
    view->setTranslucentAlpha(-0.2);
    EXPECT_EQ(view->translucentAlpha(), 0.0);
    EXPECT_EQ(view->toolBarBG()->alpha(), 0.0);
    view->setTranslucentAlpha(0.4);
    EXPECT_DOUBLE_EQ(view->toolBarBG()->alpha(), 0.4);
}

TEST(KRTranslucentViewTest, FullyClearTintFallsBackToTheDefault) {
    EXPECT_TRUE(KRTranslucentView::isItClearColor(UIColor::clearColor()));
    EXPECT_TRUE(KRTranslucentView::isItClearColor(UIColor::colorWithRed(0, 0, 0, 0)));
    EXPECT_FALSE(KRTranslucentView::isItClearColor(UIColor::colorWithWhite(1, 0)));
    EXPECT_FALSE(KRTranslucentView::isItClearColor(UIColor::blackColor()));

    auto view = std::make_shared<KRTranslucentView>(CGRect{0, 0, 100, 100});
    EXPECT_FALSE(view->krDefaultColorBG().has_value());
    view->setTranslucentTintColor(UIColor::redColor());
    EXPECT_EQ(view->toolBarBG()->barTintColor(), UIColor::redColor());
    view->setTranslucentTintColor(UIColor::clearColor());
    EXPECT_EQ(view->translucentTintColor(), UIColor::clearColor());
    EXPECT_EQ(view->toolBarBG()->barTintColor(), view->krDefaultColorBG());
}

TEST(KRTranslucentViewTest, CallerNeverSeesTheInternalLayerAndIndicesCountAboveIt) {
    auto view = std::make_shared<KRTranslucentView>(CGRect{0, 0, 100, 100});
    EXPECT_TRUE(view->subviews().empty());
    ASSERT_EQ(view->allSubviews().size(), 1u);
    const UIViewPtr layer = view->allSubviews().front();
    EXPECT_EQ(layer, view->nonexistentSubview());

    auto a = std::make_shared<UIView>();
    auto b = std::make_shared<UIView>();
    auto c = std::make_shared<UIView>();
    view->addSubview(a);
    view->addSubview(b);
    view->insertSubviewAtIndex(c, 0);
    EXPECT_EQ(view->subviews(), views({c, a, b}));
    view->exchangeSubviewAtIndex(0, 2);
    EXPECT_EQ(view->subviews(), views({b, a, c}));
    view->sendSubviewToBack(c);
    EXPECT_EQ(view->subviews(), views({c, b, a}));
    EXPECT_EQ(view->allSubviews(), views({layer, c, b, a}));
    view->bringSubviewToFront(c);
    EXPECT_EQ(view->subviews(), views({b, a, c}));
}

TEST(KRTranslucentViewTest, ViewInsertedAtIndexZeroIsDrawnInFrontOfTheBlur) {
    auto root = std::make_shared<UIView>(CGRect{0, 0, 40, 40});
    root->setBackgroundColor(UIColor::blueColor());
    auto view = std::make_shared<KRTranslucentView>(CGRect{0, 0, 40, 40});
    root->addSubview(view);
    auto front = std::make_shared<UIView>(CGRect{0, 0, 20, 40});
    front->setBackgroundColor(UIColor::redColor());
    view->insertSubviewAtIndex(front, 0);

    const UIImagePtr picture = UIViewRenderer::renderToImage(*root, 1);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(viewtest::near(pixelAt(*picture, 10, 20), viewtest::kRed));
    // The other half shows the blur: the blue behind, under the light default wash.
    const viewtest::Rgba blurred = pixelAt(*picture, 30, 20);
    EXPECT_GT(blurred.blue, blurred.red);
    EXPECT_GT(blurred.red, 150);
}

TEST(KRTranslucentViewTest, ShrinkingKeepsTheContainerAtItsLargestSize) {
    auto view = std::make_shared<KRTranslucentView>(CGRect{0, 0, 200, 100});
    view->setFrame({10, 10, 100, 50});
    EXPECT_EQ(view->toolbarContainerClipView()->bounds().size, (CGSize{200, 100}));
    EXPECT_EQ(view->nonexistentSubview()->frame(), (CGRect{0, 0, 100, 50}));
    view->setBounds({0, 0, 300, 40});
    EXPECT_EQ(view->toolbarContainerClipView()->bounds().size, (CGSize{300, 100}));
    EXPECT_EQ(view->nonexistentSubview()->frame(), (CGRect{0, 0, 300, 40}));
    EXPECT_EQ(view->frame().size, (CGSize{300, 40}));
}

TEST(KRTranslucentViewTest, BackgroundColourGoesToTheOverlayOrTheViewByTranslucency) {
    auto view = std::make_shared<KRTranslucentView>(CGRect{0, 0, 50, 50});
    view->setBackgroundColor(UIColor::redColor());
    EXPECT_EQ(view->krColorBG(), UIColor::redColor());
    EXPECT_EQ(view->overlayBackgroundView()->backgroundColor(), UIColor::redColor());
    EXPECT_EQ(view->UIView::backgroundColor(), UIColor::clearColor());

    view->setTranslucent(false);
    EXPECT_TRUE(view->toolBarBG()->isHidden());
    EXPECT_FALSE(view->toolBarBG()->isTranslucent());
    EXPECT_EQ(view->UIView::backgroundColor(), UIColor::redColor());

    view->setTranslucent(true);
    EXPECT_FALSE(view->toolBarBG()->isHidden());
    EXPECT_EQ(view->toolBarBG()->barTintColor(), UIColor::redColor());
    // Turning translucency on clears the caller's colour.
    EXPECT_EQ(view->krColorBG(), UIColor::clearColor());
    EXPECT_EQ(view->overlayBackgroundView()->backgroundColor(), UIColor::clearColor());
}

TEST(KRTranslucentViewTest, OnOldSystemsItIsAPlainView) {
    UIDeviceSystemVersion::setSystemVersion("6.1");
    auto view = std::make_shared<KRTranslucentView>(CGRect{0, 0, 50, 50});
    UIDeviceSystemVersion::setSystemVersion(UIDeviceSystemVersion::kDefaultSystemVersion);

    EXPECT_FALSE(view->initComplete());
    EXPECT_TRUE(view->allSubviews().empty());
    auto a = std::make_shared<UIView>();
    auto b = std::make_shared<UIView>();
    view->addSubview(a);
    view->insertSubviewAtIndex(b, 0);
    EXPECT_EQ(view->allSubviews(), views({b, a}));
    view->setBackgroundColor(UIColor::redColor());
    EXPECT_EQ(view->UIView::backgroundColor(), UIColor::redColor());
    view->setTranslucentAlpha(3);
    EXPECT_EQ(view->translucentAlpha(), 1.0);
}

// A red half and a blue half behind a translucent view, which shows them blurred.
struct BlurScene {
    UIViewPtr root = std::make_shared<UIView>(CGRect{0, 0, 80, 80});
    UIViewPtr left = std::make_shared<UIView>(CGRect{0, 0, 40, 80});
    UIViewPtr right = std::make_shared<UIView>(CGRect{40, 0, 40, 80});
    KRTranslucentViewPtr glass = std::make_shared<KRTranslucentView>(CGRect{0, 0, 80, 80});

    BlurScene() {
        root->setBackgroundColor(UIColor::whiteColor());
        left->setBackgroundColor(UIColor::redColor());
        right->setBackgroundColor(UIColor::blueColor());
        root->addSubview(left);
        root->addSubview(right);
        root->addSubview(glass);
        glass->setTranslucentTintColor(UIColor::colorWithWhite(0, 0.2));
    }
    UIImagePtr render() const { return UIViewRenderer::renderToImage(*root, 1); }
};

TEST(KRTranslucentViewTest, BlurMixesNeighboursAndFollowsChangesBehind) {
    BlurScene scene;
    UIImagePtr picture = scene.render();
    ASSERT_TRUE(picture);
    // Far from the edge the colours stay; at the edge they mix.
    EXPECT_TRUE(viewtest::near(pixelAt(*picture, 5, 40), {204, 0, 0, 255}, 4));
    const viewtest::Rgba edge = pixelAt(*picture, 39, 40);
    EXPECT_GT(edge.blue, 40);
    EXPECT_GT(edge.red, 40);

    scene.left->setBackgroundColor(UIColor::greenColor());
    drainMainQueue();
    picture = scene.render();
    EXPECT_TRUE(viewtest::near(pixelAt(*picture, 5, 40), {0, 204, 0, 255}, 4));
}

// Faded to half, the view still shows only blur: the sharp edge behind it does not show
// through as a step between neighbouring pixels.
TEST(KRTranslucentViewTest, AFadedBlurLetsTheBlurThroughNotTheSharpViewsBehind) {
    BlurScene scene;
    scene.glass->setTranslucentAlpha(0.5);
    const UIImagePtr picture = scene.render();
    ASSERT_TRUE(picture);
    const viewtest::Rgba before = pixelAt(*picture, 39, 40);
    const viewtest::Rgba after = pixelAt(*picture, 40, 40);
    EXPECT_LT(std::abs(before.red - after.red), 40);
    EXPECT_LT(std::abs(before.blue - after.blue), 40);
    scene.glass->setTranslucent(false);
    EXPECT_TRUE(scene.glass->toolbarContainerClipView()->isHidden());
}

}  // namespace
