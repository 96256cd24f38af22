#include "platform/ui/screens/UINavigationController.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/gestures/UIGestureRecognizerDelegate.h"
#include "platform/ui/window/UIWindow.h"

namespace {
// A swipe that ends faster than this (points per second) pops whatever its length.
constexpr double kPopSwipeSpeed = 500;
// A slower swipe pops when it went this share of the width.
constexpr double kPopSwipeShare = 0.3;
}  // namespace

// The edge swipe begins only for a rightward drag that started at the left edge, with
// a screen to go back to.
class UINavigationController::EdgeSwipeRules : public UIGestureRecognizerDelegate {
public:
    explicit EdgeSwipeRules(UINavigationController& navigation) : navigation_(navigation) {}

    std::optional<bool> gestureRecognizerShouldBegin(UIGestureRecognizer&) override {
        const UIView* view = navigation_.view().get();
        const CGPoint now = navigation_.edgePan_->locationInView(view);
        const CGPoint moved = navigation_.edgePan_->translationInView(view);
        return navigation_.viewControllers().size() > 1 && now.x - moved.x <= kEdgeWidth &&
               moved.x > std::abs(moved.y);
    }

private:
    UINavigationController& navigation_;
};

UINavigationController::UINavigationController(std::shared_ptr<UIViewController> root)
    : bar_(std::make_shared<UINavigationBar>()),
      edgeRules_(std::make_shared<EdgeSwipeRules>(*this)),
      edgePan_(std::make_shared<UIPanGestureRecognizer>()) {
    edgePan_->setDelegate(edgeRules_);
    edgePan_->setMaximumNumberOfTouches(1);
    if (root) {
        stack_.push_back(root);
        addChildViewController(root);
        bar_->pushNavigationItem(root->navigationItem(), false);
        root->didMoveToParentViewController(this);
    }
}

UINavigationController::~UINavigationController() = default;

UIViewControllerPtr UINavigationController::topViewController() const {
    return stack_.empty() ? nullptr : stack_.back();
}

// The view.

void UINavigationController::loadView() {
    UIViewController::loadView();
    const UIViewPtr& container = view();
    const std::shared_ptr<UINavigationController> self =
        std::static_pointer_cast<UINavigationController>(shared_from_this());
    bar_->setDelegate(std::static_pointer_cast<UINavigationBarDelegate>(self));
    bar_->setFrame({0, 0, container->bounds().width(), UINavigationBar::kHeight});
    bar_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    bar_->setHidden(barHidden_);
    container->addSubview(bar_);
    const std::weak_ptr<UINavigationController> weakSelf = self;
    edgePan_->addTarget([weakSelf](UIGestureRecognizer& recognizer) {
        const auto navigation = weakSelf.lock();
        if (navigation && recognizer.state() == UIGestureRecognizerState::Ended) {
            navigation->edgeSwiped();
        }
    });
    container->addGestureRecognizer(edgePan_);
    if (const auto top = topViewController()) {
        container->insertSubviewBelowSubview(top->view(), bar_);
        layoutViews();
    }
}

CGRect UINavigationController::contentFrame() const {
    const CGRect bounds = isViewLoaded() ? viewIfLoaded()->bounds() : CGRect{};
    if (barHidden_ || bar_->isTranslucent()) {
        return bounds;
    }
    const double top = bar_->frame().maxY();
    return {bounds.minX(), top, bounds.width(), std::max(0.0, bounds.height() - top)};
}

void UINavigationController::layoutViews() {
    if (const auto top = topViewController(); top && isViewLoaded() && top->isViewLoaded()) {
        top->view()->setFrame(contentFrame());
    }
}

void UINavigationController::setNavigationBarHidden(bool hidden, bool animated) {
    if (hidden == barHidden_) {
        return;
    }
    barHidden_ = hidden;
    if (!isViewLoaded()) {
        bar_->setHidden(hidden);
        return;
    }
    const CGAffineTransform away = CGAffineTransform::makeTranslation(0, -bar_->frame().maxY());
    if (!animated) {
        bar_->setHidden(hidden);
        bar_->setTransform(CGAffineTransform::identity());
        layoutViews();
        return;
    }
    bar_->setHidden(false);
    if (!hidden) {
        bar_->setTransform(away);
    }
    const std::weak_ptr<UINavigationBar> weakBar = bar_;
    UIView::animate(
        kAnimationDuration,
        [&] {
            bar_->setTransform(hidden ? away : CGAffineTransform::identity());
            layoutViews();
        },
        [weakBar, this, hidden](bool) {
            const auto bar = weakBar.lock();
            if (bar && barHidden_ == hidden) {
                bar->setHidden(hidden);
                bar->setTransform(CGAffineTransform::identity());
            }
        });
}

// The stack.

void UINavigationController::transition(const UIViewControllerPtr& from,
                                        const UIViewControllerPtr& to, bool forward, bool animated,
                                        std::function<void()> done) {
    finishTransition();
    if (!isViewLoaded()) {
        done();
        return;
    }
    const UIViewPtr& container = view();
    const bool onScreen = container->window() != nullptr;
    const UIViewPtr fromView = from && from->isViewLoaded() ? from->view() : nullptr;
    const UIViewPtr toView = to->view();
    if (onScreen) {
        if (from) {
            from->beginAppearanceTransition(false, animated);
        }
        to->beginAppearanceTransition(true, animated);
    }
    toView->setFrame(contentFrame());
    container->insertSubviewBelowSubview(toView, forward || !fromView ? bar_ : fromView);
    pendingFinish_ = [from, to, fromView, toView, onScreen, done = std::move(done)] {
        if (fromView) {
            fromView->removeFromSuperview();
            fromView->setTransform(CGAffineTransform::identity());
        }
        toView->setTransform(CGAffineTransform::identity());
        if (onScreen) {
            if (from) {
                from->endAppearanceTransition();
            }
            to->endAppearanceTransition();
        }
        done();
    };
    if (!animated) {
        finishTransition();
        return;
    }
    const double width = container->bounds().width();
    toView->setTransform(CGAffineTransform::makeTranslation(forward ? width : -width / 3, 0));
    const std::weak_ptr<UIViewController> weakSelf = weak_from_this();
    UIView::animate(
        kAnimationDuration,
        [&] {
            toView->setTransform(CGAffineTransform::identity());
            if (fromView) {
                fromView->setTransform(
                    CGAffineTransform::makeTranslation(forward ? -width / 3 : width, 0));
            }
        },
        [weakSelf, toView](bool) {
            const auto self = std::static_pointer_cast<UINavigationController>(weakSelf.lock());
            if (self && self->topViewController() &&
                self->topViewController()->viewIfLoaded() == toView) {
                self->finishTransition();
            }
        });
}

void UINavigationController::finishTransition() {
    if (pendingFinish_) {
        const auto finish = std::move(pendingFinish_);
        pendingFinish_ = nullptr;
        finish();
    }
}

void UINavigationController::pushViewController(const UIViewControllerPtr& controller,
                                                bool animated) {
    if (!controller || std::find(stack_.begin(), stack_.end(), controller) != stack_.end()) {
        return;
    }
    finishTransition();
    const UIViewControllerPtr from = topViewController();
    stack_.push_back(controller);
    addChildViewController(controller);
    bar_->pushNavigationItem(controller->navigationItem(), animated && isViewLoaded());
    const std::weak_ptr<UIViewController> weakSelf = weak_from_this();
    transition(from, controller, true, animated, [controller, weakSelf] {
        if (const auto self = weakSelf.lock()) {
            controller->didMoveToParentViewController(self.get());
        }
    });
}

UIViewControllerPtr UINavigationController::popViewControllerAnimated(bool animated) {
    if (stack_.size() < 2) {
        return nullptr;
    }
    return popToViewController(stack_[stack_.size() - 2], animated).back();
}

std::vector<UIViewControllerPtr> UINavigationController::popToRootViewControllerAnimated(
    bool animated) {
    return stack_.empty() ? std::vector<UIViewControllerPtr>{}
                          : popToViewController(stack_.front(), animated);
}

std::vector<UIViewControllerPtr> UINavigationController::popToViewController(
    const UIViewControllerPtr& controller, bool animated) {
    finishTransition();
    const auto target = std::find(stack_.begin(), stack_.end(), controller);
    if (target == stack_.end() || target + 1 == stack_.end()) {
        return {};
    }
    const std::vector<UIViewControllerPtr> popped(target + 1, stack_.end());
    stack_.erase(target + 1, stack_.end());
    std::vector<UINavigationItemPtr> items;
    for (const auto& remaining : stack_) {
        items.push_back(remaining->navigationItem());
    }
    const UIViewControllerPtr top = popped.back();
    items.push_back(top->navigationItem());
    // The screens in between leave at once; the top one once it has slid away.
    for (const auto& leaving : popped) {
        leaving->willMoveToParentViewController(nullptr);
        if (leaving != top) {
            leaving->removeFromParentViewController();
        }
    }
    bar_->setItems(items, false);
    poppingFromController_ = true;
    bar_->popNavigationItemAnimated(animated && isViewLoaded());
    poppingFromController_ = false;
    transition(top, controller, false, animated, [top] { top->removeFromParentViewController(); });
    return popped;
}

std::optional<bool> UINavigationController::navigationBarShouldPopItem(UINavigationBar&,
                                                                       UINavigationItem&) {
    if (poppingFromController_) {
        return true;
    }
    if (const auto top = topViewController(); !top || top->navigationShouldPopOnBackButton()) {
        popViewControllerAnimated(true);
    }
    return false;
}

void UINavigationController::edgeSwiped() {
    const UIView* container = view().get();
    const CGPoint moved = edgePan_->translationInView(container);
    const CGPoint speed = edgePan_->velocityInView(container);
    if (moved.x > container->bounds().width() * kPopSwipeShare || speed.x > kPopSwipeSpeed) {
        popViewControllerAnimated(true);
    }
}
