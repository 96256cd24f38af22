#include "tools/overlay/text/CLOutlinedText.h"

#include <algorithm>

void CLOutlinedText::draw(CGContext& context) const {
    if (text.empty()) {
        return;
    }
    const CGSize size = NSStringDrawing::boundingSizeWithSize(text, {rect.width(), 0},
                                                              {font, fillColor, alignment});
    const double height = std::min(size.height, rect.height());
    const CGRect textRect{rect.minX(), rect.midY() - height / 2, rect.width(), height};
    context.saveGState();
    // A line of width 0 would still be a hairline, not nothing.
    if (strokeWidth > 0) {
        context.setLineWidth(strokeWidth);
        context.setLineJoin(CGLineJoin::Round);
        context.setTextDrawingMode(CGTextDrawingMode::Stroke);
        NSStringDrawing::drawInRect(context, text, textRect, {font, outlineColor, alignment});
    }
    context.setTextDrawingMode(CGTextDrawingMode::Fill);
    NSStringDrawing::drawInRect(context, text, textRect, {font, fillColor, alignment});
    context.restoreGState();
}
