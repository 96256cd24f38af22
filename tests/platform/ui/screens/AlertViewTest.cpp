#include <gtest/gtest.h>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/screens/UIAlertView.h"
#include "tests/platform/ui/gestures/RecordingView.h"
#include "tests/platform/ui/gestures/TouchScript.h"

namespace {

class ClickRecorder : public UIAlertViewDelegate {
public:
    std::vector<std::string> heard;
    void alertViewClickedButtonAtIndex(UIAlertView&, int index) override {
        heard.push_back("clicked " + std::to_string(index));
    }
    void alertViewDidDismissWithButtonIndex(UIAlertView&, int index) override {
        heard.push_back("dismissed " + std::to_string(index));
    }
};

TEST(AlertView, ShowsCentredAboveEverythingAndReportsTheTappedButton) {
    AnimationClock::shared().setManualStepping(true);
    auto window = std::make_shared<UIWindow>();
    window->makeKeyWindow();
    auto below = std::make_shared<RecordingView>(window->bounds());
    window->addSubview(below);
    TouchScript touches(window);
    auto recorder = std::make_shared<ClickRecorder>();
    int handled = -1;
    {
        auto alert = std::make_shared<UIAlertView>("Error", "Can't creat image", recorder, "OK");
        alert->setClickedHandler([&](int index) { handled = index; });
        alert->show();
    }
    const auto alert = UIAlertView::visibleAlert();
    ASSERT_NE(alert, nullptr) << "a shown alert keeps itself alive";
    EXPECT_EQ(alert->title(), "Error");
    EXPECT_EQ(alert->numberOfButtons(), 1);
    EXPECT_EQ(alert->cancelButtonIndex(), 0);
    AnimationClock::shared().runToEnd();

    const auto ok = alert->buttonAtIndex(0);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->currentTitle(), "OK");
    const CGRect okInWindow = ok->convertRectToView(ok->bounds(), window.get());
    EXPECT_NEAR(okInWindow.midX(), window->bounds().midX(), 1) << "centred";

    // The backdrop keeps touches from the screen below.
    touches.down(1, {10, 10}).up(1, {10, 10});
    EXPECT_TRUE(below->log.empty());
    EXPECT_EQ(handled, -1);

    touches.tap(*ok);
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(UIAlertView::visibleAlert(), nullptr);
    AnimationClock::shared().runToEnd();
    drainMainQueueAndWaitForPool();
    EXPECT_EQ(recorder->heard, (std::vector<std::string>{"clicked 0", "dismissed 0"}));
    EXPECT_EQ(window->subviews().size(), 1u) << "the backdrop is gone";
}

TEST(AlertView, ButtonIndexesStartWithCancelAndTwoSitSideBySide) {
    auto window = std::make_shared<UIWindow>();
    window->makeKeyWindow();
    auto alert = std::make_shared<UIAlertView>("Pick", "", std::weak_ptr<UIAlertViewDelegate>{},
                                               "Cancel", std::vector<std::string>{"Go"});
    EXPECT_EQ(alert->buttonTitleAtIndex(1), "Go");
    EXPECT_EQ(alert->buttonTitleAtIndex(2), "");
    alert->show();
    const auto cancel = alert->buttonAtIndex(0);
    const auto go = alert->buttonAtIndex(1);
    EXPECT_EQ(cancel->frame().minY(), go->frame().minY());
    EXPECT_LT(cancel->frame().minX(), go->frame().minX());
    alert->dismissWithClickedButtonIndex(1, false);
    EXPECT_FALSE(alert->isVisible());
    EXPECT_TRUE(window->subviews().empty());

    auto noCancel = std::make_shared<UIAlertView>("Note", "", std::weak_ptr<UIAlertViewDelegate>{},
                                                  "", std::vector<std::string>{"A", "B", "C"});
    EXPECT_EQ(noCancel->cancelButtonIndex(), -1);
    EXPECT_EQ(noCancel->numberOfButtons(), 3);
}

}  // namespace
