#pragma once

#include <functional>
#include <memory>

class UIViewController;
class UIView;

// Modal presentation: the presented controller's view covers the window, sliding up
// from below (and back down when dismissed) on the animation clock; the screen below
// hears it disappear and reappear. One presented controller per presenter; a
// presented controller may present another on top.
class ModalTransition {
public:
    static constexpr double kDuration = 0.3;

    static bool present(UIViewController& presenter, std::shared_ptr<UIViewController> presented,
                        bool animated, std::function<void()> completion);
    static void dismiss(UIViewController& caller, bool animated, std::function<void()> completion);

private:
    // The presenter's screen as the window shows it: its outermost parent.
    static UIViewController& screenOf(UIViewController& controller);
    static void dismissPresented(UIViewController& presenter, bool animated,
                                 std::function<void()> completion);
};
