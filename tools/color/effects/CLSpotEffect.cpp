#include "tools/color/effects/CLSpotEffect.h"

#include <algorithm>

#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/engine/CIVector.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "platform/ui/gestures/UIPanGestureRecognizer.h"
#include "platform/ui/gestures/UIPinchGestureRecognizer.h"
#include "platform/ui/gestures/UITapGestureRecognizer.h"

namespace {

// The circle's diameter on screen relative to the vignette's radius.
constexpr double kCircleToRadius = 1.2;

}  // namespace

std::string CLSpotEffect::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLSpotEffect_DefaultTitle", "Spot");
}

bool CLSpotEffect::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 7.0;
}

CLSpotEffect::CLSpotEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                           CLImageToolInfoPtr toolInfo)
    : CLEffectBase(superview, imageViewFrame, std::move(toolInfo)) {
    addContainerView(*superview, imageViewFrame);
    setUserInterface();
}

void CLSpotEffect::setUserInterface() {
    const UIViewPtr& container = containerView();
    auto tap = std::make_shared<UITapGestureRecognizer>();
    tap->addTarget(action(&CLSpotEffect::tapContainerView));
    container->addGestureRecognizer(tap);
    auto pan = std::make_shared<UIPanGestureRecognizer>();
    pan->setMaximumNumberOfTouches(1);
    pan->addTarget(action(&CLSpotEffect::panContainerView));
    container->addGestureRecognizer(pan);
    auto pinch = std::make_shared<UIPinchGestureRecognizer>();
    pinch->addTarget(action(&CLSpotEffect::pinchContainerView));
    container->addGestureRecognizer(pinch);

    circleView_ = std::make_shared<CLSpotCircle>();
    circleView_->setBackgroundColor(UIColor::clearColor());
    circleView_->setColor(UIColor::whiteColor());
    container->addSubview(circleView_);
    drawCircleView();
}

CLEffectBase::Render CLSpotEffect::effectRender() const {
    return [x = x_, y = y_, r = r_](const UIImagePtr& image) {
        if (!image) {
            return UIImagePtr();
        }
        const CGSize pixels = pixelSize(*image);
        // The engine's vertical axis runs upwards, the spot's downwards.
        return filteredImage(
            image, "CIVignetteEffect",
            {{"inputCenter", CIVector::withX(pixels.width * x, pixels.height * (1 - y))},
             {"inputRadius", static_cast<float>(std::min(pixels.width, pixels.height) * 0.5 *
                                                (r + kRadiusOffset))}});
    };
}

void CLSpotEffect::drawCircleView() {
    const CGRect& area = containerView()->bounds();
    const double diameter =
        std::min(area.width(), area.height()) * (r_ + kRadiusOffset) * kCircleToRadius;
    circleView_->setFrame({0, 0, diameter, diameter});
    circleView_->setCenter({area.width() * x_, area.height() * y_});
}

void CLSpotEffect::tapContainerView(UIGestureRecognizer& sender) {
    moveToGesture(sender);
    notifyWhenEnded(sender);
}

void CLSpotEffect::panContainerView(UIGestureRecognizer& sender) {
    moveToGesture(sender);
    notifyWhenEnded(sender);
}

void CLSpotEffect::pinchContainerView(UIGestureRecognizer& sender) {
    const auto& pinch = static_cast<const UIPinchGestureRecognizer&>(sender);
    if (pinch.state() == UIGestureRecognizerState::Began) {
        pinchBase_ = r_ + kRadiusOffset;
    }
    r_ = std::clamp(pinchBase_ * pinch.scale(), kRadiusOffset, 1 + kRadiusOffset) - kRadiusOffset;
    drawCircleView();
    notifyWhenEnded(sender);
}

void CLSpotEffect::moveToGesture(const UIGestureRecognizer& sender) {
    const UIViewPtr& container = containerView();
    const CGPoint p = sender.locationInView(container.get());
    x_ = std::clamp(p.x / container->bounds().width(), 0.0, 1.0);
    y_ = std::clamp(p.y / container->bounds().height(), 0.0, 1.0);
    drawCircleView();
}

void CLSpotEffect::notifyWhenEnded(const UIGestureRecognizer& sender) {
    if (sender.state() == UIGestureRecognizerState::Ended) {
        notifyDelegate();
    }
}
