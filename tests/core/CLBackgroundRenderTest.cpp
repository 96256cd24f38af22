#include <gtest/gtest.h>

#include <future>

#include "core/CLBackgroundRender.h"
#include "core/CLBusySign.h"
#include "core/CLMenuStrip.h"
#include "core/CLToolAnimations.h"
#include "platform/ui/view/UIActivityIndicatorView.h"
#include "tests/core/EditorFixture.h"

namespace {

using testtools::solidPicture;
using Wait = CLBackgroundRender::Wait;

// A tool of a few lines on the kit: a strip of the editor's tools; a tap renders a
// picture as wide as the tool's control value when the tap came.
struct KitTool : CLImageToolBase {
    using CLImageToolBase::CLImageToolBase;
    static inline std::atomic<bool> busy{false};

    void setup() override {
        strip = CLMenuStrip::makeToolStrip(*editor());
        CLMenuStrip::fill(
            *strip, toolInfo()->sortedSubtools(),
            [this](UIGestureRecognizer& sender) { tapped(*sender.view()); },
            CLMenuStrip::Spacing::Packed);
        CLToolAnimations::slideInFromBelow(strip, *editor()->view());
    }
    void cleanup() override { CLToolAnimations::slideOutAndRemove(strip, *editor()->view()); }
    void tapped(UIView& item) {
        const double snapshot = width;
        const bool started = render.start(
            *this, Wait::UserWaits,
            [snapshot] {
                return solidPicture({snapshot, 10}, UIColor::redColor());
            },
            [this](const UIImagePtr& picture) { editor()->imageView()->setImage(picture); });
        if (started) {
            CLToolAnimations::flash(item);
        }
    }

    UIScrollViewPtr strip;
    double width = 20;
    CLBackgroundRender render = CLBackgroundRender::dropWhileBusy(busy);
};

// A render blocked until the test opens its gate, and telling when it started.
struct Gate {
    std::promise<void> open, started;
    std::shared_future<void> opened = open.get_future().share();
};

class KitTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        editor = presentEditor(solidPicture({200, 100}, UIColor::greenColor()));
        // The editor's own descriptor: the tool's strip shows the editor's tools.
        editor->setCurrentTool(kitClass.createTool(editor, editor->toolInfo()));
        tool = std::static_pointer_cast<KitTool>(editor->currentTool());
    }
    void TearDown() override {
        DispatchQueue::global().release();
        EditorTest::TearDown();
    }
    UIViewPtr indicator() const {
        for (const UIViewPtr& view : editor->view()->subviews()) {
            if (std::dynamic_pointer_cast<UIActivityIndicatorView>(view)) {
                return view;
            }
        }
        return nullptr;
    }

    static inline CLImageToolClassOf<KitTool> kitClass{"KitTool", ""};
    EditorPtr editor;
    std::shared_ptr<KitTool> tool;
};

}  // namespace

TEST_F(KitTest, StripSlidesInAndATapFlashesAndRendersTheSnapshotOnceAtATime) {
    EXPECT_EQ(tool->strip->presentationLayerTransform().m42, 80) << "starts below the screen";
    settle();
    EXPECT_EQ(tool->strip->frame(), (CGRect{0, 444, 320, 80})) << "where the editor's strip was";
    const auto items = tool->strip->subviews();
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ(items[1]->frame(), (CGRect{70, 0, 70, 80}));

    DispatchQueue::global().hold();
    tap(items[0]);
    EXPECT_DOUBLE_EQ(items[0]->presentationAlpha(), 0.2);
    tool->width = 99;
    tap(items[1]);
    EXPECT_DOUBLE_EQ(items[1]->presentationAlpha(), 1.0) << "dropped while busy: no flash";
    DispatchQueue::global().release();
    settle();
    EXPECT_EQ(editor->imageView()->image()->size().width, 20) << "rendered from the snapshot";

    tap(items[1]);
    settle();
    EXPECT_EQ(editor->imageView()->image()->size().width, 99) << "taken once the first ended";
}

TEST_F(KitTest, ResultsOfALeftToolOrOfSupersededRequestsAreNeverShown) {
    CLBackgroundRender latest = CLBackgroundRender::latestWins();
    std::vector<int> shown;
    Gate gates[3];
    for (int request = 0; request < 3; ++request) {
        latest.start(
            *tool, Wait::Preview,
            [&gate = gates[request], request] {
                gate.started.set_value();
                gate.opened.wait();
                return request;
            },
            [&shown](int result) { shown.push_back(result); });
        if (request < 2) {
            gates[request].started.get_future().wait();
        }
    }
    // Released newest first; the oldest ends last, after the newest was shown.
    gates[2].open.set_value();
    gates[1].open.set_value();
    gates[2].started.get_future().wait();
    gates[0].open.set_value();
    settle();
    EXPECT_EQ(shown, std::vector<int>{2});

    const UIImagePtr working = editor->originalImage();
    DispatchQueue::global().hold();
    tool->tapped(*tool->strip->subviews()[0]);
    editor->pushedCancelBtn();
    DispatchQueue::global().release();
    settle();
    EXPECT_EQ(editor->imageView()->image(), working);
}

TEST_F(KitTest, ARefusedRequestThatCatchesUpRendersNewestFirstOnceTheRunningEnds) {
    static std::atomic<bool> busy{false};
    CLBackgroundRender preview =
        CLBackgroundRender::dropWhileBusy(busy, CLBackgroundRender::Refused::CaughtUp);
    std::vector<int> shown;
    DispatchQueue::global().hold();
    for (int request = 0; request < 3; ++request) {
        preview.start(
            *tool, Wait::Preview, [request] { return request; },
            [&shown](int result) { shown.push_back(result); });
    }
    DispatchQueue::global().release();
    settle();
    EXPECT_EQ(shown, (std::vector<int>{0, 2})) << "the middle one was overtaken while refused";
    EXPECT_FALSE(busy);
}

TEST_F(KitTest, TheBusySignShowsOnlyForWorkThatRunsLongerThanTheDelay) {
    settle();
    DispatchQueue::global().hold();
    tool->tapped(*tool->strip->subviews()[0]);
    AnimationClock::shared().advance(CLBusySign::kDelay - 0.001);
    EXPECT_EQ(indicator(), nullptr);
    AnimationClock::shared().advance(0.002);
    const UIViewPtr shown = indicator();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->frame(), (CGRect{120, 222, 80, 80})) << "centred on the editor";
    DispatchQueue::global().release();
    drainMainQueueAndWaitForPool();
    EXPECT_EQ(indicator(), nullptr);

    DispatchQueue::global().hold();
    tool->tapped(*tool->strip->subviews()[0]);
    AnimationClock::shared().advance(CLBusySign::kDelay / 2);
    DispatchQueue::global().release();
    drainMainQueueAndWaitForPool();
    AnimationClock::shared().advance(1);
    EXPECT_EQ(indicator(), nullptr);
}
