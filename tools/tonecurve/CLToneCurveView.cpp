#include "tools/tonecurve/CLToneCurveView.h"

#include <algorithm>
#include <vector>

#include "platform/graphics/CGContext.h"
#include "tools/tonecurve/CLSplineInterpolator.h"

std::shared_ptr<CLToneCurveView> CLToneCurveView::create(const UIViewPtr& parent,
                                                         const CGRect& frame) {
    auto view = std::make_shared<CLToneCurveView>(frame);
    parent->addSubview(view);
    view->addPoints(parent);
    view->resetPoints();
    return view;
}

CLToneCurveView::CLToneCurveView(const CGRect& frame) : UIView(frame) {}

void CLToneCurveView::addPoints(const UIViewPtr& parent) {
    const std::weak_ptr<UIView> weakSelf = shared_from_this();
    for (CLControlPointPtr& point : points_) {
        point = std::make_shared<CLControlPoint>(frame());
        auto pan = std::make_shared<UIPanGestureRecognizer>();
        pan->setMaximumNumberOfTouches(1);
        pan->addTarget([weakSelf](UIGestureRecognizer& sender) {
            if (const auto view = std::static_pointer_cast<CLToneCurveView>(weakSelf.lock())) {
                view->panControlPoint(static_cast<UIPanGestureRecognizer&>(sender));
            }
        });
        point->addGestureRecognizer(pan);
        parent->addSubview(point);
    }
}

std::array<Vector, CLToneCurveView::kPointCount> CLToneCurveView::points() const {
    std::array<Vector, kPointCount> vectors;
    std::transform(points_.begin(), points_.end(), vectors.begin(),
                   [](const CLControlPointPtr& point) { return point->controlPoint(); });
    return vectors;
}

void CLToneCurveView::setPointColor(const UIColor& color) {
    for (const CLControlPointPtr& point : points_) {
        point->setBgColor(color);
    }
}

void CLToneCurveView::resetPoints() {
    for (std::size_t i = 0; i < kPointCount; ++i) {
        const double along = static_cast<double>(i) / (kPointCount - 1);
        points_[i]->setControlPoint(Vector{along, along});
    }
    setNeedsDisplay();
    didChange();
}

void CLToneCurveView::setControlPointAtIndex(CGPoint p, std::size_t index) {
    if (index >= kPointCount) {
        return;
    }
    const double lo = index == 0 ? 0 : points_[index - 1]->controlPoint().x() + kMinimumGap;
    const double hi =
        index == kPointCount - 1 ? 1 : points_[index + 1]->controlPoint().x() - kMinimumGap;
    // When the neighbours leave no room, the lower limit wins.
    const double x = std::max(lo, std::min(p.x, hi));
    points_[index]->setControlPoint(Vector{x, std::clamp(1 - p.y, 0.0, 1.0)});
}

CGPoint CLToneCurveView::convertControlPointToViewPoint(const Vector& point) const {
    return {std::clamp(point.x(), 0.0, 1.0) * bounds().width(),
            (1 - std::clamp(point.y(), 0.0, 1.0)) * bounds().height()};
}

void CLToneCurveView::setUserInteractionEnabled(bool enabled) {
    UIView::setUserInteractionEnabled(enabled);
    for (const CLControlPointPtr& point : points_) {
        if (point) {
            point->setUserInteractionEnabled(enabled);
        }
    }
}

void CLToneCurveView::panControlPoint(UIPanGestureRecognizer& pan) {
    if (pan.state() == UIGestureRecognizerState::Began) {
        const CGPoint at = pan.locationInView(this);
        const CGPoint moved = pan.translationInView(this);
        dragStart_ = {at.x - moved.x, at.y - moved.y};
    }
    const CGPoint moved = pan.translationInView(this);
    const auto dragged = std::find_if(points_.begin(), points_.end(), [&](const auto& point) {
        return point.get() == pan.view().get();
    });
    setControlPointAtIndex(
        {(dragStart_.x + moved.x) / bounds().width(), (dragStart_.y + moved.y) / bounds().height()},
        static_cast<std::size_t>(dragged - points_.begin()));
    setNeedsDisplay();
    if (continuous_ || pan.state() == UIGestureRecognizerState::Ended) {
        didChange();
    }
}

void CLToneCurveView::didChange() {
    if (const auto listener = delegate()) {
        listener->toneCurveDidChange(*this);
    }
}

void CLToneCurveView::drawRect(CGContext& context, const CGRect&) {
    const CGRect r = bounds().insetBy(1, 1);
    context.setStrokeColor(gridColor_);
    context.setLineWidth(1);
    for (int k = 0; k <= 4; ++k) {
        const double x = r.minX() + k * r.width() / 4;
        const double y = r.minY() + k * r.height() / 4;
        context.moveToPoint({x, r.minY()});
        context.addLineToPoint({x, r.maxY()});
        context.moveToPoint({r.minX(), y});
        context.addLineToPoint({r.maxX(), y});
    }
    context.strokePath();

    const auto vectors = points();
    const CLSplineInterpolator spline({vectors.begin(), vectors.end()});
    context.setStrokeColor(lineColor_);
    context.setLineWidth(1);
    context.moveToPoint(convertControlPointToViewPoint(Vector{0, vectors.front().y()}));
    for (int k = 0; k < kCurveSamples; ++k) {
        context.addLineToPoint(
            convertControlPointToViewPoint(spline.interpolatedPoint(k / (kCurveSamples - 1.0))));
    }
    context.addLineToPoint(convertControlPointToViewPoint(Vector{1, vectors.back().y()}));
    context.strokePath();
}
