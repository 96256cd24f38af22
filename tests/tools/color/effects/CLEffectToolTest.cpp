#include <gtest/gtest.h>

#include <functional>

#include "core/CLToolbarMenuItem.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "imaging/engine/CIRenderLog.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/window/UIWindow.h"
#include "tests/platform/ui/gestures/TouchScript.h"
#include "tests/tools/ToolTestSupport.h"
#include "tests/tools/color/effects/RecordedInputs.h"
#include "tools/ToolCatalogue.h"
#include "tools/color/effects/CLBloomEffect.h"
#include "tools/color/effects/CLEffectTool.h"
#include "tools/color/effects/CLHueEffect.h"
#include "tools/color/effects/CLPosterizeEffect.h"

namespace {

void slideTo(UISlider& slider, double value) {
    slider.setValue(value);
    slider.sendActionsForControlEvents(UIControlEventValueChanged);
}

// An editor on a phone-sized window with the effect tool started on a 1200 × 900 photo.
class CLEffectToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        ToolCatalogue::registerSharedClasses();
        AnimationClock::shared().setManualStepping(true);
        editor = std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(
            ZOZuzazOzaroz::createWithImage(rampPicture(1200, 900)));
        window->setRootViewController(editor);
        editor->loadViewIfNeeded();
        AnimationClock::shared().runToEnd();
        startTool();
    }

    void TearDown() override {
        DispatchQueue::global().release();
        drainMainQueueAndWaitForPool();
        AnimationClock::shared().runToEnd();
        AnimationClock::shared().setManualStepping(false);
    }

    void startTool() {
        editor->setupToolWithToolInfo(
            editor->toolInfo()->subToolInfoWithToolNameRecursive("CLEffectTool", false));
        tool = std::dynamic_pointer_cast<CLEffectTool>(editor->currentTool());
        ASSERT_NE(tool, nullptr);
        AnimationClock::shared().runToEnd();
    }

    std::shared_ptr<CLToolbarMenuItem> item(const std::string& effectClass) const {
        for (const auto& view : tool->menuScroll()->subviews()) {
            const auto candidate = std::dynamic_pointer_cast<CLToolbarMenuItem>(view);
            if (candidate && candidate->toolInfo()->toolName() == effectClass) {
                return candidate;
            }
        }
        ADD_FAILURE() << "no item " << effectClass;
        return nullptr;
    }

    // A finger on the item through the window's real touch path, once the last flash
    // is over (a flashing item takes no touches).
    void tap(const std::string& effectClass) {
        AnimationClock::shared().runToEnd();
        const auto target = item(effectClass);
        tool->menuScroll()->scrollRectToVisible(target->frame(), false);
        touches.tap(*target);
    }

    template <typename Effect>
    std::shared_ptr<Effect> selected() const {
        return std::dynamic_pointer_cast<Effect>(tool->selectedEffect());
    }

    // Does what the user does while the renders it starts wait, then lets them finish.
    static void whileRendersWait(const std::function<void()>& userActions) {
        DispatchQueue::global().hold();
        userActions();
        DispatchQueue::global().release();
        drainMainQueueAndWaitForPool();
        AnimationClock::shared().runToEnd();
    }

    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>();
    TouchScript touches{window};
    std::shared_ptr<_ZOZuzazOzarozViewController> editor;
    std::shared_ptr<CLEffectTool> tool;
};

}  // namespace

TEST_F(CLEffectToolTest, OpensWithNoneSelectedShowingTheDisplaySizeCopy) {
    drainMainQueueAndWaitForPool();
    EXPECT_TRUE(item("CLEffectBase")->isSelected());
    EXPECT_EQ(tool->selectedMenu(), item("CLEffectBase"));
    EXPECT_EQ(tool->menuScroll()->subviews().size(), 8u);
    EXPECT_EQ(editor->imageView()->image(), tool->thumbnailImage());
    EXPECT_LT(tool->thumbnailImage()->CGImage()->width(), 1200);
    EXPECT_LE(tool->thumbnailImage()->size().width, editor->scrollView()->frame().width());
    EXPECT_DOUBLE_EQ(editor->scrollView()->minimumZoomScale(),
                     editor->scrollView()->maximumZoomScale())
        << "zoom locked";
}

TEST_F(CLEffectToolTest, TappingTheSelectedItemAgainKeepsItsEffectAndValues) {
    tap("CLBloomEffect");
    const auto bloom = selected<CLBloomEffect>();
    ASSERT_NE(bloom, nullptr);
    bloom->radiusSlider()->setValue(0.8);
    tap("CLBloomEffect");
    EXPECT_DOUBLE_EQ(item("CLBloomEffect")->presentationAlpha(), 0.2) << "flashes";
    EXPECT_EQ(tool->selectedEffect(), bloom);
    EXPECT_DOUBLE_EQ(bloom->radiusSlider()->value(), 0.8);
}

TEST_F(CLEffectToolTest, SwitchingRemovesTheOldControlsFirstAndOnlyTheNewPreviewIsShown) {
    drainMainQueueAndWaitForPool();
    tap("CLHueEffect");
    const auto hue = selected<CLHueEffect>();
    slideTo(*hue->hueSlider(), 1.5);
    drainMainQueueAndWaitForPool();

    whileRendersWait([&] {
        tap("CLHueEffect");
        tap("CLPosterizeEffect");
        EXPECT_EQ(hue->containerView()->superview(), nullptr);
        EXPECT_TRUE(item("CLPosterizeEffect")->isSelected());
        EXPECT_FALSE(item("CLHueEffect")->isSelected());
        tap("CLHueEffect");
        EXPECT_NE(selected<CLHueEffect>(), hue) << "started afresh";
        EXPECT_EQ(selected<CLHueEffect>()->hueSlider()->value(), 0);
        tap("CLPosterizeEffect");
    });
    const UIImagePtr expected = tool->selectedEffect()->applyEffect(tool->thumbnailImage());
    EXPECT_EQ(pixelAt(editor->imageView()->image(), 20, 20), pixelAt(expected, 20, 20));
}

TEST_F(CLEffectToolTest, ControlChangesDuringARenderWaitAndTheNewestRendersAfterIt) {
    tap("CLPosterizeEffect");
    drainMainQueueAndWaitForPool();
    const auto posterize = selected<CLPosterizeEffect>();
    CIRenderLog::startRecording();
    whileRendersWait([&] {
        slideTo(*posterize->levelSlider(), -2);
        EXPECT_TRUE(CLEffectTool::isRendering());
        slideTo(*posterize->levelSlider(), -9);
    });
    EXPECT_FALSE(CLEffectTool::isRendering());
    const std::vector<CIRenderRecord> renders = CIRenderLog::stopRecording();
    ASSERT_EQ(renders.size(), 2u) << "one at a time";
    EXPECT_EQ(renders[0].filters.front().inputs.at("inputLevels").doubleValue(), 2);
    EXPECT_EQ(renders[1].filters.front().inputs.at("inputLevels").doubleValue(), 9);
}

TEST_F(CLEffectToolTest, OkWithNoneReturnsTheFullSizePictureUnchanged) {
    const UIImagePtr working = editor->originalImage();
    editor->pushedDoneBtn();
    drainMainQueueAndWaitForPool();
    EXPECT_EQ(editor->currentTool(), nullptr);
    EXPECT_EQ(editor->originalImage(), working);
}

TEST_F(CLEffectToolTest, PreviewsFinishingAfterBackOrOkNeverReachTheEditor) {
    tap("CLPosterizeEffect");
    drainMainQueueAndWaitForPool();
    const UIImagePtr working = editor->originalImage();
    whileRendersWait([&] {
        slideTo(*selected<CLPosterizeEffect>()->levelSlider(), -3);
        editor->pushedCancelBtn();
    });
    EXPECT_EQ(editor->imageView()->image(), working);

    startTool();
    tap("CLPosterizeEffect");
    drainMainQueueAndWaitForPool();
    whileRendersWait([&] {
        slideTo(*selected<CLPosterizeEffect>()->levelSlider(), -3);
        editor->pushedDoneBtn();
    });
    const UIImagePtr result = editor->originalImage();
    ASSERT_EQ(result->CGImage()->width(), 1200);
    EXPECT_EQ(editor->imageView()->image(), result);
}
