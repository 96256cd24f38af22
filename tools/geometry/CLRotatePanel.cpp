#include "tools/geometry/CLRotatePanel.h"

#include "platform/graphics/CGContext.h"

std::shared_ptr<CLRotatePanel> CLRotatePanel::create(const UIViewPtr& superview,
                                                     const CGRect& gridRect) {
    auto panel = std::make_shared<CLRotatePanel>(superview->bounds(), gridRect);
    superview->addSubview(panel);
    return panel;
}

CLRotatePanel::CLRotatePanel(const CGRect& frame, const CGRect& gridRect)
    : UIView(frame), gridRect_(gridRect) {}

void CLRotatePanel::setGridRect(const CGRect& rect) {
    gridRect_ = rect;
    setNeedsDisplay();
}

void CLRotatePanel::drawRect(CGContext& context, const CGRect&) {
    context.setStrokeColor(gridColor_);
    context.strokeRect(gridRect_);
}
