#pragma once

#include <memory>
#include <optional>

#include "platform/geometry/UIEdgeInsets.h"
#include "platform/ui/controls/ScrollMotion.h"
#include "platform/ui/controls/UIScrollViewDelegate.h"
#include "platform/ui/gestures/UIPanGestureRecognizer.h"
#include "platform/ui/gestures/UIPinchGestureRecognizer.h"
#include "platform/ui/view/UIView.h"

// A view that shows a part of larger content: the content offset is the bounds'
// origin, so the subviews (the content) move as it changes. The user drags the
// content with its pan recogniser (a flick decelerates on the animation clock; with
// paging, it settles on a multiple of the bounds size) and zooms with its pinch
// recogniser: the delegate's view for zooming is scaled by its transform, placed at
// the content's top-left, and the content size follows its frame. Dragging past an
// edge moves at half speed and glides back when the finger lifts, when bouncing.
// Clips to its bounds by default.
class UIScrollView : public UIView {
public:
    // Seconds of the animated offset and zoom changes.
    static constexpr double kAnimationDuration = 0.3;
    // Slower flicks (points per second) stop where the finger lifted.
    static constexpr double kMinimumFlickSpeed = 50;

    explicit UIScrollView(const CGRect& frame = CGRect{});
    ~UIScrollView() override;

    std::shared_ptr<UIScrollViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<UIScrollViewDelegate> delegate) {
        delegate_ = std::move(delegate);
    }

    CGSize contentSize() const { return contentSize_; }
    void setContentSize(CGSize size) { contentSize_ = size; }
    const UIEdgeInsets& contentInset() const { return contentInset_; }
    void setContentInset(const UIEdgeInsets& insets) { contentInset_ = insets; }
    CGPoint contentOffset() const { return bounds().origin; }
    void setContentOffset(CGPoint offset);
    // Animated: the offset changes at once and the screen follows (an offset animation
    // of the view toolkit); ends any deceleration.
    void setContentOffset(CGPoint offset, bool animated);
    // Scrolls the least needed to show rect (content coordinates), when it can.
    void scrollRectToVisible(const CGRect& rect, bool animated);
    // The offsets the content can rest at: origin the least, size the extent.
    CGRect contentOffsetRange() const;
    // Setting the bounds' origin is scrolling: the delegate hears of it.
    void setBounds(const CGRect& bounds) override;

    bool isScrollEnabled() const { return scrollEnabled_; }
    void setScrollEnabled(bool enabled);
    bool isPagingEnabled() const { return pagingEnabled_; }
    void setPagingEnabled(bool enabled) { pagingEnabled_ = enabled; }
    bool bounces() const { return bounces_; }
    void setBounces(bool bounces) { bounces_ = bounces; }
    bool alwaysBounceHorizontal() const { return alwaysBounceHorizontal_; }
    void setAlwaysBounceHorizontal(bool bounces) { alwaysBounceHorizontal_ = bounces; }
    bool alwaysBounceVertical() const { return alwaysBounceVertical_; }
    void setAlwaysBounceVertical(bool bounces) { alwaysBounceVertical_ = bounces; }
    // Whether the indicators would show while scrolling; they are not drawn.
    bool showsHorizontalScrollIndicator() const { return showsHorizontalIndicator_; }
    void setShowsHorizontalScrollIndicator(bool shows) { showsHorizontalIndicator_ = shows; }
    bool showsVerticalScrollIndicator() const { return showsVerticalIndicator_; }
    void setShowsVerticalScrollIndicator(bool shows) { showsVerticalIndicator_ = shows; }
    // Whether touches on the content wait a moment to see if they become a drag
    // (the pan recogniser's delaysTouchesBegan).
    bool delaysContentTouches() const;
    void setDelaysContentTouches(bool delays);

    bool isDragging() const { return dragging_; }
    bool isDecelerating() const { return motion_.has_value(); }
    bool isZooming() const { return zooming_; }

    // Zooming. The scale is kept within the minimum and maximum; the pinch recogniser
    // works only when they differ.
    double minimumZoomScale() const { return minimumZoomScale_; }
    void setMinimumZoomScale(double scale);
    double maximumZoomScale() const { return maximumZoomScale_; }
    void setMaximumZoomScale(double scale);
    double zoomScale() const { return zoomScale_; }
    void setZoomScale(double scale);
    // Keeps the middle of the visible area in place; animated through the view
    // toolkit's animations, with the delegate's did-end-zooming at the end.
    void setZoomScale(double scale, bool animated);
    // Zooms so that rect (the zoomed view's coordinates) fills the visible area.
    void zoomToRect(const CGRect& rect, bool animated);
    // A desktop's plain wheel scrolls; with this on, it zooms while the content is at
    // its minimum zoom (fitted, with nothing to scroll) and zooming is allowed.
    void setZoomsWithWheelAtMinimum(bool zooms) { zoomsWithWheelAtMinimum_ = zooms; }
    bool wheelZooms() const;

    const std::shared_ptr<UIPanGestureRecognizer>& panGestureRecognizer() const { return pan_; }
    const std::shared_ptr<UIPinchGestureRecognizer>& pinchGestureRecognizer() const {
        return pinch_;
    }

private:
    class GestureRules;

    std::shared_ptr<UIView> viewForZooming();
    bool canScrollHorizontally() const;
    bool canScrollVertically() const;
    void handlePan();
    void handlePinch();
    void panChanged();
    void endDragging();
    // Offset the drag asks for, slowed past the edges (or stopped there).
    CGPoint draggedOffset(CGPoint wanted) const;
    CGPoint pagedOffset(CGPoint offset, CGPoint velocity) const;
    // Scales the zoomed view to scale, so that anchor (its own coordinates) comes to
    // rest at place (the visible area's coordinates).
    void applyZoom(double scale, CGPoint anchor, CGPoint place);
    void zoomAnimated(double scale, CGPoint anchor, CGPoint place, bool animated);
    void startMotion(ScrollMotion motion);
    void stopMotion();
    bool stepMotion(double now, unsigned generation);
    void updatePinchAvailability();

    std::weak_ptr<UIScrollViewDelegate> delegate_;
    CGSize contentSize_;
    UIEdgeInsets contentInset_;
    bool scrollEnabled_ = true;
    bool pagingEnabled_ = false;
    bool bounces_ = true;
    bool alwaysBounceHorizontal_ = false;
    bool alwaysBounceVertical_ = false;
    bool showsHorizontalIndicator_ = true;
    bool showsVerticalIndicator_ = true;
    double minimumZoomScale_ = 1;
    double maximumZoomScale_ = 1;
    double zoomScale_ = 1;

    std::shared_ptr<GestureRules> rules_;
    std::shared_ptr<UIPanGestureRecognizer> pan_;
    std::shared_ptr<UIPinchGestureRecognizer> pinch_;
    bool dragging_ = false;
    bool zooming_ = false;
    bool zoomsWithWheelAtMinimum_ = false;
    CGPoint dragStartOffset_;
    double pinchStartScale_ = 1;
    CGPoint pinchAnchor_;
    std::optional<ScrollMotion> motion_;
    // Tells a frame callback of an older motion to stop.
    unsigned motionGeneration_ = 0;
};

using UIScrollViewPtr = std::shared_ptr<UIScrollView>;
