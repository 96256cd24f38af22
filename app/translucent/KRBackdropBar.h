#pragma once

#include <memory>
#include <optional>

#include "platform/graphics/UIColor.h"
#include "platform/ui/controls/UIBarStyle.h"
#include "platform/ui/view/UIView.h"

// The translucent bar a backdrop is made of: what lies behind it, blurred, under a
// wash of the bar's style or tint, as a phone's toolbar shows it.
//
// The blur is live. Each time the bar is drawn it renders the views behind it at a
// quarter of a point's resolution, blurs that small bitmap and stretches it over its
// bounds. After a draw the bar marks its drawing stale without asking for a paint, so
// the next paint of the window (which happens whenever something in it changed, the
// views behind included) samples again, and an unchanged screen costs nothing.
class KRBackdropBar : public UIView {
public:
    // Pixels per point of the sample of what lies behind.
    static constexpr double kSampleScale = 0.25;
    // Reach of the blur, in points on each side.
    static constexpr double kBlurRadius = 8;
    // Washes over the blur when there is no tint.
    static UIColor washColor(UIBarStyle style);

    explicit KRBackdropBar(const CGRect& frame = CGRect{});

    UIBarStyle barStyle() const { return barStyle_; }
    void setBarStyle(UIBarStyle style);
    // Laid over the blur instead of the style's wash; none by default.
    const std::optional<UIColor>& barTintColor() const { return barTintColor_; }
    void setBarTintColor(const std::optional<UIColor>& color);
    // An opaque bar shows its tint (or the style's wash) fully, with no blur.
    bool isTranslucent() const { return translucent_; }
    void setTranslucent(bool translucent);

    void drawRect(CGContext& context, const CGRect& rect) override;

private:
    UIColor overlayColor() const;
    void drawBlurredBackdrop(CGContext& context);
    void resampleOnNextPaint();

    UIBarStyle barStyle_ = UIBarStyle::Default;
    std::optional<UIColor> barTintColor_;
    bool translucent_ = true;
    bool resampleScheduled_ = false;
};

using KRBackdropBarPtr = std::shared_ptr<KRBackdropBar>;
