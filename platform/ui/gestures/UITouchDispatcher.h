#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/view/UIEvent.h"
#include "platform/ui/view/UITouch.h"

class UIGestureRecognizer;
class UIView;
class UIWindow;

// Delivers the window's touches to gesture recognisers and views.
//
// A touch is hit-tested to a view when it touches down; the enabled recognisers of
// that view and of its ancestors (deepest first) see it, before the view does. The
// first recogniser to begin takes the touches it shares with others: those still
// possible fail and none of them may begin while it works, unless a delegate of either
// side allows simultaneous recognition. A recogniser that begins and cancels touches
// in view sends touchesCancelled to the views for the touches they had seen begin and
// keeps the rest from them. A recogniser that delays touches began holds its touches
// back from the views while it is possible, until it fails or the touch has been held
// for kTouchDelay on the animation clock. Once every finger has lifted, all the
// gesture's recognisers go back to possible.
//
// One per process; a recogniser installs it as the windows' dispatcher when it is
// attached to a view.
class UITouchDispatcher {
public:
    // Seconds that a delayed touch waits before its view sees it anyway.
    static constexpr double kTouchDelay = 0.15;

    static UITouchDispatcher& shared();
    // Makes every window send its touches here (again, if something replaced it).
    static void install();

    void dispatch(UIWindow& window, const UITouchSet& changed, const UIEvent& event);

    // The state machine's questions and reports (UIGestureRecognizer::setState).
    bool recognizerMayBegin(UIGestureRecognizer& recognizer) const;
    void recognizerDidBegin(UIGestureRecognizer& recognizer);

    // True while a gesture is under way (some finger has not lifted since the first
    // one touched down).
    bool hasActiveGesture() const { return !records_.empty(); }

private:
    // Where a touch stands with its view.
    enum class ViewState { NotBegun, Began, Finished, Cancelled };

    struct TouchRecord {
        UITouchPtr touch;
        std::vector<std::shared_ptr<UIGestureRecognizer>> recognizers;
        ViewState viewState = ViewState::NotBegun;
        // The touch moved while its view was not yet told of it.
        bool movedUnseen = false;
        // Animation-clock time at which its view was first held back.
        std::optional<double> heldSince;
    };
    struct ViewDelivery {
        std::shared_ptr<UIView> view;
        UITouchPhase phase;
        UITouchSet touches;
    };

    UITouchDispatcher() = default;
    void addRecord(const UITouchPtr& touch);
    void deliverToRecognizers(const UITouchSet& changed, const UIEvent& event);
    void deliverToViews(const UITouchSet& changed, const UIEvent& event);
    void planDelivery(TouchRecord& record, bool changed, std::vector<ViewDelivery>& plan);
    static void sendToViews(const std::vector<ViewDelivery>& plan, const UIEvent& event);
    bool isHeld(TouchRecord& record) const;
    void startHoldTimer();
    bool releaseHeldTouches(double now);
    bool shareTouch(const UIGestureRecognizer& a, const UIGestureRecognizer& b) const;
    static bool maySimultaneously(UIGestureRecognizer& a, UIGestureRecognizer& b);
    void cancelViewTouches(const UIGestureRecognizer& recognizer);
    void endGestureIfAllLifted(const UIEvent& event);
    TouchRecord* recordFor(const UITouchPtr& touch);

    std::vector<TouchRecord> records_;
    // Every recogniser of the gesture, in the order they first saw a touch.
    std::vector<std::shared_ptr<UIGestureRecognizer>> recognizers_;
    std::optional<UIEvent> lastEvent_;
    bool holdTimerRunning_ = false;
};
