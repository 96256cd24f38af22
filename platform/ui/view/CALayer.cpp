#include "platform/ui/view/CALayer.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/animation/LayerAnimation.h"
#include "platform/ui/animation/ViewAnimationTransaction.h"
#include "platform/ui/view/UIView.h"
#include "platform/ui/view/UIViewRenderer.h"

namespace {

const std::string kPosition = "position";
const std::string kBounds = "bounds";
const std::string kTransform = "transform";
const std::string kRotationZ = "transform.rotation.z";
const std::string kOpacity = "opacity";
const std::string kBackgroundColor = "backgroundColor";

bool isViewProperty(const std::string& keyPath) {
    return keyPath == kPosition || keyPath == kBounds || keyPath == kTransform ||
           keyPath == kRotationZ || keyPath == kOpacity || keyPath == kBackgroundColor;
}

}  // namespace

CALayer::CALayer(UIView& view) : view_(view) {}

CALayer::~CALayer() {
    for (auto& animation : animations_) {
        if (!animation->ended) {
            animation->finish(false);
        }
    }
}

void CALayer::setBorderWidth(double width) {
    if (width == borderWidth_) {
        return;
    }
    borderWidth_ = width;
    view_.setNeedsRedraw();
}

void CALayer::setBorderColor(const UIColor& color) {
    if (color == borderColor_) {
        return;
    }
    borderColor_ = color;
    view_.setNeedsRedraw();
}

void CALayer::setCornerRadius(double radius) {
    if (radius == cornerRadius_) {
        return;
    }
    cornerRadius_ = radius;
    view_.setNeedsRedraw();
}

bool CALayer::masksToBounds() const {
    return view_.clipsToBounds();
}

void CALayer::setMasksToBounds(bool masks) {
    view_.setClipsToBounds(masks);
}

const CATransform3D& CALayer::transform() const {
    return view_.layerTransform();
}

void CALayer::setTransform(const CATransform3D& transform) {
    view_.setLayerTransform(transform);
}

double CALayer::opacity() const {
    return view_.alpha();
}

void CALayer::setOpacity(double opacity) {
    view_.setAlpha(opacity);
}

void CALayer::setContents(UIImagePtr image) {
    if (image == contents_) {
        return;
    }
    contents_ = std::move(image);
    view_.setNeedsRedraw();
}

void CALayer::setValueForKey(const std::string& key, const AnimatableValue& value) {
    const auto existing = values_.find(key);
    if (existing != values_.end()) {
        if (existing->second == value) {
            return;
        }
        willChangeValue(key, existing->second, value);
    }
    values_.insert_or_assign(key, value);
    view_.presentationValueDidChange(key);
}

std::optional<AnimatableValue> CALayer::valueForKey(const std::string& keyPath) const {
    if (keyPath == kPosition) {
        return view_.center();
    }
    if (keyPath == kBounds) {
        return view_.bounds();
    }
    if (keyPath == kTransform) {
        return view_.layerTransform();
    }
    if (keyPath == kRotationZ) {
        const CATransform3D& t = view_.layerTransform();
        return std::atan2(t.m12, t.m11);
    }
    if (keyPath == kOpacity) {
        return view_.alpha();
    }
    if (keyPath == kBackgroundColor) {
        return view_.backgroundColor();
    }
    const auto value = values_.find(keyPath);
    if (value == values_.end()) {
        return std::nullopt;
    }
    return value->second;
}

std::optional<AnimatableValue> CALayer::presentationValueForKey(const std::string& keyPath) const {
    std::optional<AnimatableValue> value = valueForKey(keyPath);
    if (animations_.empty()) {
        return value;
    }
    const double now = AnimationClock::shared().now();
    for (const auto& animation : animations_) {
        if (animation->animation.keyPath() == keyPath) {
            if (auto animated = animation->valueAt(now)) {
                value = std::move(animated);
            }
        }
    }
    if (keyPath == kTransform) {
        // Turns about z run on top of the transform, in its own plane.
        const double modelAngle = valueForKey(kRotationZ)->number();
        for (const auto& animation : animations_) {
            if (animation->animation.keyPath() != kRotationZ) {
                continue;
            }
            if (const auto angle = animation->valueAt(now)) {
                value = value->transform().rotatedBy(angle->number() - modelAngle, 0, 0, 1);
            }
        }
    }
    return value;
}

void CALayer::addAnimation(const CABasicAnimation& animation, const std::string& key) {
    const std::string& keyPath = animation.keyPath();
    const std::optional<AnimatableValue> model = valueForKey(keyPath);
    const std::optional<AnimatableValue> presented = presentationValueForKey(keyPath);
    const AnimatableValue fallback =
        animation.toValue().value_or(animation.fromValue().value_or(0.0));
    AnimatableValue from = animation.fromValue().value_or(presented.value_or(fallback));
    AnimatableValue to = animation.toValue().value_or(model.value_or(fallback));
    const double begin = AnimationClock::shared().now() + animation.beginOffset();
    addRunningAnimation(
        std::make_unique<LayerAnimation>(key, animation, std::move(from), std::move(to), begin));
}

void CALayer::addRunningAnimation(std::unique_ptr<LayerAnimation> animation) {
    removeAnimationForKey(animation->key);
    animations_.push_back(std::move(animation));
    // A view still under construction is not shared yet; its animations then end
    // only when replaced or removed.
    AnimationClock::shared().trackView(view_.weak_from_this().lock());
    view_.setNeedsRedraw();
}

void CALayer::removeAnimationForKey(const std::string& key) {
    const auto found = std::find_if(animations_.begin(), animations_.end(),
                                    [&](const auto& animation) { return animation->key == key; });
    if (found == animations_.end()) {
        return;
    }
    std::unique_ptr<LayerAnimation> removed = std::move(*found);
    animations_.erase(found);
    if (!removed->ended) {
        removed->finish(false);
    }
    view_.setNeedsRedraw();
}

void CALayer::removeAllAnimations() {
    while (!animations_.empty()) {
        removeAnimationForKey(animations_.front()->key);
    }
}

void CALayer::removeImplicitAnimation(const std::string& keyPath) {
    const auto found = std::find_if(
        animations_.begin(), animations_.end(),
        [&](const auto& animation) { return animation->implicit && animation->key == keyPath; });
    if (found != animations_.end()) {
        removeAnimationForKey(keyPath);
    }
}

std::vector<std::string> CALayer::animationKeys() const {
    std::vector<std::string> keys;
    for (const auto& animation : animations_) {
        keys.push_back(animation->key);
    }
    return keys;
}

const CABasicAnimation* CALayer::animationForKey(const std::string& key) const {
    for (const auto& animation : animations_) {
        if (animation->key == key) {
            return &animation->animation;
        }
    }
    return nullptr;
}

bool CALayer::hasRunningAnimations() const {
    return std::any_of(animations_.begin(), animations_.end(),
                       [](const auto& animation) { return !animation->ended; });
}

bool CALayer::blocksInteraction() const {
    return std::any_of(animations_.begin(), animations_.end(), [](const auto& animation) {
        return animation->blocksInteraction && !animation->ended;
    });
}

void CALayer::willChangeValue(const std::string& keyPath, const AnimatableValue& model,
                              const AnimatableValue& target) {
    if (auto* transaction = ViewAnimationTransaction::current()) {
        transaction->record(view_, keyPath, model, target);
    } else {
        removeImplicitAnimation(keyPath);
    }
}

void CALayer::updateAnimations(double now) {
    std::vector<std::unique_ptr<LayerAnimation>> finished;
    std::vector<std::string> movedKeys;
    for (auto it = animations_.begin(); it != animations_.end();) {
        LayerAnimation& animation = **it;
        if (animation.ended) {
            ++it;
            continue;
        }
        if (!isViewProperty(animation.animation.keyPath())) {
            movedKeys.push_back(animation.animation.keyPath());
        }
        if (!animation.hasEndedAt(now)) {
            ++it;
            continue;
        }
        animation.ended = true;
        if (animation.animation.isRemovedOnCompletion()) {
            finished.push_back(std::move(*it));
            it = animations_.erase(it);
        } else {
            animation.finish(true);
            ++it;
        }
    }
    view_.setNeedsRedraw();
    for (auto& animation : finished) {
        animation->finish(true);
    }
    for (const std::string& key : movedKeys) {
        view_.presentationValueDidChange(key);
    }
}

void CALayer::renderInContext(CGContext& context) {
    UIViewRenderer::render(view_, context);
}
