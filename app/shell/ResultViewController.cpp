#include "app/shell/ResultViewController.h"

#include "app/shell/VarnCommon.h"
#include "platform/ui/screens/UINavigationController.h"
#include "platform/ui/view/UILabel.h"

namespace {

constexpr double kBarTop = 44;
constexpr double kBarHeight = 52;
constexpr double kBottomMargin = 24;

}  // namespace

void ResultViewController::loadView() {
    UIViewController::loadView();
    const UIViewPtr& root = view();
    root->setBackgroundColor(UIColor::colorWithWhite(0.08, 1));
    const CGRect bounds = root->bounds();

    auto title = std::make_shared<UILabel>(CGRect(100, kBarTop, bounds.width() - 200, kBarHeight));
    title->setText("Your picture");
    title->setFont(UIFont::boldSystemFontOfSize(17));
    title->setTextColor(UIColor::whiteColor());
    title->setTextAlignment(NSTextAlignment::Center);
    title->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    root->addSubview(title);

    backButton_ =
        makeBarButton(CGRect(8, kBarTop, 90, kBarHeight), "Back", &ResultViewController::back);
    const auto share = makeBarButton(CGRect(bounds.width() - 98, kBarTop, 90, kBarHeight), "Share",
                                     &ResultViewController::saveAndShare);
    share->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    shareButton_ = share;

    const double top = kBarTop + kBarHeight + 8;
    auto display = std::make_shared<UIImageView>(
        CGRect(0, top, bounds.width(), bounds.height() - top - kBottomMargin));
    display->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                 UIViewAutoresizingFlexibleHeight);
    root->addSubview(display);
    imageDisplayView_ = display;
}

std::shared_ptr<UIButton> ResultViewController::makeBarButton(
    const CGRect& frame, const std::string& title, void (ResultViewController::*action)()) {
    auto button = std::make_shared<UIButton>(frame);
    button->setTitle(title, UIControlStateNormal);
    button->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    button->titleLabel()->setFont(UIFont::systemFontOfSize(17));
    const std::weak_ptr<ResultViewController> weak =
        std::static_pointer_cast<ResultViewController>(shared_from_this());
    button->addTarget(
        [weak, action](UIControl&) {
            if (const auto self = weak.lock()) {
                ((*self).*action)();
            }
        },
        UIControlEventTouchUpInside);
    view()->addSubview(button);
    return button;
}

void ResultViewController::setupData() {
    const auto display = imageDisplayView();
    display->setImage(image_);
    display->setContentMode(UIViewContentMode::ScaleAspectFit);
}

void ResultViewController::back() {
    if (const auto stack = navigationController()) {
        stack->popToRootViewControllerAnimated(true);
    }
}

void ResultViewController::saveAndShare() {
    if (!image_) {
        VarnCommon::showAlertTitle("Can't creat image", "Error");
        return;
    }
    VarnCommon::shareViaActivityControllerView({image_}, *this);
}
