#pragma once

#include "platform/graphics/UIColor.h"
#include "platform/ui/view/UIView.h"

// Numbered as the platform numbers them.
enum class UIActivityIndicatorViewStyle { WhiteLarge = 0, White = 1, Gray = 2 };

// The spinning wheel shown while something works: twelve spokes, the brightest one
// going round once a second on the animation clock. Drawn in the middle of the view
// at the style's size (37 points large, 20 otherwise). Hidden while stopped unless
// hidesWhenStopped is off. Takes no touches.
class UIActivityIndicatorView : public UIView {
public:
    // Sized for the style.
    explicit UIActivityIndicatorView(
        UIActivityIndicatorViewStyle style = UIActivityIndicatorViewStyle::White);
    explicit UIActivityIndicatorView(const CGRect& frame);

    UIActivityIndicatorViewStyle activityIndicatorViewStyle() const { return style_; }
    // Also sets the colour: white for the white styles, grey for Gray.
    void setActivityIndicatorViewStyle(UIActivityIndicatorViewStyle style);
    const UIColor& color() const { return color_; }
    void setColor(const UIColor& color);

    void startAnimating();
    void stopAnimating();
    bool isAnimating() const { return animating_; }
    bool hidesWhenStopped() const { return hidesWhenStopped_; }
    void setHidesWhenStopped(bool hides);

    CGSize sizeThatFits(CGSize size) const override;
    void drawRect(CGContext& context, const CGRect& rect) override;

    // The spokes' turn, 0 up to 12 once a second while animating.
    static constexpr const char* kPhaseKey = "activityIndicatorPhase";

private:
    double wheelDiameter() const;

    UIActivityIndicatorViewStyle style_;
    UIColor color_;
    bool animating_ = false;
    bool hidesWhenStopped_ = true;
};

using UIActivityIndicatorViewPtr = std::shared_ptr<UIActivityIndicatorView>;
