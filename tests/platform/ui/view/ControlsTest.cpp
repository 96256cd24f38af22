#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/view/UIActivityIndicatorView.h"
#include "platform/ui/view/UIButton.h"
#include "platform/ui/view/UILabel.h"
#include "platform/ui/view/UIViewRenderer.h"
#include "platform/ui/window/TouchTracker.h"
#include "platform/ui/window/UIWindow.h"
#include "tests/platform/ui/view/ViewTestSupport.h"

using namespace viewtest;

namespace {

struct ButtonOnWindow {
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 400});
    UIButtonPtr button = std::make_shared<UIButton>(CGRect{100, 100, 80, 40});
    std::vector<std::string> events;
    TouchTracker fingers{*window};
    double time = 0;

    ButtonOnWindow() {
        window->addSubview(button);
        const std::pair<unsigned, const char*> names[] = {
            {UIControlEventTouchDown, "down"},
            {UIControlEventTouchDownRepeat, "repeat"},
            {UIControlEventTouchDragExit, "exit"},
            {UIControlEventTouchDragEnter, "enter"},
            {UIControlEventTouchUpInside, "up inside"},
            {UIControlEventTouchUpOutside, "up outside"},
            {UIControlEventTouchCancel, "cancel"}};
        for (const auto& [event, name] : names) {
            button->addTarget(
                [this, name = std::string(name)](UIControl&) { events.push_back(name); }, event);
        }
    }
    void touch(UITouchPhase phase, CGPoint location) {
        time += 0.1;
        fingers.send({{1, phase, location, {}}}, time);
    }
};

}  // namespace

TEST(ControlsTest, ButtonReportsTouchUpInsideAndOutside) {
    ButtonOnWindow setup;
    setup.touch(UITouchPhase::Began, {120, 120});
    EXPECT_TRUE(setup.button->isHighlighted());
    setup.touch(UITouchPhase::Ended, {125, 118});
    EXPECT_FALSE(setup.button->isHighlighted());
    EXPECT_EQ(setup.events, (std::vector<std::string>{"down", "up inside"}));

    // A quick second tap at the same place repeats; dragging far away and back
    // leaves and enters; lifting far away is outside.
    setup.events.clear();
    setup.touch(UITouchPhase::Began, {120, 120});
    setup.touch(UITouchPhase::Moved, {390, 390});
    EXPECT_FALSE(setup.button->isHighlighted());
    setup.touch(UITouchPhase::Moved, {150, 120});
    setup.touch(UITouchPhase::Moved, {390, 390});
    setup.touch(UITouchPhase::Ended, {390, 390});
    EXPECT_EQ(setup.events,
              (std::vector<std::string>{"down", "repeat", "exit", "enter", "exit", "up outside"}));

    // Disabled buttons send nothing; a cancelled touch reports cancel.
    setup.events.clear();
    setup.button->setEnabled(false);
    setup.time += 1;
    setup.touch(UITouchPhase::Began, {120, 120});
    setup.touch(UITouchPhase::Ended, {120, 120});
    EXPECT_TRUE(setup.events.empty());
    setup.button->setEnabled(true);
    setup.time += 1;
    setup.touch(UITouchPhase::Began, {120, 120});
    setup.fingers.cancelAll(setup.time);
    EXPECT_EQ(setup.events, (std::vector<std::string>{"down", "cancel"}));
}

TEST(ControlsTest, ButtonContentPerStateAndRemovedActions) {
    const auto button = std::make_shared<UIButton>(CGRect{0, 0, 100, 40});
    button->setTitle("Normal", UIControlStateNormal);
    button->setTitle("Selected", UIControlStateSelected);
    button->setTitleColor(UIColor::redColor(), UIControlStateHighlighted);
    EXPECT_EQ(button->currentTitle(), "Normal");
    EXPECT_EQ(button->titleLabel()->text(), "Normal");
    button->setSelected(true);
    EXPECT_EQ(button->titleLabel()->text(), "Selected");
    button->setSelected(false);
    button->setHighlighted(true);
    EXPECT_EQ(button->titleLabel()->text(), "Normal");
    EXPECT_EQ(button->titleLabel()->textColor(), UIColor::redColor());
    EXPECT_EQ(button->titleForState(UIControlStateDisabled), "Normal");

    // An image without a highlighted one of its own dims while highlighted.
    button->setImage(quadrantPicture(10, 10), UIControlStateNormal);
    EXPECT_LT(button->imageView()->alpha(), 1);
    button->setHighlighted(false);
    EXPECT_EQ(button->imageView()->alpha(), 1);

    int calls = 0;
    const int action = button->addTarget([&](UIControl&) { ++calls; },
                                         UIControlEventValueChanged | UIControlEventEditingChanged);
    button->sendActionsForControlEvents(UIControlEventEditingChanged);
    button->sendActionsForControlEvents(UIControlEventTouchUpInside);
    button->removeTarget(action);
    button->sendActionsForControlEvents(UIControlEventValueChanged);
    EXPECT_EQ(calls, 1);
}

TEST(ControlsTest, ButtonDrawsImageAndTitleSideBySideInTheMiddle) {
    const auto button = std::make_shared<UIButton>(CGRect{0, 0, 100, 40});
    button->setBackgroundColor(UIColor::whiteColor());
    button->setImage(quadrantPicture(20, 20), UIControlStateNormal);
    button->setTitle("Go", UIControlStateNormal);
    button->setTitleColor(UIColor::blackColor(), UIControlStateNormal);
    const UIImagePtr image = UIViewRenderer::renderToImage(*button, 1);
    const CGRect imageFrame = button->imageView()->frame();
    const CGRect titleFrame = button->titleLabel()->frame();
    EXPECT_NEAR(imageFrame.minX() + (titleFrame.maxX() - imageFrame.minX()) / 2, 50, 0.5);
    EXPECT_DOUBLE_EQ(imageFrame.maxX(), titleFrame.minX());
    EXPECT_TRUE(near(pixelAt(*image, static_cast<int>(imageFrame.minX()) + 2, 12), kRed));
}

TEST(ControlsTest, LabelMeasuresWrapsAndShrinksToFit) {
    const auto label = std::make_shared<UILabel>(CGRect{0, 0, 100, 30});
    EXPECT_EQ(label->sizeThatFits({}), (CGSize{0, 0}));
    label->setText("Hello world, a longer line");
    label->setFont(UIFont::systemFontOfSize(20));
    const CGSize oneLine = label->sizeThatFits({});
    EXPECT_GT(oneLine.width, 150);
    EXPECT_LT(oneLine.height, 40);
    EXPECT_EQ(oneLine.width, std::ceil(oneLine.width));

    label->setNumberOfLines(0);
    const CGSize wrapped = label->sizeThatFits({100, 0});
    EXPECT_LE(wrapped.width, 100);
    EXPECT_GT(wrapped.height, oneLine.height * 2);
    label->setNumberOfLines(2);
    EXPECT_LT(label->sizeThatFits({100, 0}).height, wrapped.height);

    // Shrinking keeps a single line inside the width, down to the minimum scale only.
    struct Probe : UILabel {
        using UILabel::fittingFont;
        using UILabel::UILabel;
    };
    const auto probe = std::make_shared<Probe>(CGRect{0, 0, 100, 30});
    probe->setText(label->text());
    probe->setFont(label->font());
    EXPECT_EQ(probe->fittingFont({100, 30}).pointSize(), 20);
    probe->setAdjustsFontSizeToFitWidth(true);
    probe->setMinimumScaleFactor(0.1);
    const UIFont shrunk = probe->fittingFont({100, 30});
    EXPECT_LT(shrunk.pointSize(), 10);
    EXPECT_LE(NSStringDrawing::sizeWithAttributes(probe->text(), {shrunk}).width, 100);
    EXPECT_GT(NSStringDrawing::sizeWithAttributes(probe->text(),
                                                  {shrunk.fontWithSize(shrunk.pointSize() * 1.05)})
                  .width,
              100);
    probe->setMinimumScaleFactor(0.9);
    EXPECT_NEAR(probe->fittingFont({100, 30}).pointSize(), 18, 0.01);
}

TEST(ControlsTest, ActivityIndicatorSpinsOnTheClockAndHidesWhenStopped) {
    AnimationClock::shared().runToEnd();
    const auto spinner =
        std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyle::WhiteLarge);
    EXPECT_EQ(spinner->bounds().size, (CGSize{37, 37}));
    EXPECT_TRUE(spinner->isHidden());
    spinner->startAnimating();
    EXPECT_FALSE(spinner->isHidden());
    const auto phase = [&] {
        return spinner->layer()
            .presentationValueForKey(UIActivityIndicatorView::kPhaseKey)
            ->number();
    };
    AnimationClock::shared().advance(0.5);
    EXPECT_NEAR(phase(), 6, 1e-9);
    AnimationClock::shared().advance(0.75);
    EXPECT_NEAR(phase(), 3, 1e-9);

    // The drawing moves with it.
    spinner->setBackgroundColor(UIColor::blackColor());
    const UIImagePtr before = UIViewRenderer::renderToImage(*spinner, 1);
    AnimationClock::shared().advance(1.0 / 12 * 3);
    const UIImagePtr after = UIViewRenderer::renderToImage(*spinner, 1);
    int differing = 0;
    for (int y = 0; y < 37; ++y) {
        for (int x = 0; x < 37; ++x) {
            differing += near(pixelAt(*before, x, y), pixelAt(*after, x, y), 8) ? 0 : 1;
        }
    }
    EXPECT_GT(differing, 10);

    spinner->stopAnimating();
    EXPECT_TRUE(spinner->isHidden());
    EXPECT_FALSE(AnimationClock::shared().isAnimating());
    spinner->setHidesWhenStopped(false);
    EXPECT_FALSE(spinner->isHidden());
    drainMainQueue();
}
