#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/geometry/CGPoint.h"
#include "platform/ui/view/UIEvent.h"
#include "platform/ui/view/UITouch.h"

class UIView;
class UIWindow;
class UIGestureRecognizerDelegate;

// Numbered as the platform numbers them; a discrete gesture (a tap) goes straight
// from possible to recognised, which is the ended state.
enum class UIGestureRecognizerState {
    Possible,
    Began,
    Changed,
    Ended,
    Cancelled,
    Failed,
    Recognized = Ended,
};

// Turns the touches of a view (and of its descendants) into one gesture. Each
// subclass is one state machine over the touches it sees: it stays possible until
// its gesture is certain, then begins (continuous gestures: changed, ended or
// cancelled follow) or is recognised at once (discrete gestures), or fails.
//
// The touch dispatcher (UITouchDispatcher) feeds the touches, decides whether a
// recogniser may begin while others work on the same touches, and resets every
// recogniser once all fingers have lifted. Targets are called on every state change
// but possible and failed. Main thread only; make recognisers with std::make_shared.
class UIGestureRecognizer : public std::enable_shared_from_this<UIGestureRecognizer> {
public:
    using Action = std::function<void(UIGestureRecognizer&)>;

    UIGestureRecognizer();
    virtual ~UIGestureRecognizer();
    UIGestureRecognizer(const UIGestureRecognizer&) = delete;
    UIGestureRecognizer& operator=(const UIGestureRecognizer&) = delete;

    void addTarget(Action action);
    UIGestureRecognizerState state() const { return state_; }

    // Disabling a recogniser that is working cancels it (a possible one fails);
    // a disabled recogniser sees no new touches.
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // The view it is attached to (UIView::addGestureRecognizer sets it). Taken off its
    // view, it ends a gesture under way without calling its targets.
    std::shared_ptr<UIView> view() const { return view_.lock(); }
    void setView(const std::shared_ptr<UIView>& view);

    std::shared_ptr<UIGestureRecognizerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<UIGestureRecognizerDelegate> delegate);

    // When the gesture begins, the view stops receiving the gesture's touches and gets
    // touchesCancelled for those it had seen begin. On by default.
    bool cancelsTouchesInView() const { return cancelsTouchesInView_; }
    void setCancelsTouchesInView(bool cancels) { cancelsTouchesInView_ = cancels; }
    // While possible, the view does not see the gesture's touches begin; they reach it
    // once the recogniser fails, or after a short hold. Off by default.
    bool delaysTouchesBegan() const { return delaysTouchesBegan_; }
    void setDelaysTouchesBegan(bool delays) { delaysTouchesBegan_ = delays; }

    // The centroid of the fingers down, in view's coordinates (null: the window's);
    // after they have lifted, where they lifted.
    CGPoint locationInView(const UIView* view) const;
    CGPoint locationOfTouch(std::size_t index, const UIView* view) const;
    std::size_t numberOfTouches() const { return touches_.size(); }

    // Input from the dispatcher: touches of one phase that this recogniser tracks.
    void receiveTouches(UITouchPhase phase, const UITouchSet& touches, const UIEvent& event);
    // Back to possible with no touches, after a gesture.
    void reset();
    // True in the states that still take touches: possible, began, changed.
    bool isTracking() const;
    bool isActive() const {
        return state_ == UIGestureRecognizerState::Began ||
               state_ == UIGestureRecognizerState::Changed;
    }

protected:
    // Subclass hooks. Began touches are already tracked; ended and cancelled ones are
    // no longer tracked.
    virtual void touchesBegan(const UITouchSet& touches, const UIEvent& event);
    virtual void touchesMoved(const UITouchSet& touches, const UIEvent& event);
    virtual void touchesEnded(const UITouchSet& touches, const UIEvent& event);
    virtual void touchesCancelled(const UITouchSet& touches, const UIEvent& event);
    // Clears the subclass's gesture values.
    virtual void didReset() {}

    // Moves the state machine. Leaving possible for began or recognised asks the
    // delegate and the dispatcher first, and fails when either refuses.
    void setState(UIGestureRecognizerState state);
    const UITouchSet& touches() const { return touches_; }
    // The centroid of the first count fingers down, in the window's coordinates.
    CGPoint centroidInWindow(std::size_t count) const;
    // A vector of the window's coordinates in view's (null: unchanged), measured at
    // the current location.
    CGPoint vectorInView(CGPoint vector, const UIView* view) const;
    CGPoint vectorFromView(CGPoint vector, const UIView* view) const;
    double timestamp() const { return timestamp_; }

private:
    friend class UITouchDispatcher;

    bool mayBegin();
    void sendActions();
    CGPoint windowPointInView(CGPoint point, const UIView* view) const;

    UIGestureRecognizerState state_ = UIGestureRecognizerState::Possible;
    bool enabled_ = true;
    bool cancelsTouchesInView_ = true;
    bool delaysTouchesBegan_ = false;
    std::weak_ptr<UIView> view_;
    std::weak_ptr<UIGestureRecognizerDelegate> delegate_;
    std::vector<Action> actions_;
    UITouchSet touches_;
    std::weak_ptr<UIWindow> window_;
    CGPoint lastLocation_;
    double timestamp_ = 0;
};

using UIGestureRecognizerPtr = std::shared_ptr<UIGestureRecognizer>;
