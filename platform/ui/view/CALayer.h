#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/geometry/CATransform3D.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/animation/AnimatableValue.h"
#include "platform/ui/animation/CABasicAnimation.h"

class UIView;
struct LayerAnimation;

// The drawing side of a view: border, corner radius, masking, picture contents and
// the running animations. Every view has exactly one, reached with UIView::layer();
// the properties the platform keeps on both (transform, masking, opacity) are the
// view's.
class CALayer {
public:
    explicit CALayer(UIView& view);
    ~CALayer();
    CALayer(const CALayer&) = delete;
    CALayer& operator=(const CALayer&) = delete;

    // Drawn inside the bounds' edge, over the subviews.
    double borderWidth() const { return borderWidth_; }
    void setBorderWidth(double width);
    // Opaque black by default.
    const UIColor& borderColor() const { return borderColor_; }
    void setBorderColor(const UIColor& color);
    // Rounds the background and border; with masksToBounds, clips the content too.
    double cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(double radius);
    bool masksToBounds() const;
    void setMasksToBounds(bool masks);
    const CATransform3D& transform() const;
    void setTransform(const CATransform3D& transform);
    double opacity() const;
    void setOpacity(double opacity);

    // A picture shown over the background, placed by the view's content mode.
    const UIImagePtr& contents() const { return contents_; }
    void setContents(UIImagePtr image);

    // Values of the layer's own keys, for properties that animations drive: a drawn
    // property, or a subclass's own (a scroll view's offset). Inside a view animation
    // block a change animates like the view's properties; the view hears of each new
    // presented value through UIView::presentationValueDidChange.
    void setValueForKey(const std::string& key, const AnimatableValue& value);
    // The view's property for the platform's key paths ("position", "bounds",
    // "transform", "opacity", "backgroundColor"), else the key's own value, if any.
    std::optional<AnimatableValue> valueForKey(const std::string& keyPath) const;
    // The value shown at the animation clock's time: the running animation's, else
    // valueForKey's.
    std::optional<AnimatableValue> presentationValueForKey(const std::string& keyPath) const;

    // Adds or replaces (ending the replaced one with finished = false) the animation
    // under key. An animation of a layer key repaints the view's own drawing as it runs.
    void addAnimation(const CABasicAnimation& animation, const std::string& key);
    void removeAnimationForKey(const std::string& key);
    void removeAllAnimations();
    std::vector<std::string> animationKeys() const;
    const CABasicAnimation* animationForKey(const std::string& key) const;
    bool hasAnimations() const { return !animations_.empty(); }
    // True while an animation has not ended.
    bool hasRunningAnimations() const;

    // Draws the view and its subviews, as presented, into context in the view's bounds
    // coordinates.
    void renderInContext(CGContext& context);

    // The animation machinery's side.
    const std::vector<std::unique_ptr<LayerAnimation>>& runningAnimations() const {
        return animations_;
    }
    // Adds an animation, ending (finished = false) the one it replaces under its key.
    void addRunningAnimation(std::unique_ptr<LayerAnimation> animation);
    // Ends (finished = false) a view animation block's animation of keyPath.
    void removeImplicitAnimation(const std::string& keyPath);
    // Before a property changes from model to target: recorded by an open animation
    // block, else it ends the block animation running on it.
    void willChangeValue(const std::string& keyPath, const AnimatableValue& model,
                         const AnimatableValue& target);
    // Ends the animations whose time is up and lets the view show the rest moving.
    void updateAnimations(double now);
    // True while an animation of a block without the allow-user-interaction option runs.
    bool blocksInteraction() const;
    UIView& view() const { return view_; }

private:
    UIView& view_;
    double borderWidth_ = 0;
    UIColor borderColor_ = UIColor::blackColor();
    double cornerRadius_ = 0;
    UIImagePtr contents_;
    std::map<std::string, AnimatableValue> values_;
    std::vector<std::unique_ptr<LayerAnimation>> animations_;
};
