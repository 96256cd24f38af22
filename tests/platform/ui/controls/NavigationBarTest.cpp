#include <gtest/gtest.h>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/controls/UINavigationBar.h"
#include "tests/platform/ui/gestures/TouchScript.h"

namespace {

class KeepsTopItem : public UINavigationBarDelegate {
public:
    bool refuse = true;
    std::optional<bool> navigationBarShouldPopItem(UINavigationBar&, UINavigationItem&) override {
        return !refuse;
    }
    std::optional<UIBarPosition> positionForBar(UINavigationBar&) override {
        return UIBarPosition::TopAttached;
    }
};

struct Scene {
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>();
    UINavigationBarPtr bar = std::make_shared<UINavigationBar>(CGRect{0, 0, 390, 44});
    TouchScript touches{window};

    Scene() {
        AnimationClock::shared().setManualStepping(true);
        window->addSubview(bar);
    }
    ~Scene() {
        AnimationClock::shared().runToEnd();
        drainMainQueueAndWaitForPool();
    }
    void tap(const UIViewPtr& view) { touches.tap(*view); }
};

TEST(NavigationBar, ShowsTheTopItemsTitleAndButtonsAndTheirActions) {
    Scene scene;
    std::vector<std::string> tapped;
    auto item = std::make_shared<UINavigationItem>("Edit");
    item->setLeftBarButtonItem(std::make_shared<UIBarButtonItem>(
        UIBarButtonSystemItem::Cancel, [&](UIBarButtonItem&) { tapped.push_back("cancel"); }));
    item->setRightBarButtonItem(std::make_shared<UIBarButtonItem>(
        UIBarButtonSystemItem::Done, [&](UIBarButtonItem&) { tapped.push_back("done"); }));
    scene.bar->pushNavigationItem(item, false);
    scene.bar->layoutIfNeeded();

    EXPECT_EQ(scene.bar->titleLabel()->text(), "Edit");
    EXPECT_NEAR(scene.bar->titleLabel()->frame().midX(), 195, 1) << "centred";
    const auto cancel = scene.bar->buttonForItem(*item->leftBarButtonItem());
    const auto done = scene.bar->buttonForItem(*item->rightBarButtonItem());
    ASSERT_NE(cancel, nullptr);
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(cancel->currentTitle(), "Cancel");
    EXPECT_EQ(done->currentTitle(), "Done");
    EXPECT_EQ(done->titleLabel()->font(), UIFont::boldSystemFontOfSize(17)) << "Done is bold";
    EXPECT_EQ(cancel->titleLabel()->font(), UIFont::systemFontOfSize(17));
    EXPECT_LT(cancel->frame().maxX(), scene.bar->titleLabel()->frame().minX());
    EXPECT_GT(done->frame().minX(), scene.bar->titleLabel()->frame().maxX());

    scene.tap(done);
    scene.tap(cancel);
    EXPECT_EQ(tapped, (std::vector<std::string>{"done", "cancel"}));

    // Changing the item changes the bar; a text button in the done style is bold too.
    item->setTitle("Crop");
    EXPECT_EQ(scene.bar->titleLabel()->text(), "Crop");
    item->setRightBarButtonItem(
        std::make_shared<UIBarButtonItem>("OK", UIBarButtonItemStyle::Done, nullptr));
    EXPECT_EQ(scene.bar->buttonForItem(*item->rightBarButtonItem())->titleLabel()->font(),
              UIFont::boldSystemFontOfSize(17));
}

TEST(NavigationBar, PushPopAndTheDelegatesSay) {
    Scene scene;
    auto first = std::make_shared<UINavigationItem>("First");
    auto second = std::make_shared<UINavigationItem>("Second");
    scene.bar->pushNavigationItem(first, false);
    scene.bar->pushNavigationItem(second, true);
    EXPECT_EQ(scene.bar->topItem(), second);
    EXPECT_EQ(scene.bar->backItem(), first);
    ASSERT_NE(scene.bar->backButton(), nullptr);
    EXPECT_EQ(scene.bar->backButton()->currentTitle(), "\u2039 First");
    // The new title fades in on the clock.
    AnimationClock::shared().advance(UINavigationBar::kAnimationDuration / 2);
    const double alpha = scene.bar->titleLabel()->superview()->presentationAlpha();
    EXPECT_GT(alpha, 0);
    EXPECT_LT(alpha, 1);
    AnimationClock::shared().runToEnd();

    auto delegate = std::make_shared<KeepsTopItem>();
    scene.bar->setDelegate(delegate);
    EXPECT_EQ(scene.bar->barPosition(), UIBarPosition::TopAttached);
    scene.tap(scene.bar->backButton());
    EXPECT_EQ(scene.bar->topItem(), second) << "the delegate refused";
    delegate->refuse = false;
    scene.tap(scene.bar->backButton());
    EXPECT_EQ(scene.bar->topItem(), first);
    EXPECT_EQ(scene.bar->backButton(), nullptr);

    // The last item can go too, leaving an empty bar.
    EXPECT_EQ(scene.bar->popNavigationItemAnimated(false), first);
    EXPECT_TRUE(scene.bar->items().empty());
    EXPECT_EQ(scene.bar->popNavigationItemAnimated(false), nullptr);
}

}  // namespace
