#include <gtest/gtest.h>

#include <vector>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/controls/UIKeyboard.h"
#include "platform/ui/window/UIWindow.h"
#include "tools/overlay/text/CLTextSettingView.h"

namespace {

class Recorder : public CLTextSettingViewDelegate {
public:
    std::vector<std::string> texts;
    std::vector<UIColor> fills;
    std::vector<UIColor> borders;
    void textSettingViewDidChangeText(CLTextSettingView&, const std::string& text) override {
        texts.push_back(text);
    }
    void textSettingViewDidChangeFillColor(CLTextSettingView&, const UIColor& color) override {
        fills.push_back(color);
    }
    void textSettingViewDidChangeBorderColor(CLTextSettingView&, const UIColor& color) override {
        borders.push_back(color);
    }
};

// The panel where the text tool puts it in the phone window: 180 high, its bottom on
// an 80-point strip at the window's bottom.
struct PanelScene {
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>();
    CLTextSettingViewPtr panel;
    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();

    explicit PanelScene(double top = UIWindow::kPhoneSize.height - 80 - 180) {
        AnimationClock::shared().setManualStepping(true);
        panel = CLTextSettingView::create({0, top, UIWindow::kPhoneSize.width, 180});
        panel->setDelegate(recorder);
        window->addSubview(panel);
    }
    ~PanelScene() {
        UIResponder::endEditing(*window);
        settle();
        AnimationClock::shared().setManualStepping(false);
    }
    static void settle() {
        for (int round = 0; round < 2; ++round) {
            drainMainQueueAndWaitForPool();
            AnimationClock::shared().runToEnd();
        }
    }
    double textFieldBottomInWindow() const {
        return panel->textView()
            ->convertRectToView(panel->textView()->bounds(), window.get())
            .maxY();
    }
};

bool near(const UIColor& a, const UIColor& b) {
    double ra, ga, ba, aa, rb, gb, bb, ab;
    a.getRed(&ra, &ga, &ba, &aa);
    b.getRed(&rb, &gb, &bb, &ab);
    return std::abs(ra - rb) < 0.02 && std::abs(ga - gb) < 0.02 && std::abs(ba - bb) < 0.02 &&
           std::abs(aa - ab) < 0.02;
}

TEST(CLTextSettingView, RisesExactlyToTheKeyboardAndTheFieldIs80HighWhileItShows) {
    PanelScene scene;
    ASSERT_TRUE(scene.panel->becomeFirstResponder());
    PanelScene::settle();
    EXPECT_EQ(scene.panel->textView()->frame().height(), 80);
    EXPECT_NEAR(scene.textFieldBottomInWindow(), UIKeyboard::shownFrame(*scene.window).minY(),
                1e-9);
    EXPECT_LT(scene.panel->transform().ty, 0);

    ASSERT_TRUE(scene.panel->resignFirstResponder());
    PanelScene::settle();
    EXPECT_EQ(scene.panel->textView()->frame().height(), 160);
    EXPECT_EQ(scene.panel->transform().ty, 0);

    // A panel whose field ends above the keyboard stays where it is.
    PanelScene high(100);
    ASSERT_TRUE(high.panel->becomeFirstResponder());
    PanelScene::settle();
    EXPECT_EQ(high.panel->transform().ty, 0);
    EXPECT_EQ(high.panel->textView()->frame().height(), 80);
}

TEST(CLTextSettingView, TypingReportsTheTextAndALineFeedAtTheEndShowsTheLastLine) {
    PanelScene scene;
    ASSERT_TRUE(scene.panel->becomeFirstResponder());
    PanelScene::settle();
    scene.window->sendText("x");
    scene.window->sendKey({UIKeyPress::Key::Backspace, "", UIKeyPress::None});
    EXPECT_EQ(scene.recorder->texts, (std::vector<std::string>{"x", ""}));
    EXPECT_EQ(scene.panel->selectedText(), "");

    const UITextViewPtr& field = scene.panel->textView();
    for (int line = 0; line < 6; ++line) {
        scene.window->sendText("line");
        scene.window->sendKey({UIKeyPress::Key::Return, "", UIKeyPress::None});
    }
    PanelScene::settle();
    EXPECT_GT(field->contentSize().height, field->bounds().height());
    EXPECT_NEAR(field->contentOffset().y + field->bounds().height(), field->contentSize().height,
                1.0)
        << "scrolled to the new last line";
    EXPECT_EQ(scene.recorder->texts.back(), scene.panel->selectedText());
}

TEST(CLTextSettingView, TheOutlineSwatchReportsItsColourOnceAndSetColoursAreKeptAsGiven) {
    PanelScene scene;
    const UIColor green = UIColor::colorWithRed(0.2, 0.7, 0.3, 1);
    scene.panel->setSelectedBorderColor(green);
    scene.panel->setSelectedMode(scene.panel->pathCircle());
    ASSERT_EQ(scene.recorder->borders.size(), 1u);
    EXPECT_TRUE(near(scene.recorder->borders[0], green));
    EXPECT_TRUE(near(scene.panel->colorPickerView()->color(), green));
    EXPECT_TRUE(scene.recorder->fills.empty());

    // Set in code, a colour is neither reported back nor re-derived by the picker.
    const UIColor subtle = UIColor::colorWithRed(0.123, 0.456, 0.789, 0.5);
    scene.panel->setSelectedBorderColor(subtle);
    EXPECT_EQ(scene.panel->selectedBorderColor(), subtle);
    EXPECT_TRUE(near(scene.panel->colorPickerView()->color(), subtle));
    EXPECT_EQ(scene.recorder->borders.size(), 1u);

    // The fill swatch is not the mode: only the swatch changes.
    scene.panel->setSelectedFillColor(UIColor::redColor());
    EXPECT_EQ(scene.panel->selectedFillColor(), UIColor::redColor());
    EXPECT_TRUE(near(scene.panel->colorPickerView()->color(), subtle));

    // The user's choice in the picker reaches the delegate.
    scene.panel->colorPickerView()->alphaSlider()->setValue(1);
    scene.panel->colorPickerView()->alphaSliderDidChange(
        *scene.panel->colorPickerView()->alphaSlider());
    EXPECT_EQ(scene.recorder->borders.size(), 2u);
    EXPECT_EQ(scene.panel->selectedBorderColor(), scene.recorder->borders.back());
}

}  // namespace
