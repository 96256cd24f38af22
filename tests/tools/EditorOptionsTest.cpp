#include <filesystem>
#include <fstream>

#include "core/UIViewCLImageToolInfo.h"
#include "platform/graphics/CGImage.h"
#include "platform/ui/screens/UIAlertView.h"
#include "platform/ui/screens/UINavigationController.h"
#include "tests/tools/ToolWindowFixture.h"
#include "tools/color/CLFilterTool.h"

namespace {

std::uint32_t centrePixel(const UIImagePtr& picture) {
    const CGImage& bitmap = *picture->CGImage();
    return reinterpret_cast<const std::uint32_t*>(
        bitmap.row(bitmap.height() / 2))[bitmap.width() / 2];
}

// The editor as the app opens it, with every option on.
class EditorOptionsTest : public ToolWindowTest {
protected:
    void SetUp() override {
        ToolWindowTest::SetUp();
        openEditor(samplePhoto(), UIWindow::kPhoneSize, ZOZuzazOzarozOptions::all());
        opening = editor->originalImage();
    }
    void applyInvert() {
        startTool(CLFilterTool::kClassName);
        const auto tool = std::static_pointer_cast<CLFilterTool>(editor->currentTool());
        clickStripItem(*tool->menuScroll(), "CLDefaultInvertFilter");
        QTest::keyClick(native(), Qt::Key_Return);
        settle();
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(native(), key, modifiers);
        settle();
    }
    void clickBarButtonNamed(const UIBarButtonItem& item) {
        click(centreOf(*editor->navigationBar()->buttonForItem(item)));
        settle();
    }
    UIBarButtonItemPtr barItem(std::size_t index) const {
        return editor->navigationBar()->topItem()->rightBarButtonItems().at(index);
    }

    UIImagePtr opening;
};

}  // namespace

TEST_F(EditorOptionsTest, UndoAndRedoFromTheBarAndTheKeyboard) {
    const auto redo = barItem(1);
    const auto undo = barItem(2);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    applyInvert();
    ASSERT_EQ(editor->currentTool(), nullptr) << "Return is OK in a tool";
    const UIImagePtr inverted = editor->originalImage();
    EXPECT_NE(centrePixel(inverted), centrePixel(opening));
    EXPECT_TRUE(undo->isEnabled());
    const auto png = UIImagePNGRepresentation(*window->snapshot());
    const auto shot = std::filesystem::temp_directory_path() / "editor-undo-bar.png";
    std::ofstream(shot, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));

    click(centreOf(*editor->navigationBar()->buttonForItem(*undo)));
    settle();
    EXPECT_EQ(centrePixel(editor->originalImage()), centrePixel(opening));
    EXPECT_EQ(editor->imageView()->image(), editor->originalImage());
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(editor->originalImage(), inverted);
    key(Qt::Key_Z, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(editor->originalImage(), inverted);

    startTool(CLFilterTool::kClassName);
    key(Qt::Key_Escape);
    EXPECT_EQ(editor->currentTool(), nullptr) << "Escape is Back in a tool";
    EXPECT_EQ(editor->originalImage(), inverted);
}

TEST_F(EditorOptionsTest, HoldingThePictureShowsTheOriginalUntilReleased) {
    applyInvert();
    const UIImagePtr inverted = editor->originalImage();
    const QPoint at = qt(centreOf(*editor->imageView()));
    QTest::mousePress(native(), Qt::LeftButton, {}, at);
    AnimationClock::shared().advance(0.2);
    EXPECT_FALSE(editor->compare()->isShowingOriginal()) << "not yet a hold";
    AnimationClock::shared().advance(0.15);
    EXPECT_EQ(editor->imageView()->image(), opening);
    EXPECT_NE(editor->compare()->label()->superview(), nullptr);
    QTest::mouseRelease(native(), Qt::LeftButton, {}, at);
    settle();
    EXPECT_EQ(editor->imageView()->image(), inverted);
    EXPECT_EQ(editor->compare()->label()->superview(), nullptr);

    // In a tool, the picture the tool started from.
    startTool(CLFilterTool::kClassName);
    const auto tool = std::static_pointer_cast<CLFilterTool>(editor->currentTool());
    clickStripItem(*tool->menuScroll(), "CLDefaultSepiaFilter");
    QTest::mousePress(native(), Qt::LeftButton, {}, at);
    AnimationClock::shared().advance(0.35);
    EXPECT_EQ(editor->imageView()->image(), inverted);
    QTest::mouseRelease(native(), Qt::LeftButton, {}, at);
    settle();
    EXPECT_NE(editor->imageView()->image(), inverted) << "the sepia preview again";
}

TEST_F(EditorOptionsTest, ADoubleClickZoomsToTheLargestScaleAndBackToTheFit) {
    const auto viewport = editor->scrollView();
    ASSERT_GT(viewport->maximumZoomScale(), viewport->minimumZoomScale());
    const QPoint at = qt(centreOf(*editor->imageView()));
    QTest::mouseDClick(native(), Qt::LeftButton, {}, at);
    settle();
    EXPECT_DOUBLE_EQ(viewport->zoomScale(), viewport->maximumZoomScale());
    QTest::mouseDClick(native(), Qt::LeftButton, {}, at);
    settle();
    EXPECT_DOUBLE_EQ(viewport->zoomScale(), viewport->minimumZoomScale());
}

namespace {

class CancelRecorder : public ZOZuzazOzarozDelegate {
public:
    int cancels = 0;
    bool imageEditorDidCancel(ZOZuzazOzaroz&) override {
        ++cancels;
        return true;
    }
};

std::string visibleAlertTitle() {
    const auto alert = UIAlertView::visibleAlert();
    return alert ? alert->title() : std::string();
}

}  // namespace

TEST_F(EditorOptionsTest, CancellingAsksOnlyWhenAppliedWorkWouldBeLost) {
    const auto recorder = std::make_shared<CancelRecorder>();
    editor->setDelegate(recorder);
    EXPECT_FALSE(editor->hasUnsavedWork());
    key(Qt::Key_Escape);
    EXPECT_EQ(recorder->cancels, 1) << "nothing to lose: Escape cancels at once";
    EXPECT_EQ(visibleAlertTitle(), "");

    applyInvert();
    EXPECT_TRUE(editor->hasUnsavedWork());
    key(Qt::Key_Escape);
    EXPECT_EQ(visibleAlertTitle(), "Discard your changes?");
    EXPECT_EQ(UIAlertView::visibleAlert()->buttonTitleAtIndex(0), "Keep editing");
    EXPECT_EQ(UIAlertView::visibleAlert()->buttonTitleAtIndex(1), "Discard");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(editor->hasUnsavedWork()) << "the question takes every key";
    key(Qt::Key_Escape);
    EXPECT_EQ(visibleAlertTitle(), "");
    EXPECT_EQ(recorder->cancels, 1) << "\"Keep editing\" stays";

    clickBarButtonNamed(*editor->navigationBar()->topItem()->leftBarButtonItem());
    ASSERT_EQ(visibleAlertTitle(), "Discard your changes?") << "the Cancel button asks too";
    click(centreOf(*UIAlertView::visibleAlert()->buttonAtIndex(1)));
    settle();
    EXPECT_EQ(recorder->cancels, 2) << "\"Discard\" cancels";

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(editor->hasUnsavedWork()) << "undone to the opening picture";
    key(Qt::Key_Escape);
    EXPECT_EQ(recorder->cancels, 3);
    EXPECT_EQ(visibleAlertTitle(), "");
}

TEST_F(EditorOptionsTest, TheSpaceBarHeldShowsTheOriginal) {
    applyInvert();
    const UIImagePtr inverted = editor->originalImage();
    QTest::keyPress(native(), Qt::Key_Space);
    settle();
    EXPECT_EQ(editor->imageView()->image(), opening);
    EXPECT_NE(editor->compare()->label()->superview(), nullptr);
    QTest::keyRelease(native(), Qt::Key_Space);
    settle();
    EXPECT_EQ(editor->imageView()->image(), inverted);
    EXPECT_EQ(editor->compare()->label()->superview(), nullptr);
}

TEST_F(EditorOptionsTest, ThePlainWheelZoomsTheFittedPictureAndScrollsItOnceZoomedIn) {
    const auto viewport = editor->scrollView();
    const CGPoint at = centreOf(*editor->imageView());
    // Far enough that the picture is taller than the viewport: 10 % a notch.
    wheel(at, 12, Qt::NoModifier);
    EXPECT_NEAR(viewport->zoomScale() / viewport->minimumZoomScale(), std::pow(1.1, 12), 0.01);
    const double zoomed = viewport->zoomScale();
    const CGPoint offset = viewport->contentOffset();
    wheel(at, -2, Qt::NoModifier);
    EXPECT_DOUBLE_EQ(viewport->zoomScale(), zoomed) << "zoomed in, the wheel scrolls";
    EXPECT_NE(viewport->contentOffset(), offset);
    pinch(at, -30);
    EXPECT_DOUBLE_EQ(viewport->zoomScale(), viewport->minimumZoomScale()) << "Ctrl+wheel pinches";
}

TEST_F(EditorOptionsTest, TheStacksBackButtonAsksWhenWorkWouldBeLost) {
    applyInvert();
    const auto photos = std::make_shared<UIViewController>();
    photos->setTitle("Photos");
    window->setRootViewController(std::make_shared<UINavigationController>(photos));
    const auto stack =
        std::static_pointer_cast<UINavigationController>(window->rootViewController());
    stack->pushViewController(editor, false);
    settle();
    ASSERT_EQ(stack->topViewController(), editor);
    const auto back = stack->navigationBar()->backButton();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->currentTitle(), "\u2039 Photos");
    click(centreOf(*back));
    settle();
    ASSERT_EQ(visibleAlertTitle(), "Discard your changes?");
    key(Qt::Key_Escape);
    EXPECT_EQ(stack->topViewController(), editor) << "\"Keep editing\"";
    click(centreOf(*stack->navigationBar()->backButton()));
    settle();
    key(Qt::Key_Return);
    EXPECT_EQ(stack->topViewController(), photos) << "\"Discard\" goes back";
}
