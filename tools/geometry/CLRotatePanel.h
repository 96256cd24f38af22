#pragma once

#include "platform/graphics/UIColor.h"
#include "platform/ui/view/UIView.h"

// A transparent overlay over the whole of its superview that strokes one rectangle:
// the turned picture's outline, or the frame a crop-rotate keeps.
class CLRotatePanel : public UIView {
public:
    // A panel over superview's bounds outlining gridRect, added to superview.
    static std::shared_ptr<CLRotatePanel> create(const UIViewPtr& superview,
                                                 const CGRect& gridRect);
    CLRotatePanel(const CGRect& frame, const CGRect& gridRect);

    const UIColor& gridColor() const { return gridColor_; }
    void setGridColor(const UIColor& color) { gridColor_ = color; }
    // Kept for hosts that style the panel; the drawing does not use it.
    const UIColor& bgColor() const { return bgColor_; }
    void setBgColor(const UIColor& color) { bgColor_ = color; }
    const CGRect& gridRect() const { return gridRect_; }
    void setGridRect(const CGRect& rect);

    void drawRect(CGContext& context, const CGRect& rect) override;

private:
    UIColor gridColor_ = UIColor::blackColor();
    UIColor bgColor_ = UIColor::clearColor();
    CGRect gridRect_;
};

using CLRotatePanelPtr = std::shared_ptr<CLRotatePanel>;
