#include <gtest/gtest.h>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/controls/UIKeyboard.h"
#include "platform/ui/controls/UITextField.h"
#include "platform/ui/controls/UITextView.h"
#include "tests/platform/ui/gestures/TouchScript.h"

namespace {

// Runs the animations to their end and delivers what their completions posted.
void settle() {
    AnimationClock::shared().runToEnd();
    drainMainQueueAndWaitForPool();
}

struct Scene {
    std::shared_ptr<UIWindow> window;
    UITextFieldPtr field = std::make_shared<UITextField>(CGRect{20, 100, 200, 40});
    UITextViewPtr textView = std::make_shared<UITextView>(CGRect{20, 200, 300, 80});

    explicit Scene(CGSize size = UIWindow::kPhoneSize)
        : window(std::make_shared<UIWindow>(CGRect{{0, 0}, size})) {
        AnimationClock::shared().setManualStepping(true);
        window->addSubview(field);
        window->addSubview(textView);
    }
    ~Scene() {
        UIResponder::endEditing(*window);
        settle();
    }
    void type(const std::string& text) { window->sendText(text); }
    void press(UIKeyPress::Key key) { window->sendKey({key, "", UIKeyPress::None}); }
};

// The field takes at most four characters, as the resize panel's size fields do.
class FourCharacters : public UITextFieldDelegate {
public:
    std::optional<bool> textFieldShouldChangeCharactersInRangeReplacementString(
        UITextField& field, NSRange, const std::string& string) override {
        return string.empty() || field.text().size() < 4;
    }
    bool returned = false;
    std::optional<bool> textFieldShouldReturn(UITextField&) override {
        returned = true;
        return true;
    }
};

class NoLetterX : public UITextViewDelegate {
public:
    int changes = 0;
    std::optional<bool> textViewShouldChangeTextInRangeReplacementText(
        UITextView&, NSRange, const std::string& text) override {
        return text.find('x') == std::string::npos;
    }
    void textViewDidChange(UITextView&) override { ++changes; }
};

TEST(TextField, NumberPadTypesDigitsAndTheFilterHasTheLastWord) {
    Scene scene;
    auto filter = std::make_shared<FourCharacters>();
    scene.field->setDelegate(filter);
    scene.field->setKeyboardType(UIKeyboardType::NumberPad);
    std::vector<std::string> changes;
    int endedOnExit = 0;
    scene.field->addTarget([&](UIControl&) { changes.push_back(scene.field->text()); },
                           UIControlEventEditingChanged);
    scene.field->addTarget([&](UIControl&) { ++endedOnExit; }, UIControlEventEditingDidEndOnExit);

    ASSERT_TRUE(scene.field->becomeFirstResponder());
    scene.type("1a");
    scene.type("b");
    scene.type("2");
    scene.type("34");
    scene.type("5");
    EXPECT_EQ(scene.field->text(), "1234");
    EXPECT_EQ(changes, (std::vector<std::string>{"1", "12", "1234"}))
        << "letters alone type nothing; the fifth digit is refused";

    scene.press(UIKeyPress::Key::LeftArrow);
    scene.press(UIKeyPress::Key::Backspace);
    EXPECT_EQ(scene.field->text(), "124");
    EXPECT_EQ(scene.field->selectedRange(), (NSRange{2, 0}));
    scene.press(UIKeyPress::Key::Return);
    EXPECT_TRUE(filter->returned);
    EXPECT_EQ(endedOnExit, 1);

    // A programmatic text sends nothing.
    scene.field->setText("99");
    EXPECT_EQ(changes.size(), 4u);
}

TEST(TextView, EditsGoThroughTheReplacementFilterAndTheCaretFollowsTheKeys) {
    Scene scene;
    auto filter = std::make_shared<NoLetterX>();
    scene.textView->setDelegate(filter);
    ASSERT_TRUE(scene.textView->becomeFirstResponder());
    scene.type("abc");
    scene.press(UIKeyPress::Key::LeftArrow);
    scene.press(UIKeyPress::Key::LeftArrow);
    scene.type("X");
    scene.type("x");
    EXPECT_EQ(scene.textView->text(), "aXbc");
    EXPECT_EQ(filter->changes, 2);

    scene.press(UIKeyPress::Key::End);
    scene.press(UIKeyPress::Key::Return);
    scene.type("second");
    EXPECT_EQ(scene.textView->text(), "aXbc\nsecond");
    scene.press(UIKeyPress::Key::UpArrow);
    EXPECT_LE(scene.textView->selectedRange().location, 4u);
    scene.press(UIKeyPress::Key::Home);
    scene.press(UIKeyPress::Key::Backspace);
    EXPECT_EQ(scene.textView->text(), "aXbc\nsecond") << "nothing before the caret to delete";

    // Lines beyond the view's height make the content taller and keep the caret shown.
    scene.press(UIKeyPress::Key::End);
    for (int i = 0; i < 8; ++i) {
        scene.press(UIKeyPress::Key::Return);
    }
    EXPECT_GT(scene.textView->contentSize().height, scene.textView->bounds().height());
    EXPECT_GT(scene.textView->contentOffset().y, 0);
    const CGRect caret = scene.textView->caretRectForIndex(scene.textView->selectedRange().end());
    EXPECT_TRUE(scene.textView->bounds().contains({caret.minX() + 1, caret.midY()}));
}

TEST(Responder, OneFirstResponderPerWindowAndOnlyInAWindow) {
    Scene scene;
    std::vector<std::string> events;
    scene.field->addTarget([&](UIControl&) { events.push_back("field began"); },
                           UIControlEventEditingDidBegin);
    scene.field->addTarget([&](UIControl&) { events.push_back("field ended"); },
                           UIControlEventEditingDidEnd);

    ASSERT_TRUE(scene.field->becomeFirstResponder());
    ASSERT_TRUE(scene.textView->becomeFirstResponder());
    EXPECT_FALSE(scene.field->isFirstResponder());
    EXPECT_TRUE(scene.textView->isFirstResponder());
    EXPECT_EQ(events, (std::vector<std::string>{"field began", "field ended"}));
    scene.type("typed");
    EXPECT_EQ(scene.textView->text(), "typed");
    EXPECT_EQ(scene.field->text(), "");

    // Removing the first responder from the window ends its editing.
    scene.textView->removeFromSuperview();
    EXPECT_FALSE(scene.textView->isFirstResponder());
    EXPECT_FALSE(scene.textView->becomeFirstResponder()) << "not in a window";
    EXPECT_FALSE(scene.window->sendText("lost")) << "no first responder takes the text";

    scene.field->setEnabled(false);
    EXPECT_FALSE(scene.field->becomeFirstResponder());
}

TEST(TextField, ATapStartsEditingAtTheTappedCharacter) {
    Scene scene;
    scene.field->setText("0123456789");
    TouchScript touches(scene.window);
    touches.down(1, {21, 120}).up(1, {21, 120});
    ASSERT_TRUE(scene.field->isFirstResponder());
    EXPECT_EQ(scene.field->selectedRange(), (NSRange{0, 0}));
    touches.wait(1).down(1, {210, 120}).up(1, {210, 120});
    EXPECT_EQ(scene.field->selectedRange(), (NSRange{10, 0}));
}

class KeyboardListener {
public:
    struct Heard {
        std::string name;
        CGRect end;
        double duration;
        std::int64_t curve;
    };
    std::vector<Heard> heard;

    KeyboardListener() {
        for (const char* name : {UIKeyboardWillShowNotification, UIKeyboardDidShowNotification,
                                 UIKeyboardWillHideNotification, UIKeyboardDidHideNotification}) {
            tokens_.push_back(NSNotificationCenter::defaultCenter().addObserverForName(
                name, nullptr, [this](const NSNotification& n) {
                    heard.push_back(
                        {n.name(), n.userInfo().at(UIKeyboardFrameEndUserInfoKey).rectValue(),
                         n.userInfo().at(UIKeyboardAnimationDurationUserInfoKey).doubleValue(),
                         n.userInfo().at(UIKeyboardAnimationCurveUserInfoKey).integerValue(-1)});
                }));
        }
    }
    ~KeyboardListener() {
        for (auto token : tokens_) {
            NSNotificationCenter::defaultCenter().removeObserver(token);
        }
    }

private:
    std::vector<NSNotificationCenter::ObserverToken> tokens_;
};

TEST(Keyboard, ComesUpWithTheFirstResponderAndAnnouncesItsFrames) {
    Scene scene;
    KeyboardListener listener;
    ASSERT_TRUE(scene.textView->becomeFirstResponder());
    EXPECT_TRUE(UIKeyboard::isVisible(*scene.window));
    drainMainQueue();
    ASSERT_EQ(listener.heard.size(), 1u);
    EXPECT_EQ(listener.heard[0].name, UIKeyboardWillShowNotification);
    EXPECT_EQ(listener.heard[0].end, (CGRect{0, 844 - 216, 390, 216}));
    EXPECT_EQ(listener.heard[0].duration, UIKeyboard::kAnimationDuration);
    EXPECT_EQ(listener.heard[0].curve, 0);
    settle();
    EXPECT_EQ(listener.heard.back().name, UIKeyboardDidShowNotification);
    // The panel is on top of the window, where the frame says.
    const UIViewPtr panel = scene.window->subviews().back();
    EXPECT_EQ(panel->frame(), (CGRect{0, 628, 390, 216}));

    // Moving to another text input keeps the keyboard up without a word.
    listener.heard.clear();
    ASSERT_TRUE(scene.field->becomeFirstResponder());
    settle();
    EXPECT_TRUE(listener.heard.empty());

    ASSERT_TRUE(scene.field->resignFirstResponder());
    EXPECT_FALSE(UIKeyboard::isVisible(*scene.window));
    settle();
    ASSERT_EQ(listener.heard.size(), 2u);
    EXPECT_EQ(listener.heard[0].name, UIKeyboardWillHideNotification);
    EXPECT_EQ(listener.heard[0].end, (CGRect{0, 844, 390, 216}));
    EXPECT_EQ(listener.heard[1].name, UIKeyboardDidHideNotification);
    EXPECT_EQ(panel->superview(), nullptr);
}

TEST(Keyboard, IsTallerOnATabletAndAHideThenShowKeepsItUp) {
    Scene scene(UIWindow::kTabletSize);
    KeyboardListener listener;
    ASSERT_TRUE(scene.field->becomeFirstResponder());
    drainMainQueue();
    EXPECT_EQ(UIKeyboard::shownFrame(*scene.window), (CGRect{0, 1180 - 264, 820, 264}));

    // Resigned and taken up again while still sliding out: the panel stays.
    scene.field->resignFirstResponder();
    AnimationClock::shared().advance(UIKeyboard::kAnimationDuration / 2);
    scene.field->becomeFirstResponder();
    settle();
    EXPECT_TRUE(UIKeyboard::isVisible(*scene.window));
    EXPECT_EQ(scene.window->subviews().back()->frame(), UIKeyboard::shownFrame(*scene.window));
    EXPECT_EQ(listener.heard.back().name, UIKeyboardDidShowNotification);
}

TEST(TextField, TheCaretBlinksOnTheClock) {
    Scene scene;
    ASSERT_TRUE(scene.field->becomeFirstResponder());
    const UIViewPtr caret = scene.field->subviews().back();
    EXPECT_FALSE(caret->isHidden());
    const double start = AnimationClock::shared().now();
    const auto alphaAt = [&](double t) {
        AnimationClock::shared().advance(start + t - AnimationClock::shared().now());
        return caret->presentationAlpha();
    };
    EXPECT_GT(alphaAt(0.1), 0.9);
    EXPECT_LT(alphaAt(0.9), 0.1);
    EXPECT_GT(alphaAt(1.1), 0.9) << "lit again in the next blink";
    scene.type("a");
    EXPECT_GT(alphaAt(1.45), 0.9) << "typing restarts the blink lit";
    scene.field->resignFirstResponder();
    EXPECT_TRUE(caret->isHidden());
}

}  // namespace
