#include "platform/ui/view/UILabel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kUnlimited = std::numeric_limits<float>::max();
constexpr double kDefaultFontSize = 17;
constexpr int kFontSearchSteps = 12;
}  // namespace

UILabel::UILabel(const CGRect& frame)
    : UIView(frame), font_(UIFont::systemFontOfSize(kDefaultFontSize)) {
    setUserInteractionEnabled(false);
    setContentMode(UIViewContentMode::Redraw);
}

void UILabel::setText(const std::string& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    setNeedsDisplay();
}

void UILabel::setFont(const UIFont& font) {
    if (font == font_) {
        return;
    }
    font_ = font;
    setNeedsDisplay();
}

void UILabel::setTextColor(const UIColor& color) {
    if (color == textColor_) {
        return;
    }
    textColor_ = color;
    setNeedsDisplay();
}

void UILabel::setTextAlignment(NSTextAlignment alignment) {
    if (alignment == textAlignment_) {
        return;
    }
    textAlignment_ = alignment;
    setNeedsDisplay();
}

void UILabel::setNumberOfLines(int lines) {
    lines = std::max(lines, 0);
    if (lines == numberOfLines_) {
        return;
    }
    numberOfLines_ = lines;
    setNeedsDisplay();
}

void UILabel::setAdjustsFontSizeToFitWidth(bool adjusts) {
    if (adjusts == adjustsFontSizeToFitWidth_) {
        return;
    }
    adjustsFontSizeToFitWidth_ = adjusts;
    setNeedsDisplay();
}

void UILabel::setMinimumScaleFactor(double factor) {
    factor = std::clamp(factor, 0.0, 1.0);
    if (factor == minimumScaleFactor_) {
        return;
    }
    minimumScaleFactor_ = factor;
    setNeedsDisplay();
}

std::string UILabel::displayedText() const {
    if (numberOfLines_ != 1) {
        return text_;
    }
    // One line: line breaks in the text are not followed.
    std::string line = text_;
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

NSStringAttributes UILabel::attributes(const UIFont& font) const {
    return {font, textColor_, textAlignment_};
}

CGSize UILabel::textSize(const UIFont& font, double width) const {
    if (text_.empty()) {
        return {};
    }
    const NSStringAttributes style = attributes(font);
    if (numberOfLines_ == 1) {
        return NSStringDrawing::sizeWithAttributes(displayedText(), style);
    }
    const double heightLimit = numberOfLines_ > 0 ? numberOfLines_ * font.lineHeight() : 0;
    return NSStringDrawing::boundingSizeWithSize(text_, {width, heightLimit}, style);
}

CGSize UILabel::sizeThatFits(CGSize size) const {
    const double width = size.width > 0 ? size.width : kUnlimited;
    const CGSize fitted = textSize(font_, width);
    return {std::ceil(fitted.width), std::ceil(fitted.height)};
}

UIFont UILabel::fittingFont(CGSize size) const {
    auto fits = [&](const UIFont& font) {
        const CGSize needed = textSize(font, size.width);
        return numberOfLines_ == 1 ? needed.width <= size.width : needed.height <= size.height;
    };
    if (!adjustsFontSizeToFitWidth_ || text_.empty() || fits(font_)) {
        return font_;
    }
    const double minimumScale = std::max(minimumScaleFactor_, 0.01);
    // The largest scale that fits, by bisection: text size grows with the font's.
    double low = minimumScale;
    double high = 1;
    for (int i = 0; i < kFontSearchSteps; ++i) {
        const double middle = (low + high) / 2;
        (fits(font_.fontWithSize(font_.pointSize() * middle)) ? low : high) = middle;
    }
    return font_.fontWithSize(font_.pointSize() * low);
}

void UILabel::drawRect(CGContext& context, const CGRect&) {
    drawTextInRect(context, bounds());
}

void UILabel::drawTextInRect(CGContext& context, const CGRect& rect) {
    if (text_.empty()) {
        return;
    }
    const UIFont font = fittingFont(rect.size);
    const NSStringAttributes style = attributes(font);
    const CGSize size = textSize(font, rect.width());
    const double height = std::min(size.height, rect.height());
    // Centred vertically, as the platform's labels are.
    const CGRect textRect{rect.minX(), rect.midY() - height / 2, rect.width(), height};
    if (numberOfLines_ == 1) {
        drawSingleLine(context, textRect, size.width, style);
        return;
    }
    NSStringDrawing::drawInRect(context, text_, textRect, style);
}

void UILabel::drawSingleLine(CGContext& context, const CGRect& rect, double textWidth,
                             const NSStringAttributes& style) const {
    const std::string line = displayedText();
    if (textWidth <= rect.width()) {
        NSStringDrawing::drawInRect(context, line, rect, style);
        return;
    }
    // Too long for the label: the line overflows on the side away from its alignment
    // (a point of slack keeps it from wrapping).
    double x = rect.minX();
    if (textAlignment_ == NSTextAlignment::Center) {
        x = rect.midX() - textWidth / 2;
    } else if (textAlignment_ == NSTextAlignment::Right) {
        x = rect.maxX() - textWidth;
    }
    NSStringAttributes leftAligned = style;
    leftAligned.alignment = NSTextAlignment::Left;
    NSStringDrawing::drawInRect(context, line, {x, rect.minY(), textWidth + 1, rect.height()},
                                leftAligned);
}
