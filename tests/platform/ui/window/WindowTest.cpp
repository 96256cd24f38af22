#include <gtest/gtest.h>

#include <QtGui/qtestsupport_gui.h>
#include <QtCore/QMimeData>
#include <QtCore/QUrl>
#include <QtGui/QDropEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QWheelEvent>
#include <QtTest/QTest>
#include <cmath>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/controls/UIResponder.h"
#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/screens/UIViewController.h"
#include "platform/ui/window/NativeWindow.h"
#include "platform/ui/window/UIWindow.h"
#include "tests/platform/ui/view/ViewTestSupport.h"

using namespace viewtest;

namespace {

// Records the touches it receives as "phase x,y" in its own coordinates.
class TouchLog : public UIView {
public:
    using UIView::UIView;
    std::vector<std::string> entries;

    void touchesBegan(const UITouchSet& touches, const UIEvent& event) override {
        record("began", touches, event);
    }
    void touchesMoved(const UITouchSet& touches, const UIEvent& event) override {
        record("moved", touches, event);
    }
    void touchesEnded(const UITouchSet& touches, const UIEvent& event) override {
        record("ended", touches, event);
    }
    void touchesCancelled(const UITouchSet& touches, const UIEvent& event) override {
        record("cancelled", touches, event);
    }

private:
    void record(const char* phase, const UITouchSet& touches, const UIEvent& event) {
        for (const UITouchPtr& touch : touches) {
            const CGPoint p = touch->locationInView(this);
            entries.push_back(std::string(phase) + " " + std::to_string(std::lround(p.x)) + "," +
                              std::to_string(std::lround(p.y)) + " of " +
                              std::to_string(event.allTouches().size()));
        }
    }
};

class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        AnimationClock::shared().setManualStepping(true);
        window_ = std::make_shared<UIWindow>();
        window_->setBackgroundColor(UIColor::whiteColor());
        log_ = std::make_shared<TouchLog>(CGRect{50, 100, 200, 200});
        log_->setBackgroundColor(UIColor::redColor());
        window_->addSubview(log_);
        window_->makeKeyAndVisible();
        for (int turn = 0; turn < 100 && !native()->isExposed(); ++turn) {
            runEventLoopOnce();
        }
        ASSERT_TRUE(native()->isExposed());
    }
    void TearDown() override {
        UIWindow::setKeyHandler({});
        window_.reset();
        AnimationClock::shared().runToEnd();
        AnimationClock::shared().setManualStepping(false);
    }

    NativeWindow* native() const { return window_->nativeWindow(); }

    std::shared_ptr<UIWindow> window_;
    std::shared_ptr<TouchLog> log_;
};

}  // namespace

// A screen that changes the tree as it goes, as an editor taking its bar away does.
// Under the address sanitizer this catches the desktop window going first.
TEST_F(WindowTest, ClosingTearsTheScreensDownBeforeTheDesktopWindow) {
    struct Screen : UIViewController {
        UIViewPtr bar = std::make_shared<UIView>(CGRect{0, 0, 100, 44});
        ~Screen() override { bar->removeFromSuperview(); }
    };
    auto screen = std::make_shared<Screen>();
    window_->setRootViewController(screen);
    window_->addSubview(screen->bar);
    const std::weak_ptr<Screen> watched = screen;
    screen.reset();
    window_.reset();
    EXPECT_TRUE(watched.expired());
}

TEST_F(WindowTest, MouseIsOneFingerThroughQtsInputPath) {
    QTest::mousePress(native(), Qt::LeftButton, {}, QPoint(60, 110));
    QTest::mouseMove(native(), QPoint(80, 150));
    QTest::mouseRelease(native(), Qt::LeftButton, {}, QPoint(90, 160));
    QTest::mouseClick(native(), Qt::LeftButton, {}, QPoint(10, 10));
    // Qt moves the pointer to where a button is released before releasing it.
    EXPECT_EQ(log_->entries, (std::vector<std::string>{"began 10,10 of 1", "moved 30,50 of 1",
                                                       "moved 40,60 of 1", "ended 40,60 of 1"}));
}

TEST_F(WindowTest, TouchScreenFingersBecomeTouches) {
    const std::unique_ptr<QPointingDevice> device(QTest::createTouchDevice());
    QTest::touchEvent(native(), device.get()).press(0, QPoint(100, 200)).press(1, QPoint(150, 250));
    QTest::touchEvent(native(), device.get()).move(0, QPoint(110, 200)).stationary(1);
    QTest::touchEvent(native(), device.get())
        .release(0, QPoint(110, 200))
        .release(1, QPoint(150, 250));
    EXPECT_EQ(log_->entries, (std::vector<std::string>{"began 50,100 of 2", "began 100,150 of 2",
                                                       "moved 60,100 of 2", "ended 60,100 of 2",
                                                       "ended 100,150 of 2"}));
}

TEST_F(WindowTest, WheelMakesTwoSyntheticFingersUnderTheCursor) {
    const QPointF cursor(150, 200);
    QWheelEvent pinch(cursor, native()->mapToGlobal(cursor), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QGuiApplication::sendEvent(native(), &pinch);
    // Both fingers start 50 points either side of the cursor and spread by 10 %.
    EXPECT_EQ(log_->entries, (std::vector<std::string>{"began 50,100 of 2", "began 150,100 of 2",
                                                       "moved 45,100 of 2", "moved 155,100 of 2"}));

    // A plain wheel ends the pinch and pans both fingers together.
    QWheelEvent scroll(cursor, native()->mapToGlobal(cursor), QPoint(), QPoint(0, -120),
                       Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QGuiApplication::sendEvent(native(), &scroll);
    ASSERT_EQ(log_->entries.size(), 10u);
    EXPECT_EQ(log_->entries[4], "ended 45,100 of 2");
    EXPECT_EQ(log_->entries[8], "moved 90,60 of 2");
    EXPECT_EQ(log_->entries[9], "moved 110,60 of 2");
}

TEST_F(WindowTest, KeysTheirReleasesAndTextGoToTheKeyHandler) {
    std::vector<std::string> keys;
    UIWindow::setKeyHandler([&](UIWindow&, const UIKeyPress& key) {
        keys.push_back((key.released ? "up " : "") +
                       (key.key == UIKeyPress::Key::Text
                            ? "text " + key.text
                            : "key " + std::to_string(static_cast<int>(key.key))));
        return true;
    });
    QTest::keyClick(native(), Qt::Key_A);
    QTest::keyClick(native(), Qt::Key_Backspace);
    window_->sendText("é");
    // A held key repeats its press; only its last release counts.
    QTest::keyPress(native(), Qt::Key_Space);
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
    QGuiApplication::sendEvent(native(), &repeatRelease);
    QTest::keyRelease(native(), Qt::Key_Space);
    const std::string backspace = std::to_string(static_cast<int>(UIKeyPress::Key::Backspace));
    EXPECT_EQ(keys, (std::vector<std::string>{"text a", "up text a", "key " + backspace,
                                              "up key " + backspace, "text é", "text  ",
                                              "up text  "}));
}

TEST_F(WindowTest, DroppedLocalFilesGoToTheDropHandler) {
    std::vector<std::string> dropped;
    window_->setFileDropHandler([&](const std::vector<std::string>& paths) {
        dropped = paths;
        return true;
    });
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/a.jpg"), QUrl("https://example.com/b.jpg")});
    const QPointF at(100, 150);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QGuiApplication::sendEvent(native(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QGuiApplication::sendEvent(native(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(dropped, std::vector<std::string>{"/tmp/a.jpg"}) << "local files only";

    QMimeData text;
    text.setText("not a file");
    QDragEnterEvent refused(at.toPoint(), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QGuiApplication::sendEvent(native(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(WindowTest, ChangesAreRepaintedOnTheNextTurnAndAnimationsShow) {
    // The pictures below are what the desktop window shows, not a render of our own.
    ASSERT_FALSE(native()->grabContents().isNull());
    const double scale = native()->devicePixelRatio();
    auto sample = [&](int x, int y) {
        const UIImagePtr shot = window_->snapshot();
        return pixelAt(*shot, static_cast<int>(x * scale), static_cast<int>(y * scale));
    };
    EXPECT_TRUE(near(sample(100, 150), kRed));
    log_->setBackgroundColor(UIColor::blueColor());
    log_->setBackgroundColor(UIColor::greenColor());
    runEventLoopOnce();
    EXPECT_TRUE(near(sample(100, 150), kGreen));

    UIView::animate(1.0, 0, UIViewAnimationOptionCurveLinear, [&] { log_->setAlpha(0); });
    AnimationClock::shared().advance(0.5);
    runEventLoopOnce();
    EXPECT_TRUE(near(sample(100, 150), {127, 255, 127, 255}, 4));
    AnimationClock::shared().runToEnd();
    runEventLoopOnce();
    EXPECT_TRUE(near(sample(100, 150), kWhite));
}

TEST_F(WindowTest, EscapeAndReturnAnswerAnAlert) {
    UIResponder::installKeyHandler();
    std::vector<int> answers;
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        const auto alert =
            std::make_shared<UIAlertView>("Replace?", "", std::weak_ptr<UIAlertViewDelegate>{},
                                          "Keep", std::vector<std::string>{"Replace"});
        alert->setClickedHandler([&](int index) { answers.push_back(index); });
        alert->show();
        QTest::keyClick(native(), key);
        drainMainQueueAndWaitForPool();
        AnimationClock::shared().runToEnd();
        EXPECT_FALSE(alert->isVisible());
    }
    EXPECT_EQ(answers, (std::vector<int>{0, 1})) << "cancel, then the last button";
}
