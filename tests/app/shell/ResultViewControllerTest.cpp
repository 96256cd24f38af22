#include "app/shell/ResultViewController.h"
#include "app/shell/VarnCommon.h"
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
    popover->dismissPopoverAnimated(false);
    settle();
}
