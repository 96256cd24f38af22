#pragma once

#include <memory>

#include "platform/graphics/UIColor.h"
#include "platform/ui/view/UIView.h"

// The crop panel's drawing: the area outside the crop rectangle dimmed in bgColor, and
// the rectangle's border and thirds lines in gridColor. It stands in for a sublayer of
// the panel: it covers the panel and takes no touches. The rectangle is a key of its
// layer ("clippingRect"), so an animation of that key redraws it at every frame.
class CLGridLayar : public UIView {
public:
    static constexpr const char* kClippingRectKey = "clippingRect";

    explicit CLGridLayar(const CGRect& frame);

    CGRect clippingRect() const;
    void setClippingRect(const CGRect& rect);
    const UIColor& bgColor() const { return bgColor_; }
    void setBgColor(const UIColor& color);
    const UIColor& gridColor() const { return gridColor_; }
    void setGridColor(const UIColor& color);

    // Draws the rectangle as presented (mid-animation, the animated one).
    void drawRect(CGContext& context, const CGRect& rect) override;

private:
    UIColor bgColor_ = UIColor::clearColor();
    UIColor gridColor_ = UIColor::clearColor();
};

using CLGridLayarPtr = std::shared_ptr<CLGridLayar>;
