#pragma once

#include <array>
#include <memory>

#include "platform/graphics/UIColor.h"
#include "platform/ui/gestures/UIPanGestureRecognizer.h"
#include "platform/ui/view/UIView.h"
#include "tools/geometry/CLClippingCircle.h"
#include "tools/geometry/CLGridLayar.h"
#include "tools/geometry/CLRatio.h"

// The crop rectangle over the picture: everything outside it dimmed, a thirds grid
// inside, a handle on each corner. Dragging a handle moves that corner while the
// opposite one stays (along the diagonal when a ratio is set); dragging inside the
// rectangle moves it. The rectangle never leaves the panel, and a dragged corner stops a
// tenth of the panel's width and height short of the opposite one (with a ratio, on
// the axis the drag follows).
//
// The handles lie on the panel's superview, above the panel, so they can be grabbed
// half outside the picture; they go when the panel goes.
class CLClippingPanel : public UIView {
public:
    enum Corner { kTopLeft = 0, kBottomLeft = 1, kTopRight = 2, kBottomRight = 3 };
    static constexpr double kAnimationDuration = 0.2;
    // The smallest rectangle's share of the panel's width and height.
    static constexpr double kMinimumShare = 0.1;

    // A panel of frame on superview, its rectangle covering it.
    static std::shared_ptr<CLClippingPanel> create(const UIViewPtr& superview, const CGRect& frame);
    explicit CLClippingPanel(const CGRect& frame);

    const CGRect& clippingRect() const { return clippingRect_; }
    // In the panel's coordinates.
    void setClippingRect(const CGRect& rect);
    // Animated, the handles and the grid move to rect over kAnimationDuration.
    void setClippingRectAnimated(const CGRect& rect, bool animated);
    // The ratio the rectangle keeps; null: free.
    const CLRatioPtr& clippingRatio() const { return clippingRatio_; }
    // Re-fits the rectangle when ratio is another object than the one held.
    void setClippingRatio(CLRatioPtr ratio);
    // Fits the rectangle to the ratio, centred and as large as the panel allows (the
    // whole panel when free), animated.
    void clippingRatioDidChange();

    void setBgColor(const UIColor& color);
    // The grid's colour; the handles take it opaque.
    void setGridColor(const UIColor& color);

    const CLGridLayarPtr& gridLayer() const { return gridLayer_; }
    const CLClippingCirclePtr& handle(Corner corner) const { return handles_[corner]; }

    void setNeedsDisplay() override;
    void removeFromSuperview() override;

    // A handle's drag; the handle's tag names its corner.
    void panCircleView(UIPanGestureRecognizer& sender);
    // A drag that begins inside the rectangle moves it.
    void panGridView(UIPanGestureRecognizer& sender);

    // The centred rectangle of height/width ratio (0: free) as large as fits in size.
    static CGRect fittedRect(CGSize size, double ratio);
    // rect with corner dragged to location (translation since the drag began), in a
    // panel of size keeping height/width ratio (0: free).
    static CGRect draggedCornerRect(int corner, const CGRect& rect, CGSize size, double ratio,
                                    CGPoint location, CGPoint translation);

private:
    CLClippingCirclePtr clippingCircleWithTag(int tag);
    // Centres the handles on rect's corners.
    void placeHandles(const CGRect& rect);

    CLGridLayarPtr gridLayer_;
    std::array<CLClippingCirclePtr, 4> handles_;
    CLRatioPtr clippingRatio_;
    CGRect clippingRect_;
    // What a drag of the rectangle saw when it began.
    bool panBeganInside_ = false;
    CGRect panStartRect_;
};

using CLClippingPanelPtr = std::shared_ptr<CLClippingPanel>;
