#include "platform/ui/screens/ModalTransition.h"

#include "platform/ui/screens/UIViewController.h"
#include "platform/ui/window/UIWindow.h"

namespace {

CGRect below(const CGRect& frame) {
    return frame.offsetBy(0, frame.height());
}

}  // namespace

UIViewController& ModalTransition::screenOf(UIViewController& controller) {
    UIViewController* screen = &controller;
    while (const auto parent = screen->parentViewController()) {
        screen = parent.get();
    }
    return *screen;
}

bool ModalTransition::present(UIViewController& presenter,
                              std::shared_ptr<UIViewController> presented, bool animated,
                              std::function<void()> completion) {
    if (!presented || presenter.presented_ || presented->presenting_.lock() ||
        presented.get() == &presenter) {
        return false;
    }
    UIViewController& screen = screenOf(presenter);
    std::shared_ptr<UIWindow> window =
        screen.isViewLoaded() ? screen.view()->window() : UIWindow::keyWindow();
    if (!window) {
        window = UIWindow::keyWindow();
    }
    presenter.presented_ = presented;
    presented->presenting_ = presenter.weak_from_this();

    const UIViewPtr& view = presented->view();
    const CGRect frame = window ? window->bounds() : view->frame();
    presented->beginAppearanceTransition(true, animated);
    screen.beginAppearanceTransition(false, animated);
    view->setFrame(animated ? below(frame) : frame);
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    if (window) {
        window->addSubview(view);
    }
    const std::weak_ptr<UIViewController> weakPresented = presented;
    const std::weak_ptr<UIViewController> weakBelow = screen.weak_from_this();
    auto finish = [weakPresented, weakBelow, completion = std::move(completion)](bool) {
        if (const auto shown = weakPresented.lock()) {
            shown->endAppearanceTransition();
        }
        if (const auto hidden = weakBelow.lock()) {
            hidden->endAppearanceTransition();
        }
        if (completion) {
            completion();
        }
    };
    if (!animated) {
        finish(true);
        return true;
    }
    UIView::animate(
        kDuration, 0, UIViewAnimationOptionCurveEaseOut, [&] { view->setFrame(frame); },
        std::move(finish));
    return true;
}

void ModalTransition::dismiss(UIViewController& caller, bool animated,
                              std::function<void()> completion) {
    for (UIViewController* c = &caller; c != nullptr; c = c->parentViewController().get()) {
        if (c->presented_) {
            dismissPresented(*c, animated, std::move(completion));
            return;
        }
    }
    for (UIViewController* c = &caller; c != nullptr; c = c->parentViewController().get()) {
        if (const auto presenter = c->presenting_.lock()) {
            dismissPresented(*presenter, animated, std::move(completion));
            return;
        }
    }
}

void ModalTransition::dismissPresented(UIViewController& presenter, bool animated,
                                       std::function<void()> completion) {
    const std::shared_ptr<UIViewController> presented = presenter.presented_;
    if (presented->dismissing_) {
        return;
    }
    presented->dismissing_ = true;
    // Whatever the presented controller presents goes with it, at once.
    if (presented->presented_) {
        dismissPresented(*presented, false, {});
    }
    UIViewController& screen = screenOf(presenter);
    const UIViewPtr view = presented->isViewLoaded() ? presented->view() : nullptr;
    presented->beginAppearanceTransition(false, animated);
    screen.beginAppearanceTransition(true, animated);
    const std::weak_ptr<UIViewController> weakPresenter = presenter.weak_from_this();
    const std::weak_ptr<UIViewController> weakBelow = screen.weak_from_this();
    auto finish = [presented, view, weakPresenter, weakBelow,
                   completion = std::move(completion)](bool) {
        if (view) {
            view->removeFromSuperview();
        }
        presented->endAppearanceTransition();
        if (const auto shown = weakBelow.lock()) {
            shown->endAppearanceTransition();
        }
        if (const auto presenterNow = weakPresenter.lock();
            presenterNow && presenterNow->presented_ == presented) {
            presenterNow->presented_.reset();
        }
        presented->presenting_.reset();
        presented->dismissing_ = false;
        if (completion) {
            completion();
        }
    };
    if (!animated || !view) {
        finish(true);
        return;
    }
    UIView::animate(
        kDuration, 0, UIViewAnimationOptionCurveEaseIn,
        [&] { view->setFrame(below(view->frame())); }, std::move(finish));
}
