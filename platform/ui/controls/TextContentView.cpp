#include "platform/ui/controls/TextContentView.h"

#include <algorithm>

namespace {
// Taller than any text view's text.
constexpr double kUnboundedHeight = 1e7;
}  // namespace

TextContentView::TextContentView() {
    setUserInteractionEnabled(false);
}

void TextContentView::setText(const std::string& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    setNeedsDisplay();
}

void TextContentView::setAttributes(const NSStringAttributes& attributes) {
    attributes_ = attributes;
    setNeedsDisplay();
}

void TextContentView::setInsets(const UIEdgeInsets& insets) {
    insets_ = insets;
    setNeedsDisplay();
}

CGRect TextContentView::textRect(double width) const {
    return {insets_.left, insets_.top, std::max(0.0, width - insets_.left - insets_.right),
            kUnboundedHeight};
}

void TextContentView::drawRect(CGContext& context, const CGRect&) {
    if (!text_.empty()) {
        NSStringDrawing::drawInRect(context, text_, textRect(bounds().width()), attributes_);
    }
}
