#pragma once

#include "platform/foundation/Vector.h"
#include "platform/graphics/UIColor.h"
#include "platform/ui/view/UIView.h"

// A 30-point touch target with a 10-point dot in its middle, for one point of the tone
// curve. Its position is in unit coordinates (x right, y up) of layoutFrame, the
// rectangle of its parent that maps the unit square.
class CLControlPoint : public UIView {
public:
    static constexpr double kSide = 30;

    explicit CLControlPoint(const CGRect& layoutFrame);

    const Vector& controlPoint() const { return controlPoint_; }
    // Also moves the view's centre to the point.
    void setControlPoint(const Vector& point);
    const UIColor& bgColor() const { return bgColor_; }
    void setBgColor(const UIColor& color);
    const CGRect& layoutFrame() const { return layoutFrame_; }

    void drawRect(CGContext& context, const CGRect& rect) override;

private:
    CGRect layoutFrame_;
    Vector controlPoint_;
    UIColor bgColor_ = UIColor::whiteColor();
};

using CLControlPointPtr = std::shared_ptr<CLControlPoint>;
