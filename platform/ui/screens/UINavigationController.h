#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/controls/UINavigationBar.h"
#include "platform/ui/gestures/UIPanGestureRecognizer.h"
#include "platform/ui/screens/UIViewController.h"

// A stack of screens under a navigation bar. Pushing slides the new screen in from
// the right over the old one (0.3 s), popping slides it back out; the bar pushes and
// pops the screens' navigation items alongside, and its back button pops. A swipe
// from the left edge pops too, while the interactive pop recogniser is enabled. The
// screens are the controller's children, the root at the bottom; a popped screen
// stays a child until its slide is over.
//
// The top screen's view fills the controller's view, under the bar when the bar is
// translucent or hidden, else below it.
class UINavigationController : public UIViewController, public UINavigationBarDelegate {
public:
    static constexpr double kAnimationDuration = 0.3;
    // A swipe that starts this close to the left edge can pop.
    static constexpr double kEdgeWidth = 30;

    explicit UINavigationController(std::shared_ptr<UIViewController> root = nullptr);
    ~UINavigationController() override;

    const std::vector<UIViewControllerPtr>& viewControllers() const { return stack_; }
    UIViewControllerPtr topViewController() const;
    // Does nothing for a controller already in the stack.
    void pushViewController(const UIViewControllerPtr& controller, bool animated);
    // The popped controller; null at the root.
    UIViewControllerPtr popViewControllerAnimated(bool animated);
    // The popped controllers, top last; empty at the root.
    std::vector<UIViewControllerPtr> popToRootViewControllerAnimated(bool animated);
    std::vector<UIViewControllerPtr> popToViewController(const UIViewControllerPtr& controller,
                                                         bool animated);

    const UINavigationBarPtr& navigationBar() const { return bar_; }
    bool isNavigationBarHidden() const { return barHidden_; }
    void setNavigationBarHidden(bool hidden, bool animated);
    // The left-edge swipe; disable it to keep the swipe from popping.
    const std::shared_ptr<UIPanGestureRecognizer>& interactivePopGestureRecognizer() const {
        return edgePan_;
    }

    void loadView() override;
    // The bar's back button.
    std::optional<bool> navigationBarShouldPopItem(UINavigationBar& bar,
                                                   UINavigationItem& item) override;

private:
    class EdgeSwipeRules;
    // Where the top screen's view goes.
    CGRect contentFrame() const;
    void layoutViews();
    // Slides from one top screen to another and runs done when the slide is over.
    void transition(const UIViewControllerPtr& from, const UIViewControllerPtr& to, bool forward,
                    bool animated, std::function<void()> done);
    // Ends a running slide at once.
    void finishTransition();
    void edgeSwiped();

    std::vector<UIViewControllerPtr> stack_;
    UINavigationBarPtr bar_;
    bool barHidden_ = false;
    std::shared_ptr<EdgeSwipeRules> edgeRules_;
    std::shared_ptr<UIPanGestureRecognizer> edgePan_;
    std::function<void()> pendingFinish_;
    bool poppingFromController_ = false;
};

using UINavigationControllerPtr = std::shared_ptr<UINavigationController>;
