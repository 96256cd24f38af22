#pragma once

#include <array>
#include <memory>

#include "platform/ui/gestures/UIPanGestureRecognizer.h"
#include "tools/tonecurve/CLControlPoint.h"
#include "tools/tonecurve/CLToneCurveGridDelegate.h"

// A tone-curve editor: a 4 × 4 grid, the spline through five control points drawn from
// 100 samples (flat beyond the first and last point), and the points themselves, which
// lie above the view in its parent and are dragged with one finger. Points keep their
// left-to-right order at least kMinimumGap apart.
class CLToneCurveView : public UIView {
public:
    static constexpr std::size_t kPointCount = 5;
    static constexpr double kMinimumGap = 0.05;
    static constexpr int kCurveSamples = 100;

    // A view of that frame added to parent, with its points on the diagonal.
    static std::shared_ptr<CLToneCurveView> create(const UIViewPtr& parent, const CGRect& frame);
    explicit CLToneCurveView(const CGRect& frame);

    const std::array<CLControlPointPtr, kPointCount>& controlPoints() const { return points_; }
    // The points' unit-coordinate vectors, in order.
    std::array<Vector, kPointCount> points() const;

    std::shared_ptr<CLToneCurveGridDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<CLToneCurveGridDelegate> delegate) {
        delegate_ = std::move(delegate);
    }
    void setGridColor(const UIColor& color) { gridColor_ = color; }
    void setLineColor(const UIColor& color) { lineColor_ = color; }
    void setPointColor(const UIColor& color);
    // True reports every drag step; false only the end of a drag.
    void setContinuous(bool continuous) { continuous_ = continuous; }

    // The diagonal (i / 4, i / 4); tells the delegate.
    void resetPoints();
    // p in fractions of the view, y down; an index outside the points is ignored.
    void setControlPointAtIndex(CGPoint p, std::size_t index);
    // A unit-coordinate vector in the view's points.
    CGPoint convertControlPointToViewPoint(const Vector& point) const;

    void setUserInteractionEnabled(bool enabled) override;
    void drawRect(CGContext& context, const CGRect& rect) override;

private:
    void addPoints(const UIViewPtr& parent);
    void panControlPoint(UIPanGestureRecognizer& pan);
    void didChange();

    std::array<CLControlPointPtr, kPointCount> points_;
    std::weak_ptr<CLToneCurveGridDelegate> delegate_;
    UIColor gridColor_ = UIColor::blackColor();
    UIColor lineColor_ = UIColor::blackColor();
    bool continuous_ = false;
    // Where the dragged point's finger touched down, in this view.
    CGPoint dragStart_;
};

using CLToneCurveViewPtr = std::shared_ptr<CLToneCurveView>;
