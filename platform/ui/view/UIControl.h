#pragma once

#include <functional>
#include <vector>

#include "platform/ui/view/UIView.h"

enum UIControlEvents : unsigned {
    UIControlEventTouchDown = 1u << 0,
    UIControlEventTouchDownRepeat = 1u << 1,
    UIControlEventTouchDragInside = 1u << 2,
    UIControlEventTouchDragOutside = 1u << 3,
    UIControlEventTouchDragEnter = 1u << 4,
    UIControlEventTouchDragExit = 1u << 5,
    UIControlEventTouchUpInside = 1u << 6,
    UIControlEventTouchUpOutside = 1u << 7,
    UIControlEventTouchCancel = 1u << 8,
    UIControlEventValueChanged = 1u << 12,
    UIControlEventEditingDidBegin = 1u << 16,
    UIControlEventEditingChanged = 1u << 17,
    UIControlEventEditingDidEnd = 1u << 18,
    UIControlEventEditingDidEndOnExit = 1u << 19,
    UIControlEventAllTouchEvents = 0x0FFFu,
    UIControlEventAllEvents = 0xFFFFFFFFu,
};

enum UIControlState : unsigned {
    UIControlStateNormal = 0,
    UIControlStateHighlighted = 1u << 0,
    UIControlStateDisabled = 1u << 1,
    UIControlStateSelected = 1u << 2,
};

// A view that reports what the user does to it as control events to the actions
// added for them: touch down, drags in and out, touch up inside or outside, value
// and editing changes (sent by the subclasses). A touch that began in the control
// keeps counting as inside up to 70 points beyond its edges, as on a phone; it is
// highlighted while the touch is inside.
class UIControl : public UIView {
public:
    using Action = std::function<void(UIControl& sender)>;

    explicit UIControl(const CGRect& frame = CGRect{});

    // Actions run in the order they were added. The number removes the action again.
    int addTarget(Action action, unsigned controlEvents);
    void removeTarget(int action);
    void sendActionsForControlEvents(unsigned controlEvents);

    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted);
    unsigned state() const;
    bool isTracking() const { return tracking_; }
    bool isTouchInside() const { return touchInside_; }

    // Tracking of one touch, for subclasses: begin answers whether to go on tracking
    // it, continue whether to keep going.
    virtual bool beginTrackingWithTouch(const UITouch& touch, const UIEvent& event);
    virtual bool continueTrackingWithTouch(const UITouch& touch, const UIEvent& event);
    virtual void endTrackingWithTouch(const UITouch& touch, const UIEvent& event);
    virtual void cancelTrackingWithEvent(const UIEvent& event);

    void touchesBegan(const UITouchSet& touches, const UIEvent& event) override;
    void touchesMoved(const UITouchSet& touches, const UIEvent& event) override;
    void touchesEnded(const UITouchSet& touches, const UIEvent& event) override;
    void touchesCancelled(const UITouchSet& touches, const UIEvent& event) override;

private:
    struct Target {
        int number;
        unsigned events;
        Action action;
    };
    bool isInsideTrackingArea(const UITouch& touch) const;

    std::vector<Target> targets_;
    int nextTargetNumber_ = 1;
    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
    bool tracking_ = false;
    bool touchInside_ = false;
    // The touch being tracked.
    std::weak_ptr<UITouch> trackedTouch_;
};

using UIControlPtr = std::shared_ptr<UIControl>;
