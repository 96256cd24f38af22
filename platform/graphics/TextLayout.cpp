#include "platform/graphics/TextLayout.h"

#include <QtGui/QGlyphRun>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QRawFont>
#include <algorithm>

#include "platform/graphics/ColourEmoji.h"
#include "platform/graphics/FontCatalog.h"

namespace {

// Far wider than any picture, and within the range of Qt's fixed-point line widths.
constexpr double kUnboundedWidth = 1e6;
// Lines that overshoot the height by less than this still count as fitting.
constexpr double kFitTolerance = 0.01;

// A line's height, unrounded (QTextLine::height rounds up): ascent, descent and leading.
double lineHeight(const QTextLine& line) {
    return line.ascent() + line.descent() + line.leading();
}

// The outlines of the glyphs of one run, and a run of the glyphs that have no outline
// (colour emoji), which can only be filled.
void splitOutlines(const QGlyphRun& run, QPointF offset, QPainterPath& outlines,
                   QGlyphRun& unoutlined) {
    const QRawFont font = run.rawFont();
    // Asking a colour face for an outline leaves its shared font engine drawing every
    // glyph it has not drawn yet as nothing, so it is never asked.
    if (isColourEmojiFace(font)) {
        unoutlined = run;
        return;
    }
    const QList<quint32> indexes = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    QList<quint32> plainIndexes;
    QList<QPointF> plainPositions;
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        const QPainterPath glyph = font.pathForGlyph(indexes[i]);
        if (glyph.isEmpty()) {
            plainIndexes.append(indexes[i]);
            plainPositions.append(positions[i]);
        } else {
            outlines.addPath(glyph.translated(positions[i] + offset));
        }
    }
    unoutlined = run;
    unoutlined.setGlyphIndexes(plainIndexes);
    unoutlined.setPositions(plainPositions);
}

}  // namespace

TextLayout::TextLayout(const std::string& text, const UIFont& font, std::optional<double> wrapWidth)
    : layout_(layoutText(text), qtFont(font), &pointResolutionDevice()) {
    layout_.setCacheEnabled(true);
    layOutLines(layout_, wrapWidth);
}

QString TextLayout::layoutText(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return result;
}

void TextLayout::layOutLines(QTextLayout& layout, std::optional<double> wrapWidth) {
    QTextOption option;
    option.setWrapMode(wrapWidth ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    // Unrounded metrics, so text measures the same at every scale it is drawn at.
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.setFormats(colourEmojiFormats(layout.text()));
    layout.beginLayout();
    double y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(wrapWidth ? std::max(*wrapWidth, 0.0) : kUnboundedWidth);
        line.setPosition(QPointF(0, y));
        y += lineHeight(line);
    }
    layout.endLayout();
}

int TextLayout::linesFitting(std::optional<double> height) const {
    const int count = layout_.lineCount();
    if (!height) {
        return count;
    }
    int fitting = 1;
    while (fitting < count &&
           layout_.lineAt(fitting).position().y() + lineHeight(layout_.lineAt(fitting)) <=
               *height + kFitTolerance) {
        ++fitting;
    }
    return std::min(fitting, count);
}

CGSize TextLayout::size(int lineCount) const {
    double width = 0;
    double height = 0;
    for (int i = 0; i < lineCount; ++i) {
        const QTextLine line = layout_.lineAt(i);
        width = std::max(width, line.naturalTextWidth());
        height = line.position().y() + lineHeight(line);
    }
    return {width, height};
}

void TextLayout::draw(QPainter& painter, QPointF origin, double boxWidth, NSTextAlignment alignment,
                      int lineCount, const QBrush* fill, const QPen* stroke) const {
    const double share = alignment == NSTextAlignment::Center  ? 0.5
                         : alignment == NSTextAlignment::Right ? 1.0
                                                               : 0.0;
    QPainterPath outlines;
    QList<QGlyphRun> fillOnlyRuns;
    for (int i = 0; i < lineCount; ++i) {
        const QTextLine line = layout_.lineAt(i);
        const QPointF offset = origin + QPointF((boxWidth - line.naturalTextWidth()) * share, 0);
        for (const QGlyphRun& run : line.glyphRuns()) {
            if (fill != nullptr) {
                painter.setPen(QPen(*fill, 0));
                painter.drawGlyphRun(offset, run);
            }
            if (stroke != nullptr) {
                QGlyphRun unoutlined;
                splitOutlines(run, offset, outlines, unoutlined);
                if (fill == nullptr && !unoutlined.glyphIndexes().isEmpty()) {
                    painter.setPen(QPen(stroke->brush(), 0));
                    painter.drawGlyphRun(offset, unoutlined);
                }
            }
        }
    }
    if (stroke != nullptr) {
        painter.strokePath(outlines, *stroke);
    }
}
