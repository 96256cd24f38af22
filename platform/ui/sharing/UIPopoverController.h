#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/screens/UIViewController.h"
#include "platform/ui/view/UIButton.h"

enum UIPopoverArrowDirection : unsigned {
    UIPopoverArrowDirectionUp = 1u << 0,
    UIPopoverArrowDirectionDown = 1u << 1,
    UIPopoverArrowDirectionLeft = 1u << 2,
    UIPopoverArrowDirectionRight = 1u << 3,
    UIPopoverArrowDirectionAny = 0xF,
};

// A tablet's floating panel: shows a controller's view in a rounded box beside a
// rectangle of another view, with an arrow pointing at it (an "up" arrow means the
// box hangs below the rectangle). A tap outside the box closes it. A shown popover
// keeps itself alive until it is dismissed, so a host need not hold it.
class UIPopoverController : public std::enable_shared_from_this<UIPopoverController> {
public:
    static constexpr double kArrowSize = 13;
    static constexpr double kScreenMargin = 10;
    static constexpr double kFadeDuration = 0.2;
    static constexpr CGSize kDefaultContentSize{320, 320};

    explicit UIPopoverController(std::shared_ptr<UIViewController> content);
    ~UIPopoverController();

    const std::shared_ptr<UIViewController>& contentViewController() const { return content_; }
    // Unset, the content view's own fitting size (within the default width), or
    // kDefaultContentSize when it has none.
    CGSize popoverContentSize() const;
    void setPopoverContentSize(CGSize size) { contentSize_ = size; }

    // Shows the box in view's window, beside rect (in view's coordinates), on the first
    // side among the permitted ones where it fits. Does nothing when already shown or
    // when view is not in a window.
    void presentPopoverFromRectInViewPermittedArrowDirectionsAnimated(const CGRect& rect,
                                                                      const UIViewPtr& view,
                                                                      unsigned arrowDirections,
                                                                      bool animated);
    void dismissPopoverAnimated(bool animated);
    bool isPopoverVisible() const { return overlay_ != nullptr; }
    // The side the arrow is on while shown.
    UIPopoverArrowDirection popoverArrowDirection() const { return arrow_; }
    // The rounded box holding the content, in window coordinates; null when hidden.
    const UIViewPtr& popoverView() const { return box_; }

    // The shown popover whose content is controller (or holds it), if any.
    static std::shared_ptr<UIPopoverController> popoverContaining(
        const UIViewController& controller);

private:
    struct Placement {
        CGRect box;
        UIPopoverArrowDirection arrow;
    };
    Placement place(const CGRect& anchor, const CGRect& screen, unsigned permitted) const;
    UIViewPtr makeArrow(const Placement& placement, const CGRect& anchor) const;

    std::shared_ptr<UIViewController> content_;
    std::optional<CGSize> contentSize_;
    UIViewPtr overlay_;
    UIViewPtr box_;
    UIPopoverArrowDirection arrow_ = UIPopoverArrowDirectionUp;
    bool dismissing_ = false;
};

using UIPopoverControllerPtr = std::shared_ptr<UIPopoverController>;
