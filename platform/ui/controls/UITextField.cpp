#include "platform/ui/controls/UITextField.h"

#include <algorithm>

#include "platform/ui/controls/TextCaretLayout.h"

namespace {

constexpr double kDefaultFontSize = 17;
const UIColor kPlaceholderColor = UIColor::colorWithWhite(0.7);

double textInset(UITextBorderStyle style) {
    switch (style) {
        case UITextBorderStyle::RoundedRect:
            return 7;
        case UITextBorderStyle::Line:
        case UITextBorderStyle::Bezel:
            return 4;
        default:
            return 0;
    }
}

double alignmentShare(NSTextAlignment alignment) {
    return alignment == NSTextAlignment::Center  ? 0.5
           : alignment == NSTextAlignment::Right ? 1.0
                                                 : 0.0;
}

}  // namespace

UITextField::UITextField(const CGRect& frame)
    : UIControl(frame), caret_(std::make_shared<TextCaretView>()) {
    attributes_.font = UIFont::systemFontOfSize(kDefaultFontSize);
}

UITextField::~UITextField() = default;

// Properties.

void UITextField::setText(const std::string& text) {
    editor_.setText(text);
    scroll_ = 0;
    caretMoved();
}

void UITextField::setPlaceholder(const std::string& placeholder) {
    placeholder_ = placeholder;
    setNeedsDisplay();
}

void UITextField::setFont(const UIFont& font) {
    attributes_.font = font;
    caretMoved();
}

void UITextField::setTextColor(const UIColor& color) {
    attributes_.color = color;
    setNeedsDisplay();
}

void UITextField::setTextAlignment(NSTextAlignment alignment) {
    attributes_.alignment = alignment;
    caretMoved();
}

void UITextField::setBorderStyle(UITextBorderStyle style) {
    borderStyle_ = style;
    caretMoved();
}

void UITextField::setSelectedRange(NSRange range) {
    editor_.setSelectedRange(range);
    caretMoved();
}

// Geometry: one unbounded line, aligned in the text rectangle while it fits.

CGRect UITextField::textRect() const {
    const double inset = textInset(borderStyle_);
    return bounds().insetBy(inset, 0);
}

CGRect UITextField::textCaretRect(std::size_t index) const {
    NSStringAttributes leftAligned = attributes_;
    leftAligned.alignment = NSTextAlignment::Left;
    const TextCaretLayout layout(editor_.text(), leftAligned, textRect().width(), std::nullopt);
    const double textWidth = layout.caretRect(editor_.length()).minX();
    const double spare = std::max(0.0, textRect().width() - textWidth);
    return layout.caretRect(index).offsetBy(spare * alignmentShare(attributes_.alignment), 0);
}

CGRect UITextField::caretRectForIndex(std::size_t index) const {
    const CGRect inText = textCaretRect(index);
    const CGRect area = textRect();
    return {area.minX() + inText.minX() - scroll_, area.midY() - inText.height() / 2, 0,
            inText.height()};
}

void UITextField::keepCaretVisible() {
    const double caret = textCaretRect(editor_.selectedRange().end()).minX();
    const double width = std::max(0.0, textRect().width());
    const double textEnd = textCaretRect(editor_.length()).minX();
    scroll_ = std::clamp(scroll_, caret - width, caret);
    scroll_ = std::clamp(scroll_, 0.0, std::max(0.0, textEnd - width));
}

void UITextField::caretMoved() {
    keepCaretVisible();
    if (isFirstResponder()) {
        caret_->placeAt(caretRectForIndex(editor_.selectedRange().end()));
    }
    setNeedsDisplay();
}

void UITextField::layoutSubviews() {
    UIControl::layoutSubviews();
    caretMoved();
}

void UITextField::drawRect(CGContext& context, const CGRect&) {
    if (borderStyle_ == UITextBorderStyle::RoundedRect) {
        const CGPath shape = CGPath::withRoundedRect(bounds().insetBy(0.5, 0.5), 5, 5);
        context.setFillColor(UIColor::whiteColor());
        context.beginPath();
        context.addPath(shape);
        context.fillPath();
        context.setStrokeColor(UIColor::colorWithWhite(0.8));
        context.setLineWidth(1);
        context.beginPath();
        context.addPath(shape);
        context.strokePath();
    } else if (borderStyle_ != UITextBorderStyle::None) {
        context.setStrokeColor(borderStyle_ == UITextBorderStyle::Line
                                   ? UIColor::blackColor()
                                   : UIColor::colorWithWhite(0.6));
        context.setLineWidth(1);
        context.strokeRect(bounds().insetBy(0.5, 0.5));
    }
    const bool showsPlaceholder = editor_.text().empty();
    const std::string& shown = showsPlaceholder ? placeholder_ : editor_.text();
    if (shown.empty()) {
        return;
    }
    NSStringAttributes style = attributes_;
    if (showsPlaceholder) {
        style.color = kPlaceholderColor;
    }
    const CGRect area = textRect();
    const CGSize size = NSStringDrawing::sizeWithAttributes(shown, style);
    const double spare = std::max(0.0, area.width() - size.width);
    context.saveGState();
    context.clipToRect(area);
    NSStringDrawing::drawAtPoint(
        context, shown,
        {area.minX() + spare * alignmentShare(style.alignment) - (showsPlaceholder ? 0 : scroll_),
         area.midY() - style.font.lineHeight() / 2},
        style);
    context.restoreGState();
}

// Editing.

bool UITextField::canBecomeFirstResponder() {
    const auto delegate = delegate_.lock();
    return isEnabled() &&
           (!delegate || delegate->textFieldShouldBeginEditing(*this).value_or(true));
}

bool UITextField::canResignFirstResponder() {
    const auto delegate = delegate_.lock();
    return !delegate || delegate->textFieldShouldEndEditing(*this).value_or(true);
}

void UITextField::didBecomeFirstResponder() {
    if (caret_->superview().get() != this) {
        addSubview(caret_);
    }
    caretMoved();
    caret_->restartBlinking();
    if (const auto delegate = delegate_.lock()) {
        delegate->textFieldDidBeginEditing(*this);
    }
    sendActionsForControlEvents(UIControlEventEditingDidBegin);
}

void UITextField::didResignFirstResponder() {
    caret_->stop();
    if (const auto delegate = delegate_.lock()) {
        delegate->textFieldDidEndEditing(*this);
    }
    sendActionsForControlEvents(UIControlEventEditingDidEnd);
}

void UITextField::didMoveToWindow() {
    UIControl::didMoveToWindow();
    if (!window() && isFirstResponder()) {
        resignFirstResponder();
    }
}

void UITextField::replaceByUser(NSRange range, const std::string& text) {
    if (const auto delegate = delegate_.lock();
        delegate &&
        !delegate->textFieldShouldChangeCharactersInRangeReplacementString(*this, range, text)
             .value_or(true)) {
        return;
    }
    editor_.replace(range, text);
    caretMoved();
    caret_->restartBlinking();
    sendActionsForControlEvents(UIControlEventEditingChanged);
}

void UITextField::insertText(const std::string& typed) {
    const std::string text = textTypeableOn(keyboardType_, typed);
    if (!text.empty()) {
        replaceByUser(editor_.selectedRange(), text);
    }
}

void UITextField::deleteBackward() {
    if (const auto range = editor_.rangeForDeleteBackward()) {
        replaceByUser(*range, "");
    }
}

bool UITextField::handleKeyPress(const UIKeyPress& key) {
    switch (key.key) {
        case UIKeyPress::Key::Return: {
            const auto delegate = delegate_.lock();
            if (!delegate || delegate->textFieldShouldReturn(*this).value_or(true)) {
                sendActionsForControlEvents(UIControlEventEditingDidEndOnExit);
            }
            return true;
        }
        case UIKeyPress::Key::Delete:
            if (const auto range = editor_.rangeForDeleteForward()) {
                replaceByUser(*range, "");
            }
            return true;
        case UIKeyPress::Key::Escape:
            resignFirstResponder();
            return true;
        default:
            if (!editor_.moveCaretForKey(key.key)) {
                return false;
            }
            caretMoved();
            caret_->restartBlinking();
            return true;
    }
}

void UITextField::endTrackingWithTouch(const UITouch& touch, const UIEvent&) {
    if (!isTouchInside() || !becomeFirstResponder()) {
        return;
    }
    const CGPoint point = touch.locationInView(this);
    NSStringAttributes leftAligned = attributes_;
    leftAligned.alignment = NSTextAlignment::Left;
    const TextCaretLayout layout(editor_.text(), leftAligned, textRect().width(), std::nullopt);
    const double alignOffset = textCaretRect(0).minX();
    editor_.setSelectedRange(
        {layout.indexAtPoint({point.x - textRect().minX() - alignOffset + scroll_, 0}), 0});
    caretMoved();
    caret_->restartBlinking();
}
