#include "platform/ui/controls/TextCaretLayout.h"

#include <QtGui/QTextLayout>
#include <algorithm>
#include <cmath>

#include "platform/graphics/FontCatalog.h"
#include "platform/graphics/TextLayout.h"

namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

namespace utf8 {

std::size_t length(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !isContinuationByte(c); }));
}

std::size_t byteOffset(const std::string& text, std::size_t index) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isContinuationByte(text[i])) {
            if (seen == index) {
                return i;
            }
            ++seen;
        }
    }
    return text.size();
}

}  // namespace utf8

// The same layout NSStringDrawing draws.
struct TextCaretLayout::Impl {
    QString text;
    QTextLayout layout;
    double boxWidth;
    double alignmentShare;
    double fontLineHeight;

    Impl(const std::string& source, const NSStringAttributes& attributes, double box,
         std::optional<double> wrapWidth)
        : text(QString::fromStdString(source)),
          layout(TextLayout::layoutText(source), qtFont(attributes.font), &pointResolutionDevice()),
          boxWidth(box),
          alignmentShare(attributes.alignment == NSTextAlignment::Center  ? 0.5
                         : attributes.alignment == NSTextAlignment::Right ? 1.0
                                                                          : 0.0),
          fontLineHeight(attributes.font.lineHeight()) {
        TextLayout::layOutLines(layout, wrapWidth);
    }

    // Code points to QString (UTF-16) positions and back.
    int position(std::size_t index) const {
        int position = 0;
        for (std::size_t i = 0; i < index && position < text.size(); ++i) {
            position += text.at(position).isHighSurrogate() && position + 1 < text.size() ? 2 : 1;
        }
        return position;
    }
    std::size_t index(int position) const {
        std::size_t count = 0;
        for (int p = 0; p < position && p < text.size(); ++count) {
            p += text.at(p).isHighSurrogate() && p + 1 < text.size() ? 2 : 1;
        }
        return count;
    }

    double lineHeight(const QTextLine& line) const {
        return line.ascent() + line.descent() + line.leading();
    }
    double lineOffset(const QTextLine& line) const {
        return (boxWidth - line.naturalTextWidth()) * alignmentShare;
    }
    double bottom() const {
        if (layout.lineCount() == 0) {
            return fontLineHeight;
        }
        const QTextLine last = layout.lineAt(layout.lineCount() - 1);
        return last.position().y() + lineHeight(last);
    }
};

TextCaretLayout::TextCaretLayout(const std::string& text, const NSStringAttributes& attributes,
                                 double boxWidth, std::optional<double> wrapWidth)
    : impl_(std::make_unique<Impl>(text, attributes, boxWidth, wrapWidth)) {}

TextCaretLayout::~TextCaretLayout() = default;

CGRect TextCaretLayout::caretRect(std::size_t index) const {
    const int position = impl_->position(index);
    const QTextLayout& layout = impl_->layout;
    if (layout.lineCount() == 0) {
        return {impl_->boxWidth * impl_->alignmentShare, 0, 0, impl_->fontLineHeight};
    }
    const QTextLine line = layout.lineForTextPosition(position).isValid()
                               ? layout.lineForTextPosition(position)
                               : layout.lineAt(layout.lineCount() - 1);
    const double x = line.cursorToX(position) + impl_->lineOffset(line);
    return {x, line.position().y(), 0, impl_->lineHeight(line)};
}

std::size_t TextCaretLayout::indexAtPoint(CGPoint point) const {
    const QTextLayout& layout = impl_->layout;
    if (layout.lineCount() == 0) {
        return 0;
    }
    // Below the last line is the end of the text, as on a phone.
    if (point.y >= impl_->bottom()) {
        return impl_->index(static_cast<int>(impl_->text.size()));
    }
    int lineNumber = layout.lineCount() - 1;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (point.y < line.position().y() + impl_->lineHeight(line)) {
            lineNumber = i;
            break;
        }
    }
    const QTextLine line = layout.lineAt(lineNumber);
    int position = line.xToCursor(point.x - impl_->lineOffset(line));
    // The caret does not go past a line's own break onto the next line.
    const int lineEnd = line.textStart() + line.textLength();
    if (position == lineEnd && lineEnd > line.textStart() && lineNumber + 1 < layout.lineCount() &&
        impl_->text.at(lineEnd - 1) == QLatin1Char('\n')) {
        --position;
    }
    return impl_->index(position);
}

std::size_t TextCaretLayout::indexOnAdjacentLine(std::size_t index, int direction) const {
    const CGRect caret = caretRect(index);
    const double y = direction < 0 ? caret.minY() - 1 : caret.maxY() + 1;
    if (y < 0) {
        return 0;
    }
    if (y >= height()) {
        return impl_->index(static_cast<int>(impl_->text.size()));
    }
    return indexAtPoint({caret.minX(), y});
}

double TextCaretLayout::height() const {
    return impl_->bottom();
}
