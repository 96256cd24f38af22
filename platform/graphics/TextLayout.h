#pragma once

// Lines of text laid out by Qt's text system, for platform sources only.

#include <QtGui/QTextLayout>
#include <optional>
#include <string>

#include "platform/geometry/CGSize.h"
#include "platform/graphics/NSStringDrawing.h"

// A string laid out downwards from (0, 0) in points, one line after another (a line of
// the font's own glyphs is its lineHeight tall), wrapped to a width or on unbounded lines.
class TextLayout {
public:
    TextLayout(const std::string& text, const UIFont& font, std::optional<double> wrapWidth);

    // Lays out a layout's text as every text here is laid out: word wrapping that breaks
    // long words, design metrics, unrounded line heights, emoji in colour.
    static void layOutLines(QTextLayout& layout, std::optional<double> wrapWidth);
    // The text as laid out: line breaks become line separators.
    static QString layoutText(const std::string& text);

    // How many lines fit in height (all when unbounded); never fewer than one.
    int linesFitting(std::optional<double> height) const;
    // Widest line and total height of the first lineCount lines.
    CGSize size(int lineCount) const;

    // Paints the first lineCount lines, each aligned within boxWidth, from origin.
    // fill and stroke may be null; outlines take the pen, fills the brush.
    void draw(QPainter& painter, QPointF origin, double boxWidth, NSTextAlignment alignment,
              int lineCount, const QBrush* fill, const QPen* stroke) const;

private:
    QTextLayout layout_;
};
