#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/CLClassFactory.h"
#include "core/CLImageToolInfo.h"
#include "platform/foundation/RuntimeClass.h"
#include "platform/foundation/Value.h"
#include "platform/geometry/CGRect.h"
#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/view/UIView.h"
#include "tools/color/effects/CLEffectDelegate.h"

class CLEffectBase;

// How the effect tool makes the effect a strip item names: over the superview of the
// editor's image view, given the image view's frame and the item's descriptor.
using CLEffectFactory = CLClassFactory<CLEffectBase, UIViewPtr, CGRect, CLImageToolInfoPtr>;

// The root of the effect catalogue and its "None": an effect with no controls that
// leaves the picture as it is. Every effect of the effect tool derives from it; its
// static members are the protocol answers the effects share.
//
// An effect lives on the main thread with its controls. A render runs on a worker,
// so it never reads the controls: effectRender() takes their values on the main
// thread and returns a render that holds only those values.
class CLEffectBase {
public:
    static constexpr const char* kClassName = "CLEffectBase";

    // The classes whose docked numbers are their places in this list (0 to 7).
    static constexpr const char* kDockedEffectNames[] = {
        "CLEffectBase",  "CLSpotEffect",  "CLHueEffect",       "CLHighlightShadowEffect",
        "CLBloomEffect", "CLGloomEffect", "CLPosterizeEffect", "CLPixellateEffect",
    };

    // "<bundle>/CLEffectTool/<class name>.png"; nothing without a resource bundle.
    static std::optional<std::string> defaultIconImagePath(const RuntimeClass& effectClass);
    // The class's place in kDockedEffectNames, else the not-found index (the largest
    // signed 64-bit integer) read as unsigned, 9223372036854775808.0, so it sorts last.
    static double defaultDockedNumber(const RuntimeClass& effectClass);
    static std::string defaultTitle();
    static bool isAvailable() { return true; }
    static CLImageToolInfoArray subtools() { return {}; }
    static std::optional<ValueDictionary> optionalInfo() { return std::nullopt; }

    // A picture in, a new picture out; safe from any thread.
    using Render = std::function<UIImagePtr(const UIImagePtr& image)>;

    // Effects with controls build them in superview: over the displayed picture
    // (imageViewFrame) or over the whole superview.
    CLEffectBase(const UIViewPtr& superview, const CGRect& imageViewFrame,
                 CLImageToolInfoPtr toolInfo);
    virtual ~CLEffectBase();
    CLEffectBase(const CLEffectBase&) = delete;
    CLEffectBase& operator=(const CLEffectBase&) = delete;

    std::shared_ptr<CLEffectDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<CLEffectDelegate> delegate) { delegate_ = std::move(delegate); }
    const CLImageToolInfoPtr& toolInfo() const { return toolInfo_; }
    // The view that holds the controls; null for an effect without any.
    const UIViewPtr& containerView() const { return containerView_; }

    // Takes the controls off the screen.
    virtual void cleanup();
    // Whether a preview may render from the display-size copy of the picture.
    virtual bool needsThumbnailPreview() const { return true; }
    // Main thread: the effect with its controls' values now. The base returns the
    // picture itself.
    virtual Render effectRender() const;
    // Main thread: effectRender() applied to image.
    UIImagePtr applyEffect(const UIImagePtr& image) const { return effectRender()(image); }

    // The picture's size in pixels, as the engine measures it.
    static CGSize pixelSize(const UIImage& image);

protected:
    // Which area of a filter's output a render keeps.
    enum class Area { Output, Input };

    // The engine's filter over the upright picture with these inputs (the others keep
    // their defaults): its whole output, or the input picture's area of it. Null when
    // the filter or the memory is missing. Safe from any thread.
    static CGImageRef filteredBitmap(const UIImagePtr& image, const std::string& filterName,
                                     const ValueDictionary& inputs, Area area = Area::Output);
    // filteredBitmap as a picture of scale 1.
    static UIImagePtr filteredImage(const UIImagePtr& image, const std::string& filterName,
                                    const ValueDictionary& inputs, Area area = Area::Output);

    // Adds the view for the controls to superview.
    const UIViewPtr& addContainerView(UIView& superview, const CGRect& frame);
    // Tells the delegate that the user has changed a control.
    void notifyDelegate();

    // An action for a control or a gesture: calls handler on this effect while it
    // lives, since a control may outlive its effect by the rest of a touch.
    template <typename Effect, typename Sender>
    std::function<void(Sender&)> action(void (Effect::*handler)(Sender&)) {
        return [alive = std::weak_ptr<CLEffectBase>(lifetime_), handler](Sender& sender) {
            if (const auto effect = alive.lock()) {
                (static_cast<Effect*>(effect.get())->*handler)(sender);
            }
        };
    }

private:
    std::weak_ptr<CLEffectDelegate> delegate_;
    CLImageToolInfoPtr toolInfo_;
    UIViewPtr containerView_;
    // Owns nothing: its weak references say whether this effect still lives.
    std::shared_ptr<CLEffectBase> lifetime_;
};

using CLEffectBasePtr = std::shared_ptr<CLEffectBase>;
