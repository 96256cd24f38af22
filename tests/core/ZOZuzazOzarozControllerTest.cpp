#include <gtest/gtest.h>

#include "core/ZOZuzazOzarozEditorClass.h"
#include "imaging/operations/BitmapRecycler.h"
#include "platform/ui/screens/UIApplication.h"
#include "platform/ui/screens/UIDevice.h"
#include "platform/ui/screens/UINavigationController.h"
#include "tests/core/EditorFixture.h"

namespace {

using testtools::solidPicture;
using testtools::toolLog;
using Log = std::vector<std::string>;

UIImagePtr photo() {
    static const UIImagePtr picture = solidPicture({2000, 1000}, UIColor::greenColor());
    return picture;
}

class RecordingDelegate : public ZOZuzazOzarozDelegate {
public:
    bool handles = true;
    Log heard;
    UIImagePtr finished;
    bool imageEditorDidFinishEdittingWithImage(ZOZuzazOzaroz&, const UIImagePtr& image) override {
        heard.push_back("finish");
        finished = image;
        return handles;
    }
    bool imageEditorDidCancel(ZOZuzazOzaroz&) override {
        heard.push_back("cancel");
        return handles;
    }
};

std::vector<double> itemLefts(const EditorPtr& editor) {
    std::vector<double> lefts;
    for (const UIViewPtr& item : editor->menuView()->subviews()) {
        lefts.push_back(item->frame().minX());
    }
    return lefts;
}

// An editor offering its first `shown` tools less `hidden`; the host disables the others.
EditorPtr editorShowing(std::size_t shown, std::optional<std::size_t> hidden = {}) {
    auto editor = std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(
        ZOZuzazOzaroz::create(testtools::editorRegistry()));
    const auto& tools = editor->toolInfo()->sortedSubtools();
    for (std::size_t i = 0; i < tools.size(); ++i) {
        tools[i]->setAvailable(i < shown && i != hidden);
    }
    editor->loadViewIfNeeded();
    return editor;
}

TEST_F(EditorTest, EveryCreationFormBuildsItsOwnToolTree) {
    const auto picture = solidPicture({40, 20}, UIColor::redColor());
    const auto editor = makeEditor(picture);
    ASSERT_NE(editor, nullptr) << "the facade makes the controller";
    const auto& root = editor->toolInfo();
    EXPECT_EQ(root->subtools().size(), 14u) << "CLImageToolBase itself is no tool";
    EXPECT_EQ(root->sortedSubtools().front()->toolName(), "CLFilterTool");
    EXPECT_NE(editor->originalImage(), picture) << "a deep copy";
    EXPECT_EQ(editor->originalImage()->size(), picture->size());

    const auto other = controllerOf(ZOZuzazOzaroz::create(testtools::editorRegistry()));
    EXPECT_NE(other->toolInfo(), root);
    EXPECT_EQ(other->originalImage(), nullptr);

    const auto delegate = std::make_shared<RecordingDelegate>();
    const auto waiting = ZOZuzazOzaroz::createWithDelegate(delegate, testtools::editorRegistry());
    EXPECT_EQ(waiting->delegate(), delegate);
    EXPECT_EQ(controllerOf(waiting)->transitionDelegate(), nullptr);

    const auto* editorClass = dynamic_cast<const ZOZuzazOzarozEditorClass*>(
        testtools::editorRegistry().classNamed(CLImageToolInfo::kEditorClassName));
    ASSERT_NE(editorClass, nullptr) << "the editor's class is registrable";
    EXPECT_EQ(editorClass->createTool(editor, root), nullptr);
}

TEST_F(EditorTest, StripSpreadsFewItemsAndScrollsMany) {
    struct Case {
        std::size_t shown;
        std::vector<double> lefts;
        double contentWidth;
    };
    for (const Case& expected : {
             Case{2, {0, 70}, 321},
             Case{3, {27.5, 125, 222.5}, 321},
             Case{4, {8, 86, 164, 242}, 321},
         }) {
        const auto editor = editorShowing(expected.shown);
        EXPECT_EQ(itemLefts(editor), expected.lefts) << expected.shown << " items";
        EXPECT_EQ(editor->menuView()->contentSize().width, expected.contentWidth);
    }
    const auto thirteen = editorShowing(13);
    const auto lefts = itemLefts(thirteen);
    ASSERT_EQ(lefts.size(), 13u);
    EXPECT_EQ(lefts[12], 12 * 70.0);
    EXPECT_EQ(thirteen->menuView()->contentSize().width, 910);
    const auto& strip = *thirteen->menuView();
    EXPECT_EQ(strip.frame(), (CGRect{0, 444, 320, 80}));
    EXPECT_EQ(strip.subviews().front()->frame().size, (CGSize{70, 80}));

    // A tool the host disabled in the middle leaves no hole.
    const auto editor = editorShowing(4, 1);
    EXPECT_EQ(itemLefts(editor), (std::vector<double>{27.5, 125, 222.5}));
    EXPECT_EQ(UIViewCLImageToolInfo::toolInfo(*editor->menuView()->subviews()[1]),
              editor->toolInfo()->sortedSubtools()[2]);

    editor->setMenuView();
    EXPECT_EQ(editor->menuView()->subviews().size(), 3u) << "laid out again, not added to";
}

TEST_F(EditorTest, TitleAndBarsInMenuMode) {
    const auto editor = presentEditor(photo());
    EXPECT_EQ(editor->title(), "Edit");
    editor->setTitle("Retouch");
    EXPECT_EQ(editor->toolInfo()->title(), "Retouch");
    EXPECT_EQ(editor->navigationItem()->title(), "Retouch");

    const auto bar = editor->navigationBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->superview(), editor->view());
    EXPECT_EQ(bar->frame(), (CGRect{0, 0, 320, 44}));
    EXPECT_EQ(bar->topItem()->title(), "Edit");
    EXPECT_EQ(bar->topItem()->rightBarButtonItem()->title(), "Done");
    EXPECT_FALSE(bar->topItem()->rightBarButtonItem()->isSystemItem()) << "from the tables";
    EXPECT_TRUE(bar->topItem()->leftBarButtonItem()->isSystemItem());
    EXPECT_EQ(bar->barPosition(), UIBarPosition::TopAttached);
    EXPECT_EQ(editor->scrollView()->frame(), (CGRect{0, 44, 320, 400}));
    EXPECT_EQ(editor->view()->backgroundColor(), UIColor::whiteColor());

    // Without a resource bundle the platform's own "Done" stands in.
    NSBundle::setMainBundlePath("/nonexistent");
    const auto bare = controllerOf(ZOZuzazOzaroz::create(testtools::editorRegistry()));
    bare->loadViewIfNeeded();
    EXPECT_TRUE(bare->navigationBar()->topItem()->rightBarButtonItem()->isSystemItem());
}

TEST_F(EditorTest, AToolTakesOverTheScreenAndOkAppliesItsPicture) {
    const auto editor = presentEditor(photo());
    startTool(editor, "PictureTool");
    const auto tool = editor->currentTool();
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(editor->isCurrentTool(*tool));
    EXPECT_EQ(toolLog(), (Log{"PictureTool setup"}));
    EXPECT_EQ(tool->editor(), editor);
    EXPECT_EQ(editor->menuView()->frame().minY(), 524) << "the strip slid below the screen";
    const auto bar = editor->navigationBar();
    EXPECT_EQ(bar->topItem()->title(), "Picture");
    EXPECT_EQ(bar->topItem()->rightBarButtonItem()->title(), "OK");
    EXPECT_EQ(bar->topItem()->leftBarButtonItem()->title(), "Back");

    editor->setupToolWithToolInfo(
        editor->toolInfo()->subToolInfoWithToolNameRecursive("SilentTool", false));
    EXPECT_EQ(editor->currentTool(), tool) << "one tool at a time";

    tap(barButton(editor, true));
    settle();
    EXPECT_EQ(editor->currentTool(), nullptr);
    EXPECT_FALSE(editor->isCurrentTool(*tool));
    EXPECT_EQ(editor->originalImage(), testtools::toolResult());
    EXPECT_EQ(editor->imageView()->image(), testtools::toolResult());
    EXPECT_EQ(toolLog(), (Log{"PictureTool setup", "PictureTool cleanup"}));
    EXPECT_EQ(editor->menuView()->frame().minY(), 444);
    EXPECT_EQ(bar->topItem()->title(), "Edit");
    EXPECT_EQ(bar->items().size(), 1u);
    EXPECT_EQ(editor->imageView()->frame(), (CGRect{0, 120, 320, 160}))
        << "the 60 x 30 result fitted at zoom 1";
    EXPECT_TRUE(editor->view()->isUserInteractionEnabled());
}

TEST_F(EditorTest, OkWithAnErrorOrNothingKeepsTheTool) {
    const auto editor = presentEditor(photo());
    startTool(editor, "ErrorTool");
    editor->pushedDoneBtn();
    settle();
    const auto alerts = UIAlertView::visibleAlerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]->title(), "Error");
    EXPECT_EQ(alerts[0]->message(), "Can't render");
    EXPECT_EQ(alerts[0]->numberOfButtons(), 1);
    EXPECT_EQ(alerts[0]->buttonTitleAtIndex(0), "OK");
    ASSERT_NE(editor->currentTool(), nullptr);
    EXPECT_EQ(editor->currentTool()->toolClass().name(), "ErrorTool");
    EXPECT_EQ(editor->navigationBar()->topItem()->title(), "DefaultTitle");
    EXPECT_EQ(editor->originalImage()->size(), photo()->size());
    EXPECT_TRUE(editor->view()->isUserInteractionEnabled());
    alerts[0]->dismissWithClickedButtonIndex(0, false);

    editor->pushedCancelBtn();
    settle();
    startTool(editor, "SilentTool");
    editor->pushedDoneBtn();
    settle();
    EXPECT_TRUE(UIAlertView::visibleAlerts().empty());
    ASSERT_NE(editor->currentTool(), nullptr) << "no picture, no change";
    EXPECT_EQ(toolLog(), (Log{"ErrorTool setup", "ErrorTool cleanup", "SilentTool setup"}));
    EXPECT_TRUE(editor->view()->isUserInteractionEnabled());
}

TEST_F(EditorTest, BackShowsTheWorkingPictureAndTheBaseResultIsThePreview) {
    const auto editor = presentEditor(photo());
    const auto working = editor->originalImage();
    startTool(editor, "PreviewTool");
    EXPECT_EQ(editor->imageView()->image(), testtools::toolPreview());
    tap(barButton(editor, false));
    settle();
    EXPECT_EQ(editor->currentTool(), nullptr);
    EXPECT_EQ(editor->imageView()->image(), working);
    EXPECT_EQ(editor->imageView()->frame(), (CGRect{0, 120, 320, 160}));

    startTool(editor, "PreviewTool");
    editor->pushedDoneBtn();
    settle();
    EXPECT_EQ(editor->currentTool(), nullptr);
    EXPECT_EQ(editor->originalImage(), testtools::toolPreview());
    const CGRect fitted = editor->imageView()->frame();
    EXPECT_NEAR(fitted.minX(), 60, 1e-9) << "30 x 60 fitted: 200 x 400, centred";
    EXPECT_NEAR(fitted.minY(), 0, 1e-9);
    EXPECT_NEAR(fitted.width(), 200, 1e-9);
    EXPECT_NEAR(fitted.height(), 400, 1e-9);
}

TEST_F(EditorTest, TouchesAreIgnoredWhileAToolRendersAndLateResultsAreDropped) {
    const auto editor = presentEditor(photo());
    startTool(editor, "BackgroundTool");
    DispatchQueue::global().hold();
    tap(barButton(editor, true));
    EXPECT_FALSE(editor->view()->isUserInteractionEnabled());
    tap(barButton(editor, false));
    settle();
    EXPECT_NE(editor->currentTool(), nullptr) << "\"Back\" was not heard while rendering";
    DispatchQueue::global().release();
    settle();
    EXPECT_EQ(editor->currentTool(), nullptr);
    EXPECT_EQ(editor->originalImage(), testtools::toolResult())
        << "the worker's completion reached the main thread";
    EXPECT_TRUE(editor->view()->isUserInteractionEnabled());

    // A result that comes back after its tool was left must not touch the editor.
    startTool(editor, "BackgroundTool");
    const auto leftTool = editor->currentTool();
    DispatchQueue::global().hold();
    editor->pushedDoneBtn();
    editor->setCurrentTool(nullptr);
    editor->setOriginalImage(photo());
    DispatchQueue::global().release();
    settle();
    EXPECT_FALSE(editor->isCurrentTool(*leftTool));
    EXPECT_EQ(editor->originalImage(), photo());
    EXPECT_TRUE(editor->view()->isUserInteractionEnabled());
}

TEST_F(EditorTest, FinishAndCancelGoToTheDelegateOrDismissTheEditor) {
    const auto delegate = std::make_shared<RecordingDelegate>();
    auto editor = presentEditor(photo(), delegate);
    tap(barButton(editor, true));
    tap(barButton(editor, false));
    settle();
    EXPECT_EQ(delegate->heard, (Log{"finish", "cancel"}));
    EXPECT_EQ(delegate->finished, editor->originalImage());
    EXPECT_EQ(host->presentedViewController(), editor) << "the delegate dismisses";

    delegate->handles = false;
    editor->pushedFinishBtn();
    settle();
    EXPECT_EQ(host->presentedViewController(), nullptr) << "unhandled: the editor goes";

    editor = presentEditor(photo());
    editor->pushedCloseBtn();
    settle();
    EXPECT_EQ(host->presentedViewController(), nullptr) << "no delegate: the editor goes";
}

TEST_F(EditorTest, AClosedEditorLeavesNoRenderBitmapBehind) {
    auto editor = presentEditor(photo());
    // A full-size render's bitmap, let go: kept for the next render.
    BitmapRecycler::create(2000, 1000).reset();
    ASSERT_GT(BitmapRecycler::keptBytes(), 0u);
    editor->pushedCloseBtn();
    settle();
    editor.reset();
    EXPECT_EQ(BitmapRecycler::keptBytes(), 0u);
}

TEST_F(EditorTest, InANavigationStackTheOwnBarComesDownInToolMode) {
    auto editor = makeEditor(photo());
    const auto navigation = std::make_shared<UINavigationController>(host);
    window->setRootViewController(navigation);
    navigation->pushViewController(editor, false);
    settle();
    const auto bar = editor->navigationBar();
    const auto& stackBar = navigation->navigationBar();
    EXPECT_EQ(bar->superview(), navigation->view());
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(bar->frame(), stackBar->frame());
    EXPECT_FALSE(navigation->interactivePopGestureRecognizer()->isEnabled());
    EXPECT_EQ(editor->navigationItem()->rightBarButtonItem()->title(), "Done");
    EXPECT_EQ(editor->scrollView()->frame().minY(), stackBar->frame().maxY());
    const CGRect stackBarFrame = stackBar->frame();

    startTool(editor, "PictureTool");
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->frame(), stackBarFrame);
    EXPECT_EQ(stackBar->transform(), CGAffineTransform::makeTranslation(0, -64));
    EXPECT_EQ(bar->topItem()->title(), "Picture");

    editor->pushedCancelBtn();
    settle();
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(bar->transform(), CGAffineTransform::identity());
    EXPECT_EQ(stackBar->transform(), CGAffineTransform::identity());
    EXPECT_TRUE(bar->items().empty());

    startTool(editor, "PictureTool");
    EXPECT_EQ(bar->items().size(), 1u) << "no item left over from the last tool";
    editor->pushedCancelBtn();
    settle();

    // Removing the editor takes its bar away.
    const std::weak_ptr<UINavigationBar> ownBar = bar;
    navigation->popViewControllerAnimated(false);
    settle();
    editor.reset();
    EXPECT_TRUE(ownBar.expired() || ownBar.lock()->superview() == nullptr);
}

}  // namespace

// A 320 x 568 phone under a 20-point status bar.
class PhoneUnderStatusBar : public EditorTest {
protected:
    PhoneUnderStatusBar() : EditorTest(screenOf({320, 568})) {}
    static CGRect screenOf(CGSize size) {
        UIDevice::currentDevice().setScreenSize(size);
        return UIDevice::currentDevice().screenBounds();
    }
    void TearDown() override {
        UIApplication::sharedApplication().setStatusBarHeight(0);
        UIDevice::currentDevice().setScreenSize(std::nullopt);
        EditorTest::TearDown();
    }
};

TEST_F(PhoneUnderStatusBar, TheBarSitsUnderTheStatusBarAndTheViewportBelowIt) {
    UIApplication::sharedApplication().setStatusBarHeight(20);
    const auto editor = presentEditor(photo());
    EXPECT_EQ(editor->navigationBar()->frame().minY(), 20);
    EXPECT_EQ(editor->scrollView()->frame(), (CGRect{0, 64, 320, 424}));
}
