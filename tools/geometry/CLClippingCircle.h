#pragma once

#include <memory>

#include "platform/graphics/UIColor.h"
#include "platform/ui/view/UIView.h"

// A corner handle of the crop rectangle: a dot a third of its size across, in the
// middle of a touch area large enough for a finger.
class CLClippingCircle : public UIView {
public:
    static constexpr double kSide = 75;

    using UIView::UIView;

    const UIColor& bgColor() const { return bgColor_; }
    void setBgColor(const UIColor& color);

    void drawRect(CGContext& context, const CGRect& rect) override;

private:
    UIColor bgColor_ = UIColor::blackColor();
};

using CLClippingCirclePtr = std::shared_ptr<CLClippingCircle>;
