#include "tools/overlay/pickers/_CLHueCircleView.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/ui/gestures/UIPanGestureRecognizer.h"
#include "platform/ui/gestures/UITapGestureRecognizer.h"

namespace {

constexpr double kRadiusPerSide = 0.8 * 0.5;
constexpr double kLineWidthPerRadius = 0.1;
constexpr double kMarkerBorderWhite = 0.2;
constexpr float kTwoPi = 2 * std::numbers::pi_v<float>;

}  // namespace

std::shared_ptr<_CLHueCircleView> _CLHueCircleView::create(const CGRect& frame) {
    auto hueCircle = std::make_shared<_CLHueCircleView>(Token{}, frame);
    const std::weak_ptr<_CLHueCircleView> weak = hueCircle;
    const auto followGesture = [weak](UIGestureRecognizer& gesture) {
        if (const auto self = weak.lock()) {
            self->setCircleViewToPoint(gesture.locationInView(self.get()));
        }
    };
    auto tap = std::make_shared<UITapGestureRecognizer>();
    tap->addTarget(followGesture);
    hueCircle->addGestureRecognizer(tap);
    auto pan = std::make_shared<UIPanGestureRecognizer>();
    pan->addTarget(followGesture);
    hueCircle->circleView_->addGestureRecognizer(pan);
    return hueCircle;
}

_CLHueCircleView::_CLHueCircleView(Token, const CGRect& frame)
    : UIView(frame),
      circleView_(std::make_shared<CLCircleView>(CGRect{0, 0, kMarkerSide, kMarkerSide})) {
    setBackgroundColor(UIColor::clearColor());
    circleView_->setRadius(kMarkerRadius);
    circleView_->setBorderColor(UIColor::colorWithWhite(kMarkerBorderWhite, 1));
    circleView_->setBorderWidth(kMarkerBorderWidth);
    circleView_->setColor(UIColor::blackColor());
    circleView_->setCenter(ringCenter());
    addSubview(circleView_);
}

void _CLHueCircleView::setFrame(const CGRect& frame) {
    UIView::setFrame(frame);
    setNeedsDisplay();
}

// The marker and touches are measured in this view's own coordinates, so the centre
// is that of the bounds, wherever the view sits in its parent.
CGPoint _CLHueCircleView::ringCenter() const {
    return {bounds().midX(), bounds().midY()};
}

double _CLHueCircleView::circleRadius() const {
    const CGRect f = frame();
    return std::min(f.width(), f.height()) * kRadiusPerSide;
}

double _CLHueCircleView::hue() const {
    const CGPoint marker = circleView_->center();
    const CGPoint centre = ringCenter();
    const float angle = std::atan2(static_cast<float>(marker.y - centre.y),
                                   static_cast<float>(marker.x - centre.x));
    return angle > 0 ? angle / kTwoPi : angle / kTwoPi + 1;
}

double _CLHueCircleView::brightness() const {
    const double radius = circleRadius();
    if (radius <= 0) {
        return 0;
    }
    const CGPoint marker = circleView_->center();
    const CGPoint centre = ringCenter();
    const auto dx = static_cast<float>(marker.x - centre.x);
    const auto dy = static_cast<float>(marker.y - centre.y);
    return std::min(1.0, std::sqrt(dx * dx + dy * dy) / radius);
}

void _CLHueCircleView::placeMarker(double angle, double distance) {
    const CGPoint centre = ringCenter();
    const auto theta = static_cast<float>(angle);
    circleView_->setCenter(
        {centre.x + distance * std::cos(theta), centre.y + distance * std::sin(theta)});
}

void _CLHueCircleView::setCircleViewToPoint(CGPoint point) {
    const CGPoint centre = ringCenter();
    const double dx = point.x - centre.x;
    const double dy = point.y - centre.y;
    placeMarker(std::atan2(dy, dx), std::min(circleRadius(), std::sqrt(dx * dx + dy * dy)));
    colorStateDidChange();
}

void _CLHueCircleView::setColorWithHueSaturationBrightnessAlpha(double hue, double saturation,
                                                                double brightness, double alpha) {
    saturation_ = brightness == 0 ? 1.0 : saturation;
    alpha_ = alpha;
    // The ring shows the saturation.
    setNeedsDisplay();
    placeMarker(2 * std::numbers::pi * hue, circleRadius() * brightness);
    colorStateDidChange();
}

std::optional<_CLHueCircleView::Components> _CLHueCircleView::componentsOfColor(
    const UIColor& color) {
    Components components{0, 0, 0, 0};
    if (color.getHue(&components.hue, &components.saturation, &components.brightness,
                     &components.alpha) ||
        color.getWhite(&components.brightness, &components.alpha)) {
        return components;
    }
    return std::nullopt;
}

void _CLHueCircleView::setColor(const UIColor& color) {
    if (const auto components = componentsOfColor(color)) {
        setColorWithHueSaturationBrightnessAlpha(components->hue, components->saturation,
                                                 components->brightness, components->alpha);
    }
    setNeedsDisplay();
}

void _CLHueCircleView::setColorSaturation(double saturation) {
    saturation_ = saturation;
    setNeedsDisplay();
    colorStateDidChange();
}

void _CLHueCircleView::setColorAlpha(double alpha) {
    alpha_ = alpha;
    setNeedsDisplay();
    colorStateDidChange();
}

void _CLHueCircleView::colorStateDidChange() {
    circleView_->setColor(UIColor::colorWithHue(hue(), saturation_, brightness(), alpha_));
    if (const auto listener = delegate_.lock()) {
        listener->hueCircleViewDidChange(*this);
    }
}

// Only the ring is drawn; the disc inside stays clear, though the marker may sit
// anywhere in it.
void _CLHueCircleView::drawRect(CGContext& context, const CGRect&) {
    const double radius = circleRadius();
    const CGPoint centre = ringCenter();
    const double step = 2 * std::numbers::pi / kRingSegments;
    context.setLineWidth(kLineWidthPerRadius * radius);
    for (int k = 0; k < kRingSegments; ++k) {
        context.setStrokeColor(
            UIColor::colorWithHue(static_cast<double>(k) / kRingSegments, saturation_, 1, 1));
        context.beginPath();
        context.addArc(centre, radius, step * k, step * (k + 1.5), false);
        context.strokePath();
    }
}
