#include "platform/ui/screens/UIToast.h"

#include <algorithm>

#include "platform/ui/window/UIWindow.h"

namespace {

constexpr double kSideMargin = 24;
constexpr double kPadding = 12;
constexpr double kMaximumWidth = 480;

std::weak_ptr<UILabel>& shownToast() {
    static std::weak_ptr<UILabel> toast;
    return toast;
}

std::shared_ptr<UILabel> makeToast(const std::string& message, const CGRect& area) {
    auto toast = std::make_shared<UILabel>();
    toast->setText(message);
    toast->setFont(UIFont::systemFontOfSize(15));
    toast->setTextColor(UIColor::whiteColor());
    toast->setTextAlignment(NSTextAlignment::Center);
    toast->setNumberOfLines(0);
    toast->setBackgroundColor(UIColor::colorWithWhite(0.1, 0.85));
    toast->layer().setCornerRadius(10);
    toast->layer().setMasksToBounds(true);
    toast->setUserInteractionEnabled(false);
    const double widest = std::min(kMaximumWidth, area.width() - 2 * kSideMargin);
    const CGSize text = toast->sizeThatFits({widest - 2 * kPadding, 0});
    const CGSize box{std::min(widest, text.width + 2 * kPadding), text.height + 2 * kPadding};
    toast->setFrame({area.midX() - box.width / 2, area.maxY() - UIToast::kBottomMargin - box.height,
                     box.width, box.height});
    toast->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin |
                               UIViewAutoresizingFlexibleRightMargin |
                               UIViewAutoresizingFlexibleTopMargin);
    return toast;
}

}  // namespace

std::shared_ptr<UILabel> UIToast::show(const std::string& message, double seconds) {
    const auto window = UIWindow::keyWindow();
    if (!window) {
        return nullptr;
    }
    if (const auto previous = visibleToast()) {
        previous->removeFromSuperview();
    }
    auto toast = makeToast(message, window->bounds());
    window->addSubview(toast);
    shownToast() = toast;
    toast->setAlpha(0);
    const std::weak_ptr<UILabel> weak = toast;
    UIView::animate(
        kFadeDuration, [&] { toast->setAlpha(1); },
        [weak, seconds](bool) {
            const auto shown = weak.lock();
            if (!shown) {
                return;
            }
            UIView::animate(
                kFadeDuration, seconds, 0, [&] { shown->setAlpha(0); },
                [weak](bool) {
                    if (const auto faded = weak.lock()) {
                        faded->removeFromSuperview();
                    }
                });
        });
    return toast;
}

std::shared_ptr<UILabel> UIToast::visibleToast() {
    const auto toast = shownToast().lock();
    return toast && toast->superview() ? toast : nullptr;
}
