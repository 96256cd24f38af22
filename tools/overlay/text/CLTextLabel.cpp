#include "tools/overlay/text/CLTextLabel.h"

CLTextLabel::CLTextLabel(const CGRect& frame) : UILabel(frame) {}

void CLTextLabel::setOutlineColor(const UIColor& color) {
    if (color != outlineColor_) {
        outlineColor_ = color;
        setNeedsDisplay();
    }
}

void CLTextLabel::setOutlineWidth(double width) {
    if (width != outlineWidth_) {
        outlineWidth_ = width;
        setNeedsDisplay();
    }
}

CLOutlinedText CLTextLabel::outlinedText(const CGRect& rect) const {
    const double stroke = outlineWidth_ * font().pointSize() * kStrokePerPoint;
    const double inset = stroke * kInsetPerStroke;
    const CGRect inner = rect.insetBy(inset, inset);
    return {
        .text = text(),
        .font = fittingFont(inner.size),
        .fillColor = textColor(),
        .outlineColor = outlineColor_,
        .strokeWidth = stroke,
        .alignment = textAlignment(),
        .rect = inner,
    };
}

void CLTextLabel::drawTextInRect(CGContext& context, const CGRect& rect) {
    outlinedText(rect).draw(context);
}
