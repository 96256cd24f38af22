#include <gtest/gtest.h>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/screens/UIViewController.h"
#include "platform/ui/window/UIWindow.h"
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
    std::shared_ptr<RecordingController> root = std::make_shared<RecordingController>("Root", log);
    std::shared_ptr<RecordingController> modal =
        std::make_shared<RecordingController>("Modal", log);

    Scene() {
        AnimationClock::shared().setManualStepping(true);
        window->setRootViewController(root);
        log->clear();
    }
    ~Scene() { settle(); }
};

class CustomView : public UIViewController {
public:
    int loads = 0;
    UIViewPtr made = std::make_shared<UIView>(CGRect{0, 0, 10, 10});
    void loadView() override {
        ++loads;
        setView(made);
    }
};

TEST(ViewController, LoadsItsViewOnceOnFirstUse) {
    auto controller = std::make_shared<CustomView>();
    EXPECT_FALSE(controller->isViewLoaded());
    EXPECT_EQ(controller->viewIfLoaded(), nullptr);
    EXPECT_EQ(controller->view(), controller->made);
    controller->view();
    EXPECT_EQ(controller->loads, 1);

    controller->setTitle("Edit");
    EXPECT_EQ(controller->navigationItem()->title(), "Edit");
    EXPECT_EQ(controller->navigationController(), nullptr);
}

TEST(ViewController, ModalPresentationSlidesUpAndCompletesOnce) {
    Scene scene;
    int presentedCount = 0;
    ASSERT_TRUE(scene.root->presentViewController(scene.modal, true, [&] { ++presentedCount; }));
    EXPECT_EQ(scene.modal->presentingViewController(), scene.root);
    EXPECT_EQ(scene.root->presentedViewController(), scene.modal);
    EXPECT_FALSE(scene.root->presentViewController(std::make_shared<UIViewController>(), true))
        << "one presented screen at a time";
    AnimationClock::shared().advance(0.15);
    const double shownY = scene.modal->view()->presentationCenter().y;
    EXPECT_GT(shownY, scene.window->bounds().midY());
    EXPECT_LT(shownY, scene.window->bounds().midY() + scene.window->bounds().height());
    EXPECT_EQ(presentedCount, 0);
    settle();
    EXPECT_EQ(presentedCount, 1);
    EXPECT_EQ(scene.modal->view()->frame(), scene.window->bounds());
    EXPECT_EQ(*scene.log, (Log{"Modal load", "Modal will appear", "Root will disappear",
                               "Modal did appear", "Root did disappear"}));

    scene.log->clear();
    int dismissedCount = 0;
    scene.modal->dismissViewControllerAnimated(true, [&] { ++dismissedCount; });
    scene.root->dismissViewControllerAnimated(true, [&] { ++dismissedCount; });
    settle();
    EXPECT_EQ(dismissedCount, 1) << "a second dismissal while going does nothing";
    EXPECT_EQ(scene.modal->view()->superview(), nullptr);
    EXPECT_EQ(scene.root->presentedViewController(), nullptr);
    EXPECT_EQ(scene.modal->presentingViewController(), nullptr);
    EXPECT_EQ(*scene.log, (Log{"Modal will disappear", "Root will appear", "Modal did disappear",
                               "Root did appear"}));

    // Nothing left to dismiss: nothing happens.
    scene.root->dismissViewControllerAnimated(false, [&] { ++dismissedCount; });
    EXPECT_EQ(dismissedCount, 1);
}

TEST(ViewController, AChildShownOverItsParentAppearsWithItsView) {
    Scene scene;
    auto child = std::make_shared<RecordingController>("Child", scene.log);
    scene.root->addChildViewController(child);
    scene.root->view()->addSubview(child->view());
    child->didMoveToParentViewController(scene.root.get());
    EXPECT_EQ(*scene.log, (Log{"Child will move", "Child load", "Child will appear",
                               "Child did appear", "Child did move"}));
    EXPECT_EQ(scene.root->childViewControllers(), std::vector<UIViewControllerPtr>{child});

    scene.log->clear();
    child->willMoveToParentViewController(nullptr);
    child->view()->removeFromSuperview();
    child->removeFromParentViewController();
    EXPECT_EQ(*scene.log, (Log{"Child will leave", "Child will disappear", "Child did disappear",
                               "Child did leave"}));
    EXPECT_EQ(child->parentViewController(), nullptr);
    EXPECT_TRUE(scene.root->childViewControllers().empty());
}

TEST(ViewController, AChildInsideAPresentedScreenDismissesIt) {
    Scene scene;
    auto inner = std::make_shared<RecordingController>("Inner", scene.log);
    scene.modal->addChildViewController(inner);
    scene.root->presentViewController(scene.modal, false);
    EXPECT_EQ(inner->presentingViewController(), scene.root);
    bool done = false;
    inner->dismissViewControllerAnimated(false, [&] { done = true; });
    EXPECT_TRUE(done);
    EXPECT_EQ(scene.root->presentedViewController(), nullptr);
}

}  // namespace
