#include <gtest/gtest.h>

#include "core/CLToolbarMenuItem.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "imaging/engine/CIRenderLog.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "imaging/operations/UIImageUtility.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIScreen.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/window/UIWindow.h"
#include "tests/platform/ui/gestures/TouchScript.h"
#include "tests/tools/ToolTestSupport.h"
#include "tools/ToolCatalogue.h"
#include "tools/color/CLFilterTool.h"

namespace {

// An editor on a phone-sized window with the filter tool started.
class CLFilterToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        ToolCatalogue::registerSharedClasses();
        UIScreen::setScale(2);
        AnimationClock::shared().setManualStepping(true);
    }

    void TearDown() override {
        DispatchQueue::global().release();
        drainMainQueueAndWaitForPool();
        AnimationClock::shared().runToEnd();
        UIDeviceSystemVersion::setSystemVersion(UIDeviceSystemVersion::kDefaultSystemVersion);
        AnimationClock::shared().setManualStepping(false);
    }

    void openFilterTool(const UIImagePtr& picture) {
        auto created = ZOZuzazOzaroz::createWithImage(picture);
        editor = std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(created);
        window = std::make_shared<UIWindow>();
        window->setRootViewController(editor);
        touches = std::make_unique<TouchScript>(window);
        editor->loadViewIfNeeded();
        AnimationClock::shared().runToEnd();
        startTool();
    }

    void startTool() {
        editor->setupToolWithToolInfo(
            editor->toolInfo()->subToolInfoWithToolNameRecursive("CLFilterTool", false));
        tool = std::dynamic_pointer_cast<CLFilterTool>(editor->currentTool());
        ASSERT_NE(tool, nullptr);
        AnimationClock::shared().runToEnd();
    }

    std::vector<std::shared_ptr<CLToolbarMenuItem>> items() const {
        std::vector<std::shared_ptr<CLToolbarMenuItem>> found;
        for (const auto& view : tool->menuScroll()->subviews()) {
            if (auto item = std::dynamic_pointer_cast<CLToolbarMenuItem>(view)) {
                found.push_back(item);
            }
        }
        return found;
    }

    std::shared_ptr<CLToolbarMenuItem> item(const std::string& title) const {
        for (const auto& candidate : items()) {
            if (candidate->title() == title) {
                return candidate;
            }
        }
        ADD_FAILURE() << "no item " << title;
        return nullptr;
    }

    // A finger on the item through the window's real touch path, the strip scrolled to
    // show it first.
    void tap(const std::shared_ptr<CLToolbarMenuItem>& item) {
        tool->menuScroll()->scrollRectToVisible(item->frame(), false);
        const CGPoint at = item->convertPointToView(
            {item->bounds().width() / 2, item->bounds().height() / 2}, window.get());
        touches->wait(1).down(1, at).up(1, at);
    }

    std::shared_ptr<UIWindow> window;
    std::shared_ptr<_ZOZuzazOzarozViewController> editor;
    std::shared_ptr<CLFilterTool> tool;
    std::unique_ptr<TouchScript> touches;
};

}  // namespace

TEST_F(CLFilterToolTest, StripShowsTheCatalogueWithThumbnailsFromTheSmallCopy) {
    CIRenderLog::startRecording();
    openFilterTool(rampPicture(800, 600));
    drainMainQueueAndWaitForPool();
    const std::vector<CIRenderRecord> renders = CIRenderLog::stopRecording();

    const auto strip = items();
    ASSERT_EQ(strip.size(), 14u);
    EXPECT_DOUBLE_EQ(tool->menuScroll()->contentSize().width, 14 * 70);
    for (std::size_t i = 0; i < strip.size(); ++i) {
        EXPECT_DOUBLE_EQ(strip[i]->frame().origin.x, 70.0 * i);
        ASSERT_NE(strip[i]->iconImage(), nullptr) << strip[i]->title();
        EXPECT_EQ(strip[i]->iconImage()->CGImage()->width(), 100) << strip[i]->title();
    }
    EXPECT_EQ(renders.size(), 13u);
    for (const CIRenderRecord& render : renders) {
        EXPECT_EQ(render.rect.size.width, 100);
        EXPECT_EQ(render.rect.size.height, 100);
    }
}

TEST_F(CLFilterToolTest, OlderSystemsShowFewerFiltersPackedAndTheStripStillScrolls) {
    UIDeviceSystemVersion::setSystemVersion("6.0");
    openFilterTool(rampPicture(80, 60));
    const auto strip = items();
    ASSERT_EQ(strip.size(), 3u);
    EXPECT_DOUBLE_EQ(strip[2]->frame().origin.x, 140);
    EXPECT_DOUBLE_EQ(tool->menuScroll()->contentSize().width,
                     tool->menuScroll()->frame().size.width + 1);
}

TEST_F(CLFilterToolTest, NoneAndAnEarlyOkGiveTheVeryPictureTheToolStartedWith) {
    openFilterTool(rampPicture(120, 90));
    const UIImagePtr started = tool->originalImage();
    EXPECT_EQ(started, editor->imageView()->image());
    tap(item("Invert"));
    drainMainQueueAndWaitForPool();
    EXPECT_NE(editor->imageView()->image(), started);
    tap(item("None"));
    drainMainQueueAndWaitForPool();
    EXPECT_EQ(editor->imageView()->image(), started);

    UIImagePtr handedBack;
    tool->executeWithCompletionBlock(
        [&](UIImagePtr image, std::optional<CLImageToolError> error, ValueDictionary) {
            handedBack = image;
            EXPECT_FALSE(error);
        });
    EXPECT_EQ(handedBack, started);
}

TEST_F(CLFilterToolTest, ASecondTapWhileRenderingDoesNothingAndOkKeepsTheFullSizeSepia) {
    openFilterTool(rampPicture(1200, 900));
    DispatchQueue::global().hold();
    tap(item("Sepia"));
    EXPECT_TRUE(CLFilterTool::isRendering());
    EXPECT_DOUBLE_EQ(item("Sepia")->presentationAlpha(), 0.2);
    AnimationClock::shared().runToEnd();
    tap(item("Invert"));
    EXPECT_DOUBLE_EQ(item("Invert")->presentationAlpha(), 1.0);
    DispatchQueue::global().release();
    drainMainQueueAndWaitForPool();
    EXPECT_FALSE(CLFilterTool::isRendering());
    const UIImagePtr sepia = editor->imageView()->image();
    ASSERT_EQ(sepia->CGImage()->width(), 1200);
    EXPECT_EQ(sepia->CGImage()->height(), 900);
    EXPECT_EQ(pixelAt(sepia, 600, 450), pixelAt(CLFilterTool::filteredImageWithToolName(
                                                    tool->originalImage(), "CLDefaultSepiaFilter"),
                                                600, 450));

    editor->pushedDoneBtn();
    drainMainQueueAndWaitForPool();
    AnimationClock::shared().runToEnd();
    EXPECT_EQ(editor->currentTool(), nullptr);
    EXPECT_EQ(editor->originalImage(), sepia);
}

TEST_F(CLFilterToolTest, RendersFinishingAfterBackOrOkNeverReachTheEditor) {
    openFilterTool(rampPicture(120, 90));
    const UIImagePtr working = editor->originalImage();
    DispatchQueue::global().hold();
    tap(item("Invert"));
    editor->pushedCancelBtn();
    DispatchQueue::global().release();
    drainMainQueueAndWaitForPool();
    AnimationClock::shared().runToEnd();
    EXPECT_EQ(editor->imageView()->image(), working);

    startTool();
    DispatchQueue::global().hold();
    tap(item("Invert"));
    editor->pushedDoneBtn();
    DispatchQueue::global().release();
    drainMainQueueAndWaitForPool();
    AnimationClock::shared().runToEnd();
    EXPECT_EQ(editor->originalImage(), working);
    EXPECT_EQ(editor->imageView()->image(), working);
}

TEST_F(CLFilterToolTest, TheItemOfTheFilterShownIsMarked) {
    openFilterTool(rampPicture(120, 90));
    EXPECT_TRUE(item("None")->isSelected());
    tap(item("Sepia"));
    drainMainQueueAndWaitForPool();
    EXPECT_TRUE(item("Sepia")->isSelected());
    EXPECT_FALSE(item("None")->isSelected());
}
