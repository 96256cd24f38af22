#include "tools/geometry/CLClippingPanel.h"

#include <algorithm>

#include "platform/ui/animation/CABasicAnimation.h"

namespace {

// value limited from above, then from below: the lower bound wins when they cross.
double limited(double value, double lower, double upper) {
    return std::max(std::min(value, upper), lower);
}

}  // namespace

std::shared_ptr<CLClippingPanel> CLClippingPanel::create(const UIViewPtr& superview,
                                                         const CGRect& frame) {
    auto panel = std::make_shared<CLClippingPanel>(frame);
    superview->addSubview(panel);
    for (int tag = kTopLeft; tag <= kBottomRight; ++tag) {
        panel->handles_[tag] = panel->clippingCircleWithTag(tag);
    }
    auto pan = std::make_shared<UIPanGestureRecognizer>();
    const std::weak_ptr<CLClippingPanel> weakPanel = panel;
    pan->addTarget([weakPanel](UIGestureRecognizer& sender) {
        if (const auto shown = weakPanel.lock()) {
            shown->panGridView(static_cast<UIPanGestureRecognizer&>(sender));
        }
    });
    panel->addGestureRecognizer(pan);
    panel->setClippingRect(panel->bounds());
    return panel;
}

CLClippingPanel::CLClippingPanel(const CGRect& frame)
    : UIView(frame), gridLayer_(std::make_shared<CLGridLayar>(bounds())) {
    addSubview(gridLayer_);
}

CLClippingCirclePtr CLClippingPanel::clippingCircleWithTag(int tag) {
    auto circle = std::make_shared<CLClippingCircle>(
        CGRect{0, 0, CLClippingCircle::kSide, CLClippingCircle::kSide});
    circle->setBackgroundColor(UIColor::clearColor());
    circle->setBgColor(UIColor::blackColor());
    circle->setTag(tag);
    auto pan = std::make_shared<UIPanGestureRecognizer>();
    const std::weak_ptr<CLClippingPanel> weakPanel =
        std::static_pointer_cast<CLClippingPanel>(shared_from_this());
    pan->addTarget([weakPanel](UIGestureRecognizer& sender) {
        if (const auto panel = weakPanel.lock()) {
            panel->panCircleView(static_cast<UIPanGestureRecognizer&>(sender));
        }
    });
    circle->addGestureRecognizer(pan);
    superview()->addSubview(circle);
    return circle;
}

void CLClippingPanel::setClippingRect(const CGRect& rect) {
    clippingRect_ = rect;
    placeHandles(rect);
    gridLayer_->setClippingRect(rect);
}

void CLClippingPanel::setClippingRectAnimated(const CGRect& rect, bool animated) {
    if (!animated) {
        setClippingRect(rect);
        return;
    }
    // The handles move in a view animation, the grid in an animation of its key.
    UIView::animate(kAnimationDuration, [&] { placeHandles(rect); });
    CABasicAnimation animation =
        CABasicAnimation::animationWithKeyPath(CLGridLayar::kClippingRectKey);
    animation.setDuration(kAnimationDuration);
    animation.setFromValue(clippingRect_);
    animation.setToValue(rect);
    gridLayer_->layer().addAnimation(animation, CLGridLayar::kClippingRectKey);
    clippingRect_ = rect;
    gridLayer_->setClippingRect(rect);
}

void CLClippingPanel::placeHandles(const CGRect& rect) {
    const UIViewPtr host = superview();
    if (!host) {
        return;
    }
    const CGPoint corners[] = {
        {rect.minX(), rect.minY()},
        {rect.minX(), rect.maxY()},
        {rect.maxX(), rect.minY()},
        {rect.maxX(), rect.maxY()},
    };
    for (int tag = kTopLeft; tag <= kBottomRight; ++tag) {
        if (handles_[tag]) {
            handles_[tag]->setCenter(host->convertPointFromView(corners[tag], this));
        }
    }
}

void CLClippingPanel::setClippingRatio(CLRatioPtr ratio) {
    if (ratio == clippingRatio_) {
        return;
    }
    clippingRatio_ = std::move(ratio);
    clippingRatioDidChange();
}

void CLClippingPanel::clippingRatioDidChange() {
    setClippingRectAnimated(fittedRect(bounds().size, clippingRatio_ ? clippingRatio_->ratio() : 0),
                            true);
}

void CLClippingPanel::setBgColor(const UIColor& color) {
    gridLayer_->setBgColor(color);
}

void CLClippingPanel::setGridColor(const UIColor& color) {
    gridLayer_->setGridColor(color);
    for (const CLClippingCirclePtr& circle : handles_) {
        circle->setBgColor(color.colorWithAlphaComponent(1));
    }
}

void CLClippingPanel::setNeedsDisplay() {
    UIView::setNeedsDisplay();
    gridLayer_->setNeedsDisplay();
}

void CLClippingPanel::removeFromSuperview() {
    for (const CLClippingCirclePtr& circle : handles_) {
        circle->removeFromSuperview();
    }
    UIView::removeFromSuperview();
}

void CLClippingPanel::panCircleView(UIPanGestureRecognizer& sender) {
    const auto circle = sender.view();
    if (!circle || circle->tag() < kTopLeft || circle->tag() > kBottomRight) {
        return;
    }
    setClippingRect(draggedCornerRect(circle->tag(), clippingRect_, frame().size,
                                      clippingRatio_ ? clippingRatio_->ratio() : 0,
                                      sender.locationInView(this), sender.translationInView(this)));
}

void CLClippingPanel::panGridView(UIPanGestureRecognizer& sender) {
    if (sender.state() == UIGestureRecognizerState::Began) {
        panBeganInside_ = clippingRect_.contains(sender.locationInView(this));
        panStartRect_ = clippingRect_;
        return;
    }
    if (!panBeganInside_) {
        return;
    }
    const CGPoint moved = sender.translationInView(this);
    const CGSize size = bounds().size;
    const double x =
        std::min(std::max(panStartRect_.minX() + moved.x, 0.0), size.width - panStartRect_.width());
    const double y = std::min(std::max(panStartRect_.minY() + moved.y, 0.0),
                              size.height - panStartRect_.height());
    setClippingRect({{x, y}, clippingRect_.size});
}

CGRect CLClippingPanel::fittedRect(CGSize size, double ratio) {
    if (ratio == 0) {
        return {{0, 0}, size};
    }
    const double height = size.width * ratio;
    const CGSize fit = height <= size.height
                           ? CGSize{size.width, height}
                           : CGSize{size.width * size.height / height, size.height};
    return {(size.width - fit.width) / 2, (size.height - fit.height) / 2, fit.width, fit.height};
}

CGRect CLClippingPanel::draggedCornerRect(int corner, const CGRect& rect, CGSize size, double ratio,
                                          CGPoint location, CGPoint translation) {
    if (corner < kTopLeft || corner > kBottomRight) {
        return rect;
    }
    const double x = rect.minX();
    const double y = rect.minY();
    const double w = rect.width();
    const double h = rect.height();
    const double minW = kMinimumShare * size.width;
    const double minH = kMinimumShare * size.height;
    const bool left = corner == kTopLeft || corner == kBottomLeft;
    const bool top = corner == kTopLeft || corner == kTopRight;
    const bool keepsRatio = ratio != 0;

    // With a ratio the moving corner stays on the diagonal Y = s X + b through the
    // opposite corner; lineX and lineY are where that line leaves the panel beyond it.
    const double s = corner == kTopLeft || corner == kBottomRight ? ratio : -ratio;
    const double b = (top ? y : y + h) - s * (left ? x : x + w);
    const double lineX = keepsRatio ? ((top ? 0 : size.height) - b) / s : 0;
    const double lineY = s * (left ? 0 : size.width) + b;

    double X = left ? limited(location.x, keepsRatio ? std::max(lineX, 0.0) : 0,
                              std::max(x + w - minW, minW))
                    : limited(location.x, std::max(x + minW, minW),
                              keepsRatio ? std::min(lineX, size.width) : size.width);
    double Y = top ? limited(location.y, keepsRatio ? std::max(lineY, 0.0) : 0,
                             std::max(y + h - minH, minH))
                   : limited(location.y, std::max(y + minH, minH),
                             keepsRatio ? std::min(lineY, size.height) : size.height);
    if (keepsRatio) {
        // Back onto the diagonal along the axis the drag leans towards.
        const double d = translation.y - translation.x * s;
        if (top ? d > 0 : d < 0) {
            X = (Y - b) / s;
        } else {
            Y = s * X + b;
        }
    }
    return {left ? X : x, top ? Y : y, left ? x + w - X : X - x, top ? y + h - Y : Y - y};
}
