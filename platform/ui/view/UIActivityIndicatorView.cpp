#include "platform/ui/view/UIActivityIndicatorView.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int kSpokes = 12;
constexpr double kLargeDiameter = 37;
constexpr double kSmallDiameter = 20;
constexpr double kSecondsPerTurn = 1;
// The faintest spoke's alpha; the one at the phase is opaque.
constexpr double kTrailAlpha = 0.25;

UIColor colorOfStyle(UIActivityIndicatorViewStyle style) {
    return style == UIActivityIndicatorViewStyle::Gray ? UIColor::grayColor()
                                                       : UIColor::whiteColor();
}

}  // namespace

UIActivityIndicatorView::UIActivityIndicatorView(UIActivityIndicatorViewStyle style)
    : UIView(CGRect{}), style_(style), color_(colorOfStyle(style)) {
    const double diameter = wheelDiameter();
    setBounds({0, 0, diameter, diameter});
    setUserInteractionEnabled(false);
    setHidden(true);
    layer().setValueForKey(kPhaseKey, 0.0);
}

UIActivityIndicatorView::UIActivityIndicatorView(const CGRect& frame)
    : UIActivityIndicatorView(UIActivityIndicatorViewStyle::White) {
    setFrame(frame);
}

void UIActivityIndicatorView::setActivityIndicatorViewStyle(UIActivityIndicatorViewStyle style) {
    style_ = style;
    color_ = colorOfStyle(style);
    setNeedsDisplay();
}

void UIActivityIndicatorView::setColor(const UIColor& color) {
    color_ = color;
    setNeedsDisplay();
}

void UIActivityIndicatorView::startAnimating() {
    if (animating_) {
        return;
    }
    animating_ = true;
    setHidden(false);
    auto spin = CABasicAnimation::animationWithKeyPath(kPhaseKey);
    spin.setFromValue(0.0);
    spin.setToValue(static_cast<double>(kSpokes));
    spin.setDuration(kSecondsPerTurn);
    spin.setRepeatCount(CABasicAnimation::kRepeatForever);
    layer().addAnimation(spin, kPhaseKey);
}

void UIActivityIndicatorView::stopAnimating() {
    if (!animating_) {
        return;
    }
    animating_ = false;
    layer().removeAnimationForKey(kPhaseKey);
    setHidden(hidesWhenStopped_);
}

void UIActivityIndicatorView::setHidesWhenStopped(bool hides) {
    hidesWhenStopped_ = hides;
    if (!animating_) {
        setHidden(hides);
    }
}

double UIActivityIndicatorView::wheelDiameter() const {
    return style_ == UIActivityIndicatorViewStyle::WhiteLarge ? kLargeDiameter : kSmallDiameter;
}

CGSize UIActivityIndicatorView::sizeThatFits(CGSize) const {
    return {wheelDiameter(), wheelDiameter()};
}

void UIActivityIndicatorView::drawRect(CGContext& context, const CGRect&) {
    const double phase = layer().presentationValueForKey(kPhaseKey).value_or(0.0).number();
    const int head = static_cast<int>(std::floor(phase)) % kSpokes;
    const double radius = wheelDiameter() / 2;
    const CGPoint centre{bounds().midX(), bounds().midY()};
    context.saveGState();
    context.setLineWidth(radius * 0.2);
    context.setLineCap(CGLineCap::Round);
    for (int spoke = 0; spoke < kSpokes; ++spoke) {
        // Spokes behind the head fade, clockwise from the top.
        const int behind = (head - spoke + kSpokes) % kSpokes;
        const double alpha = 1 - (1 - kTrailAlpha) * behind / (kSpokes - 1);
        const double angle = 2 * std::numbers::pi * spoke / kSpokes - std::numbers::pi / 2;
        const CGPoint direction{std::cos(angle), std::sin(angle)};
        context.setStrokeColor(color_.colorWithAlphaComponent(color_.alpha() * alpha));
        context.strokeLineSegment(
            {centre.x + direction.x * radius * 0.5, centre.y + direction.y * radius * 0.5},
            {centre.x + direction.x * radius * 0.9, centre.y + direction.y * radius * 0.9});
    }
    context.restoreGState();
}
