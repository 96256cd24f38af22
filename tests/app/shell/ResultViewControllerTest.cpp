#include "app/shell/ResultViewController.h"
#include "app/shell/VarnCommon.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "platform/ui/screens/UIApplication.h"
#include "platform/ui/screens/UIToast.h"
#include "platform/ui/sharing/UIPopoverController.h"
#include "platform/ui/view/UILabel.h"
#include "tests/app/shell/AppTestSupport.h"

namespace {

bool showsText(const UIViewPtr& root, const std::string& text) {
    for (const UIViewPtr& child : root->allSubviews()) {
        const auto label = std::dynamic_pointer_cast<UILabel>(child);
        if ((label && label->text() == text && !label->isHidden()) || showsText(child, text)) {
            return true;
        }
    }
    return false;
}

UIImagePtr picture() {
    auto bitmap = CGImage::create(30, 20, CGPixelFormat::RGB32);
    return UIImage::imageWithCGImage(bitmap);
}

class ResultViewControllerTest : public AppFixture {
protected:
    std::shared_ptr<ResultViewController> showResult(const UIImagePtr& image) {
        auto result = std::make_shared<ResultViewController>();
        result->setImage(image);
        stack()->pushViewController(result, false);
        settle();
        return result;
    }
};

}  // namespace

TEST_F(ResultViewControllerTest, WithoutAPictureSharingSaysSo) {
    showResult(nullptr)->saveAndShare();
    settle();
    EXPECT_TRUE(showsText(app_.window(), "Error"));
    EXPECT_TRUE(showsText(app_.window(), "Can't creat image"));
    EXPECT_EQ(stack()->presentedViewController(), nullptr);
}

TEST_F(ResultViewControllerTest, OnATabletTheShareSheetIsAPopoverAQuarterDown) {
    UIDevice::currentDevice().setUserInterfaceIdiom(UIUserInterfaceIdiom::Pad);
    AppDelegate tablet;
    tablet.applicationDidFinishLaunchingWithOptions();
    const auto tabletStack =
        std::dynamic_pointer_cast<UINavigationController>(tablet.window()->rootViewController());
    auto result = std::make_shared<ResultViewController>();
    result->setImage(picture());
    tabletStack->pushViewController(result, false);
    settle();

    const auto sheet = VarnCommon::shareViaActivityControllerView({result->image()}, *result);
    settle();
    const auto popover = UIPopoverController::popoverContaining(*sheet);
    ASSERT_NE(popover, nullptr);
    EXPECT_EQ(tabletStack->presentedViewController(), nullptr);
    const CGRect screen = UIDevice::currentDevice().screenBounds();
    const CGRect box = popover->popoverView()->frame();
    EXPECT_NEAR(box.midX(), screen.width() / 2, 1);
    EXPECT_EQ(popover->popoverArrowDirection(), UIPopoverArrowDirectionUp);
    EXPECT_GE(box.origin.y, screen.height() / 4);
    EXPECT_LE(box.origin.y, screen.height() / 4 + 2 * UIPopoverController::kArrowSize);
    QTest::keyClick(tablet.window()->nativeWindow(), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(popover->isPopoverVisible()) << "Escape closes it";
}

TEST_F(ResultViewControllerTest, CtrlSSavesToPhotosAndBackThenLeavesWithoutAsking) {
    const auto result = showResult(picture());
    EXPECT_TRUE(result->hasUnsavedWork());
    DispatchQueue::global().hold();
    QTest::keyClick(app_.window()->nativeWindow(), Qt::Key_S, Qt::ControlModifier);
    drainMainQueueAndWaitForPool();
    EXPECT_TRUE(result->busySign()->isAnimating()) << "saved off the main thread";
    DispatchQueue::global().release();
    drainMainQueueAndWaitForPool();
    EXPECT_FALSE(result->busySign()->isAnimating());
    const std::vector<std::string> saved = PhotoLibrary::picturePaths();
    ASSERT_EQ(saved.size(), 1u);
    ASSERT_NE(UIToast::visibleToast(), nullptr);
    EXPECT_EQ(UIToast::visibleToast()->text(),
              "Saved to " + library_.filename().string() + "/" +
                  std::filesystem::path(saved[0]).filename().string());
    EXPECT_FALSE(result->hasUnsavedWork());
    result->back();
    settle();
    EXPECT_EQ(alertTitle(), "");
    EXPECT_EQ(stack()->topViewController(), begin());
}

TEST_F(ResultViewControllerTest,
       EscapeClosesTheShareSheetAndCtrlQOrClosingAsksBeforeQuittingWithUnsavedWork) {
    int quits = 0;
    UIApplication::sharedApplication().setTerminationHandler([&] { ++quits; });
    const auto result = showResult(picture());
    result->saveAndShare();
    settle();
    ASSERT_NE(stack()->presentedViewController(), nullptr);
    key(Qt::Key_Escape);
    EXPECT_EQ(stack()->presentedViewController(), nullptr);

    key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(alertTitle(), "Discard your changes?");
    key(Qt::Key_Escape);
    EXPECT_EQ(quits, 0) << "\"Keep editing\"";
    key(Qt::Key_Q, Qt::ControlModifier);
    key(Qt::Key_Return);
    EXPECT_EQ(quits, 1) << "\"Discard\" quits";

    EXPECT_FALSE(app_.window()->nativeWindow()->close()) << "the title bar's close asks too";
    EXPECT_EQ(alertTitle(), "Discard your changes?");
    key(Qt::Key_Return);
    EXPECT_EQ(quits, 2);

    result->back();
    settle();
    key(Qt::Key_Return);
    EXPECT_TRUE(app_.window()->shouldClose());
    key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 3) << "nothing to lose: quits at once";
    UIApplication::sharedApplication().setTerminationHandler({});
}

TEST_F(ResultViewControllerTest, EditOpensTheEditorOnTheResultAndItsResultReplacesIt) {
    const auto result = showResult(picture());
    result->saveToPhotos();
    settle();
    EXPECT_FALSE(result->hasUnsavedWork());
    result->edit();
    settle();
    const auto editor =
        std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(result->presentedViewController());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->originalImage()->size(), result->image()->size());
    QTest::keyClick(app_.window()->nativeWindow(), Qt::Key_S, Qt::ControlModifier);
    settle();
    EXPECT_EQ(PhotoLibrary::picturePaths().size(), 1u) << "no Ctrl+S under the editor";

    // An applied tool, then Return (the editor's "Done").
    editor->setupToolWithToolInfo(
        editor->toolInfo()->subToolInfoWithToolNameRecursive("CLRotateTool", true));
    key(Qt::Key_Return);
    const UIImagePtr edited = editor->originalImage();
    ASSERT_TRUE(editor->hasUnsavedWork());
    key(Qt::Key_Return);
    EXPECT_EQ(result->presentedViewController(), nullptr);
    EXPECT_EQ(result->image(), edited);
    EXPECT_EQ(result->imageDisplayView()->image(), edited);
    EXPECT_TRUE(result->hasUnsavedWork()) << "the new picture is not saved yet";
}

// The checkerboard shows under a picture with transparent pixels only, and only where the
// fitted picture lies, not in the letterbox around it; it follows a new size.
TEST_F(ResultViewControllerTest, TransparentAreasShowTheCheckerboardUnderThePictureOnly) {
    auto bitmap = CGImage::create(30, 20, CGPixelFormat::ARGB32Premultiplied);
    const auto opaque = showResult(picture());
    EXPECT_TRUE(opaque->checkerboardView()->isHidden());

    const auto clear = showResult(UIImage::imageWithCGImage(bitmap));
    ASSERT_FALSE(clear->checkerboardView()->isHidden());
    const CGRect display = clear->imageDisplayView()->frame();
    const CGRect under = clear->checkerboardView()->frame();
    EXPECT_DOUBLE_EQ(under.width(), display.width());
    EXPECT_NEAR(under.height(), display.width() * 2 / 3, 1e-9);
    EXPECT_NEAR(under.midY(), display.midY(), 1e-9);

    app_.window()->setFrame(CGRect{0, 0, 600, 500});
    app_.window()->layoutIfNeeded();
    const CGRect wide = clear->checkerboardView()->frame();
    EXPECT_DOUBLE_EQ(wide.height(), clear->imageDisplayView()->frame().height());
    EXPECT_NEAR(wide.width(), wide.height() * 3 / 2, 1e-9);
}
