#include "platform/ui/controls/UITextView.h"

#include <algorithm>

#include "platform/ui/controls/TextCaretLayout.h"

namespace {
constexpr double kDefaultFontSize = 12;
}  // namespace

UITextView::UITextView(const CGRect& frame)
    : UIScrollView(frame),
      content_(std::make_shared<TextContentView>()),
      caret_(std::make_shared<TextCaretView>()),
      tap_(std::make_shared<UITapGestureRecognizer>()) {
    attributes_.font = UIFont::systemFontOfSize(kDefaultFontSize);
    content_->setAttributes(attributes_);
    content_->setInsets(insets_);
    tap_->addTarget([this](UIGestureRecognizer& recognizer) {
        if (recognizer.view().get() == this) {
            tapped();
        }
    });
    addGestureRecognizer(tap_);
}

UITextView::~UITextView() = default;

void UITextView::setDelegate(std::weak_ptr<UITextViewDelegate> delegate) {
    UIScrollView::setDelegate(delegate);
    delegate_ = std::move(delegate);
}

// The parts are subviews, which a view can only take once it is shared.
void UITextView::attachParts() {
    if (partsAttached_) {
        return;
    }
    partsAttached_ = true;
    insertSubviewAtIndex(content_, 0);
    content_->addSubview(caret_);
    textDidChangeShape();
}

void UITextView::didMoveToSuperview() {
    UIScrollView::didMoveToSuperview();
    attachParts();
}

void UITextView::layoutSubviews() {
    UIScrollView::layoutSubviews();
    attachParts();
    textDidChangeShape();
}

void UITextView::didMoveToWindow() {
    UIScrollView::didMoveToWindow();
    if (!window() && isFirstResponder()) {
        resignFirstResponder();
    }
}

// Properties.

void UITextView::setText(const std::string& text) {
    editor_.setText(text);
    textDidChangeShape();
}

void UITextView::setFont(const UIFont& font) {
    attributes_.font = font;
    content_->setAttributes(attributes_);
    textDidChangeShape();
}

void UITextView::setTextColor(const UIColor& color) {
    attributes_.color = color;
    content_->setAttributes(attributes_);
}

void UITextView::setTextAlignment(NSTextAlignment alignment) {
    attributes_.alignment = alignment;
    content_->setAttributes(attributes_);
    placeCaret();
}

void UITextView::setTextContainerInset(const UIEdgeInsets& insets) {
    insets_ = insets;
    content_->setInsets(insets_);
    textDidChangeShape();
}

void UITextView::setEditable(bool editable) {
    editable_ = editable;
    if (!editable_ && isFirstResponder()) {
        resignFirstResponder();
    }
}

void UITextView::setSelectedRange(NSRange range) {
    editor_.setSelectedRange(range);
    placeCaret();
}

// Geometry.

double UITextView::wrapWidth() const {
    return std::max(0.0, bounds().width() - insets_.left - insets_.right);
}

CGRect UITextView::caretRectForIndex(std::size_t index) const {
    const TextCaretLayout layout(editor_.text(), attributes_, wrapWidth(), wrapWidth());
    return layout.caretRect(index).offsetBy(insets_.left, insets_.top);
}

void UITextView::textDidChangeShape() {
    const double width = bounds().width();
    const TextCaretLayout layout(editor_.text(), attributes_, wrapWidth(), wrapWidth());
    const double height = insets_.top + layout.height() + insets_.bottom;
    setContentSize({width, height});
    content_->setFrame({0, 0, width, std::max(height, bounds().height())});
    content_->setText(editor_.text());
    placeCaret();
}

void UITextView::placeCaret() {
    if (isFirstResponder()) {
        caret_->placeAt(caretRectForIndex(editor_.selectedRange().end()));
    }
}

void UITextView::scrollRangeToVisible(NSRange range) {
    const CGRect caret = caretRectForIndex(range.end());
    scrollRectToVisible({caret.minX(), caret.minY(), 1, caret.height() + insets_.bottom}, false);
}

// Editing.

bool UITextView::canBecomeFirstResponder() {
    const auto delegate = delegate_.lock();
    return editable_ && (!delegate || delegate->textViewShouldBeginEditing(*this).value_or(true));
}

bool UITextView::canResignFirstResponder() {
    const auto delegate = delegate_.lock();
    return !delegate || delegate->textViewShouldEndEditing(*this).value_or(true);
}

void UITextView::didBecomeFirstResponder() {
    placeCaret();
    caret_->restartBlinking();
    if (const auto delegate = delegate_.lock()) {
        delegate->textViewDidBeginEditing(*this);
    }
}

void UITextView::didResignFirstResponder() {
    caret_->stop();
    if (const auto delegate = delegate_.lock()) {
        delegate->textViewDidEndEditing(*this);
    }
}

void UITextView::replaceByUser(NSRange range, const std::string& text) {
    if (const auto delegate = delegate_.lock();
        delegate && !delegate->textViewShouldChangeTextInRangeReplacementText(*this, range, text)
                         .value_or(true)) {
        return;
    }
    editor_.replace(range, text);
    textDidChangeShape();
    caret_->restartBlinking();
    scrollRangeToVisible(editor_.selectedRange());
    if (const auto delegate = delegate_.lock()) {
        delegate->textViewDidChange(*this);
    }
}

void UITextView::insertText(const std::string& typed) {
    const std::string text = textTypeableOn(keyboardType_, typed);
    if (editable_ && !text.empty()) {
        replaceByUser(editor_.selectedRange(), text);
    }
}

void UITextView::deleteBackward() {
    if (const auto range = editor_.rangeForDeleteBackward(); editable_ && range) {
        replaceByUser(*range, "");
    }
}

bool UITextView::handleKeyPress(const UIKeyPress& key) {
    switch (key.key) {
        case UIKeyPress::Key::Return:
            insertText("\n");
            return true;
        case UIKeyPress::Key::Delete:
            if (const auto range = editor_.rangeForDeleteForward(); editable_ && range) {
                replaceByUser(*range, "");
            }
            return true;
        case UIKeyPress::Key::Escape:
            resignFirstResponder();
            return true;
        case UIKeyPress::Key::UpArrow:
        case UIKeyPress::Key::DownArrow: {
            const TextCaretLayout layout(editor_.text(), attributes_, wrapWidth(), wrapWidth());
            const int direction = key.key == UIKeyPress::Key::UpArrow ? -1 : 1;
            editor_.setSelectedRange(
                {layout.indexOnAdjacentLine(editor_.selectedRange().end(), direction), 0});
            selectionMoved();
            return true;
        }
        default:
            if (!editor_.moveCaretForKey(key.key)) {
                return false;
            }
            selectionMoved();
            return true;
    }
}

void UITextView::selectionMoved() {
    placeCaret();
    caret_->restartBlinking();
    scrollRangeToVisible(editor_.selectedRange());
    if (const auto delegate = delegate_.lock()) {
        delegate->textViewDidChangeSelection(*this);
    }
}

void UITextView::tapped() {
    if (tap_->state() != UIGestureRecognizerState::Recognized || !becomeFirstResponder()) {
        return;
    }
    const CGPoint point = tap_->locationInView(content_.get());
    const TextCaretLayout layout(editor_.text(), attributes_, wrapWidth(), wrapWidth());
    editor_.setSelectedRange(
        {layout.indexAtPoint({point.x - insets_.left, point.y - insets_.top}), 0});
    selectionMoved();
}
