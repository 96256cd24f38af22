#include "platform/graphics/NSStringDrawing.h"

#include <QtGui/QPainter>

#include "platform/graphics/CGContextImpl.h"
#include "platform/graphics/TextLayout.h"

namespace {

std::optional<double> boundedOrNot(double length) {
    return length > 0 ? std::optional<double>(length) : std::nullopt;
}

void drawLayout(CGContext& context, const TextLayout& layout, QPointF origin, double boxWidth,
                int lineCount, const NSStringAttributes& attributes) {
    const CGTextDrawingMode mode = context.textDrawingMode();
    CGContext::Impl& impl = context.impl();
    impl.paint([&](QPainter& painter, const QTransform&) {
        const QBrush brush = impl.brush(attributes.color, painter.transform());
        const QPen pen = impl.pen(attributes.color, painter.transform());
        const bool fills = mode != CGTextDrawingMode::Stroke;
        const bool strokes = mode != CGTextDrawingMode::Fill;
        layout.draw(painter, origin, boxWidth, attributes.alignment, lineCount,
                    fills ? &brush : nullptr, strokes ? &pen : nullptr);
    });
}

}  // namespace

CGSize NSStringDrawing::sizeWithAttributes(const std::string& text,
                                           const NSStringAttributes& attributes) {
    const TextLayout layout(text, attributes.font, std::nullopt);
    return layout.size(layout.linesFitting(std::nullopt));
}

CGSize NSStringDrawing::boundingSizeWithSize(const std::string& text, CGSize size,
                                             const NSStringAttributes& attributes) {
    const TextLayout layout(text, attributes.font, boundedOrNot(size.width));
    return layout.size(layout.linesFitting(boundedOrNot(size.height)));
}

void NSStringDrawing::drawAtPoint(CGContext& context, const std::string& text, CGPoint point,
                                  const NSStringAttributes& attributes) {
    const TextLayout layout(text, attributes.font, std::nullopt);
    const int lines = layout.linesFitting(std::nullopt);
    drawLayout(context, layout, QPointF(point.x, point.y), layout.size(lines).width, lines,
               attributes);
}

void NSStringDrawing::drawInRect(CGContext& context, const std::string& text, const CGRect& rect,
                                 const NSStringAttributes& attributes) {
    const CGRect r = rect.standardized();
    const TextLayout layout(text, attributes.font, boundedOrNot(r.width()));
    drawLayout(context, layout, QPointF(r.minX(), r.minY()), r.width(),
               layout.linesFitting(r.height()), attributes);
}
