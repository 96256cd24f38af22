#pragma once

#include <memory>

#include "platform/graphics/UIColor.h"
#include "platform/ui/view/UIView.h"

// A filled disc with an optional outline, centred in the view: the colour picker's
// marker, the drag handle of the overlay boxes and the colour swatches of the text
// settings. The disc takes radius × the bounds' width and height (1 fills them).
class CLCircleView : public UIView {
public:
    explicit CLCircleView(const CGRect& frame = CGRect{});

    const UIColor& color() const { return color_; }
    void setColor(const UIColor& color);
    const UIColor& borderColor() const { return borderColor_; }
    void setBorderColor(const UIColor& color);
    double borderWidth() const { return borderWidth_; }
    void setBorderWidth(double width);
    // Takes effect at the next redraw.
    double radius() const { return radius_; }
    void setRadius(double radius) { radius_ = radius; }

    void drawRect(CGContext& context, const CGRect& rect) override;

private:
    UIColor color_ = UIColor::blackColor();
    UIColor borderColor_ = UIColor::clearColor();
    double borderWidth_ = 0;
    double radius_ = 1.0;
};

using CLCircleViewPtr = std::shared_ptr<CLCircleView>;
