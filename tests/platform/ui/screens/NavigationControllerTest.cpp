#include <gtest/gtest.h>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/screens/UINavigationController.h"
#include "tests/platform/ui/gestures/TouchScript.h"
#include "tests/platform/ui/screens/RecordingController.h"

namespace {

using Log = std::vector<std::string>;

void settle() {
    AnimationClock::shared().runToEnd();
    drainMainQueueAndWaitForPool();
}

struct Scene {
    std::shared_ptr<Log> log = std::make_shared<Log>();
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>();
    std::shared_ptr<RecordingController> a = std::make_shared<RecordingController>("A", log);
    std::shared_ptr<RecordingController> b = std::make_shared<RecordingController>("B", log);
    std::shared_ptr<RecordingController> c = std::make_shared<RecordingController>("C", log);
    UINavigationControllerPtr navigation = std::make_shared<UINavigationController>(a);
    TouchScript touches{window};

    Scene() {
        AnimationClock::shared().setManualStepping(true);
        log->clear();
    }
    ~Scene() { settle(); }
    void show() {
        window->setRootViewController(navigation);
        log->clear();
    }
};

TEST(NavigationController, TheRootLoadsAndAppearsWithTheWindow) {
    Scene scene;
    EXPECT_EQ(scene.a->navigationController(), scene.navigation);
    EXPECT_EQ(scene.a->parentViewController(), scene.navigation);
    EXPECT_FALSE(scene.a->isViewLoaded()) << "views load on first use";
    scene.window->setRootViewController(scene.navigation);
    EXPECT_EQ(*scene.log, (Log{"A load", "A will appear", "A did appear"}));
    EXPECT_EQ(scene.a->view()->superview(), scene.navigation->view());
    EXPECT_EQ(scene.a->view()->frame(), scene.window->bounds()) << "under the translucent bar";

    scene.navigation->navigationBar()->setTranslucent(false);
    scene.navigation->setNavigationBarHidden(true, false);
    scene.navigation->setNavigationBarHidden(false, false);
    EXPECT_EQ(scene.a->view()->frame().minY(), UINavigationBar::kHeight) << "below an opaque bar";
}

TEST(NavigationController, PushAndPopSlideAndCallTheAppearanceMethodsInOrder) {
    Scene scene;
    scene.show();
    scene.navigation->pushViewController(scene.b, true);
    EXPECT_EQ(*scene.log, (Log{"B will move", "B load", "A will disappear", "B will appear"}));
    EXPECT_EQ(scene.navigation->topViewController(), scene.b);
    AnimationClock::shared().advance(UINavigationController::kAnimationDuration / 2);
    const double shownX = scene.b->view()->presentationLayerTransform().m41;
    EXPECT_GT(shownX, 0);
    EXPECT_LT(shownX, scene.window->bounds().width()) << "sliding in from the right";
    settle();
    EXPECT_EQ(*scene.log, (Log{"B will move", "B load", "A will disappear", "B will appear",
                               "A did disappear", "B did appear", "B did move"}));
    EXPECT_EQ(scene.a->view()->superview(), nullptr);
    EXPECT_EQ(scene.navigation->navigationBar()->topItem(), scene.b->navigationItem());

    scene.log->clear();
    EXPECT_EQ(scene.navigation->popViewControllerAnimated(true), scene.b);
    EXPECT_EQ(scene.navigation->viewControllers(), std::vector<UIViewControllerPtr>{scene.a});
    settle();
    EXPECT_EQ(*scene.log, (Log{"B will leave", "B will disappear", "A will appear",
                               "B did disappear", "A did appear", "B did leave"}));
    EXPECT_EQ(scene.navigation->popViewControllerAnimated(true), nullptr) << "the root stays";

    // Popping to the root skips the screens in between.
    scene.navigation->pushViewController(scene.b, false);
    scene.navigation->pushViewController(scene.c, false);
    EXPECT_EQ(scene.navigation->viewControllers().size(), 3u);
    scene.log->clear();
    const auto popped = scene.navigation->popToRootViewControllerAnimated(true);
    settle();
    EXPECT_EQ(popped, (std::vector<UIViewControllerPtr>{scene.b, scene.c}));
    EXPECT_EQ(scene.navigation->viewControllers(), std::vector<UIViewControllerPtr>{scene.a});
    EXPECT_EQ(std::count(scene.log->begin(), scene.log->end(), "B will disappear"), 0);
    EXPECT_EQ(std::count(scene.log->begin(), scene.log->end(), "A did appear"), 1);
    EXPECT_EQ(scene.navigation->navigationBar()->items().size(), 1u);
}

TEST(NavigationController, TheBackButtonAndTheEdgeSwipePop) {
    Scene scene;
    scene.show();
    scene.navigation->pushViewController(scene.b, false);
    const auto back = scene.navigation->navigationBar()->backButton();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->currentTitle(), "\u2039 A");
    scene.touches.tap(*back);
    settle();
    EXPECT_EQ(scene.navigation->topViewController(), scene.a);

    scene.navigation->pushViewController(scene.b, false);
    scene.touches.wait(1).down(1, {5, 400}).drag(1, {5, 400}, {200, 400}, 8).up(1, {200, 400});
    settle();
    EXPECT_EQ(scene.navigation->topViewController(), scene.a);

    // Disabled, or starting away from the edge, the swipe pops nothing.
    scene.navigation->pushViewController(scene.b, false);
    scene.touches.wait(1).down(1, {150, 400}).drag(1, {150, 400}, {350, 400}, 8).up(1, {350, 400});
    scene.navigation->interactivePopGestureRecognizer()->setEnabled(false);
    scene.touches.wait(1).down(1, {5, 400}).drag(1, {5, 400}, {200, 400}, 8).up(1, {200, 400});
    settle();
    EXPECT_EQ(scene.navigation->topViewController(), scene.b);
}

}  // namespace
