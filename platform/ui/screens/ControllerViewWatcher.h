#pragma once

#include <memory>

#include "platform/ui/view/UIView.h"

class UIViewController;

// An invisible, untouchable subview that a controller puts in its view to hear when
// the view enters or leaves a window (a view's subviews move with it), so the
// controller's appearance callbacks run when its view is shown without a container,
// and, covering the view and resizing with it, when the view changes size.
class ControllerViewWatcher : public UIView {
public:
    explicit ControllerViewWatcher(std::weak_ptr<UIViewController> controller);

    void didMoveToWindow() override;
    void layoutSubviews() override;

private:
    std::weak_ptr<UIViewController> controller_;
};
