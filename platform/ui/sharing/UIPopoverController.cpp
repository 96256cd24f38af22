#include "platform/ui/sharing/UIPopoverController.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/ui/window/UIWindow.h"

namespace {

constexpr double kCornerRadius = 10;

std::vector<UIPopoverControllerPtr>& shownPopovers() {
    static std::vector<UIPopoverControllerPtr> shown;
    return shown;
}

double clampedStart(double wanted, double length, double low, double high) {
    return std::max(low, std::min(wanted, high - length));
}

}  // namespace

UIPopoverController::UIPopoverController(std::shared_ptr<UIViewController> content)
    : content_(std::move(content)) {}

UIPopoverController::~UIPopoverController() = default;

CGSize UIPopoverController::popoverContentSize() const {
    if (contentSize_) {
        return *contentSize_;
    }
    if (content_) {
        const CGSize fitting = content_->view()->sizeThatFits(
            CGSize{kDefaultContentSize.width, kDefaultContentSize.height});
        if (fitting.width > 0 && fitting.height > 0) {
            return fitting;
        }
    }
    return kDefaultContentSize;
}

UIPopoverController::Placement UIPopoverController::place(const CGRect& anchor,
                                                          const CGRect& screen,
                                                          unsigned permitted) const {
    const CGSize size = popoverContentSize();
    const double minX = screen.minX() + kScreenMargin;
    const double maxX = screen.maxX() - kScreenMargin;
    const double minY = screen.minY() + kScreenMargin;
    const double maxY = screen.maxY() - kScreenMargin;
    const double centredX = clampedStart(anchor.midX() - size.width / 2, size.width, minX, maxX);
    const double centredY = clampedStart(anchor.midY() - size.height / 2, size.height, minY, maxY);
    const Placement candidates[] = {
        {{centredX, anchor.maxY() + kArrowSize, size.width, size.height},
         UIPopoverArrowDirectionUp},
        {{centredX, anchor.minY() - kArrowSize - size.height, size.width, size.height},
         UIPopoverArrowDirectionDown},
        {{anchor.maxX() + kArrowSize, centredY, size.width, size.height},
         UIPopoverArrowDirectionLeft},
        {{anchor.minX() - kArrowSize - size.width, centredY, size.width, size.height},
         UIPopoverArrowDirectionRight},
    };
    for (const Placement& candidate : candidates) {
        const CGRect& box = candidate.box;
        if ((permitted & candidate.arrow) && box.minX() >= minX - 0.5 && box.maxX() <= maxX + 0.5 &&
            box.minY() >= minY - 0.5 && box.maxY() <= maxY + 0.5) {
            return candidate;
        }
    }
    // Nowhere fits whole: hang it below, kept on the screen.
    return {{centredX, clampedStart(anchor.maxY() + kArrowSize, size.height, minY, maxY),
             size.width, size.height},
            UIPopoverArrowDirectionUp};
}

UIViewPtr UIPopoverController::makeArrow(const Placement& placement, const CGRect& anchor) const {
    const CGRect& box = placement.box;
    // A turned square half hidden under the box leaves a triangle pointing out.
    const double side = kArrowSize * std::numbers::sqrt2;
    const double inset = kCornerRadius + kArrowSize;
    const double x = std::clamp(anchor.midX(), box.minX() + inset, box.maxX() - inset);
    const double y = std::clamp(anchor.midY(), box.minY() + inset, box.maxY() - inset);
    CGPoint centre{x, box.minY()};
    if (placement.arrow == UIPopoverArrowDirectionDown) {
        centre = {x, box.maxY()};
    } else if (placement.arrow == UIPopoverArrowDirectionLeft) {
        centre = {box.minX(), y};
    } else if (placement.arrow == UIPopoverArrowDirectionRight) {
        centre = {box.maxX(), y};
    }
    auto arrow = std::make_shared<UIView>(CGRect{0, 0, side, side});
    arrow->setCenter(centre);
    arrow->setTransform(CGAffineTransform::makeRotation(std::numbers::pi / 4));
    arrow->setBackgroundColor(UIColor::whiteColor());
    arrow->setUserInteractionEnabled(false);
    return arrow;
}

void UIPopoverController::presentPopoverFromRectInViewPermittedArrowDirectionsAnimated(
    const CGRect& rect, const UIViewPtr& view, unsigned arrowDirections, bool animated) {
    const std::shared_ptr<UIWindow> window = view ? view->window() : nullptr;
    if (isPopoverVisible() || !window || !content_) {
        return;
    }
    const CGRect anchor = view->convertRectToView(rect, window.get());
    const Placement placement = place(anchor, window->bounds(), arrowDirections);
    arrow_ = placement.arrow;

    const UIButtonPtr overlay = std::make_shared<UIButton>(window->bounds());
    overlay->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                 UIViewAutoresizingFlexibleHeight);
    const std::weak_ptr<UIPopoverController> weakSelf = weak_from_this();
    overlay->addTarget(
        [weakSelf](UIControl&) {
            if (const auto self = weakSelf.lock()) {
                self->dismissPopoverAnimated(true);
            }
        },
        UIControlEventTouchUpInside);
    overlay->addSubview(makeArrow(placement, anchor));
    box_ = std::make_shared<UIView>(placement.box);
    box_->setBackgroundColor(UIColor::whiteColor());
    box_->layer().setCornerRadius(kCornerRadius);
    box_->setClipsToBounds(true);
    overlay->addSubview(box_);
    const UIViewPtr& contentView = content_->view();
    contentView->setFrame(box_->bounds());
    contentView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                     UIViewAutoresizingFlexibleHeight);
    content_->beginAppearanceTransition(true, animated);
    box_->addSubview(contentView);
    overlay_ = overlay;
    window->addSubview(overlay_);
    shownPopovers().push_back(shared_from_this());
    // Escape and other keys reach the content as they would a presented screen.
    UIViewController::addFloatingScreen(content_);

    const auto appeared = [content = content_](bool) { content->endAppearanceTransition(); };
    if (!animated) {
        appeared(true);
        return;
    }
    overlay_->setAlpha(0);
    UIView::animate(
        kFadeDuration, [overlay = overlay_] { overlay->setAlpha(1); }, appeared);
}

void UIPopoverController::dismissPopoverAnimated(bool animated) {
    if (!isPopoverVisible() || dismissing_) {
        return;
    }
    dismissing_ = true;
    content_->beginAppearanceTransition(false, animated);
    const auto self = shared_from_this();
    const auto gone = [self](bool) {
        self->content_->view()->removeFromSuperview();
        self->overlay_->removeFromSuperview();
        self->overlay_.reset();
        self->box_.reset();
        self->dismissing_ = false;
        self->content_->endAppearanceTransition();
        auto& shown = shownPopovers();
        shown.erase(std::remove(shown.begin(), shown.end(), self), shown.end());
        UIViewController::removeFloatingScreen(*self->content_);
    };
    if (!animated) {
        gone(true);
        return;
    }
    UIView::animate(
        kFadeDuration, [overlay = overlay_] { overlay->setAlpha(0); }, gone);
}

std::shared_ptr<UIPopoverController> UIPopoverController::popoverContaining(
    const UIViewController& controller) {
    for (const UIPopoverControllerPtr& popover : shownPopovers()) {
        for (const UIViewController* c = &controller; c != nullptr;
             c = c->parentViewController().get()) {
            if (c == popover->content_.get()) {
                return popover;
            }
        }
    }
    return nullptr;
}
