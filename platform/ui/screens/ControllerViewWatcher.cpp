#include "platform/ui/screens/ControllerViewWatcher.h"

#include "platform/ui/screens/UIViewController.h"

ControllerViewWatcher::ControllerViewWatcher(std::weak_ptr<UIViewController> controller)
    : controller_(std::move(controller)) {
    setHidden(true);
    setUserInteractionEnabled(false);
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
}

void ControllerViewWatcher::didMoveToWindow() {
    if (const auto controller = controller_.lock()) {
        controller->viewDidMoveToWindow(window() != nullptr);
    }
}

void ControllerViewWatcher::layoutSubviews() {
    if (const auto controller = controller_.lock()) {
        controller->viewDidLayoutSubviews();
    }
}
