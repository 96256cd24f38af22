#pragma once

#include <memory>
#include <string>

#include "platform/graphics/NSStringDrawing.h"
#include "platform/ui/controls/EditableText.h"
#include "platform/ui/controls/TextCaretView.h"
#include "platform/ui/controls/TextContentView.h"
#include "platform/ui/controls/UIResponder.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/controls/UITextViewDelegate.h"
#include "platform/ui/gestures/UITapGestureRecognizer.h"

// Multi-line editable text that scrolls when it is taller than the view. A tap makes
// it the first responder (the on-screen keyboard comes up) and puts the caret at the
// tapped character; typed text replaces the selection, backspace deletes, the arrow
// keys move the caret and return types a line break, each edit first allowed by the
// delegate. Text is wrapped to the width less the text container insets.
class UITextView : public UIScrollView, public UIResponder {
public:
    explicit UITextView(const CGRect& frame = CGRect{});
    ~UITextView() override;

    std::shared_ptr<UITextViewDelegate> delegate() const { return delegate_.lock(); }
    // Also the scroll view's delegate.
    void setDelegate(std::weak_ptr<UITextViewDelegate> delegate);

    const std::string& text() const { return editor_.text(); }
    // Puts the caret at the end; tells the delegate nothing.
    void setText(const std::string& text);
    // The system font of 12 points by default.
    const UIFont& font() const { return attributes_.font; }
    void setFont(const UIFont& font);
    const UIColor& textColor() const { return attributes_.color; }
    void setTextColor(const UIColor& color);
    NSTextAlignment textAlignment() const { return attributes_.alignment; }
    void setTextAlignment(NSTextAlignment alignment);
    // Top and bottom 8, left and right 5 by default.
    const UIEdgeInsets& textContainerInset() const { return insets_; }
    void setTextContainerInset(const UIEdgeInsets& insets);
    bool isEditable() const { return editable_; }
    void setEditable(bool editable);
    UIKeyboardType keyboardType() const override { return keyboardType_; }
    void setKeyboardType(UIKeyboardType type) { keyboardType_ = type; }

    NSRange selectedRange() const { return editor_.selectedRange(); }
    void setSelectedRange(NSRange range);
    // Scrolls the least needed to show the end of range.
    void scrollRangeToVisible(NSRange range);
    // The caret rectangle before the character at index, in the content's coordinates.
    CGRect caretRectForIndex(std::size_t index) const;

    // Responder.
    bool canBecomeFirstResponder() override;
    bool canResignFirstResponder() override;
    bool needsKeyboard() const override { return true; }
    void insertText(const std::string& text) override;
    void deleteBackward() override;
    bool handleKeyPress(const UIKeyPress& key) override;

    void layoutSubviews() override;
    void didMoveToSuperview() override;
    void didMoveToWindow() override;

protected:
    UIView& responderView() override { return *this; }
    void didBecomeFirstResponder() override;
    void didResignFirstResponder() override;

private:
    void attachParts();
    // The user's edit: asks the delegate, applies it, tells the delegate.
    void replaceByUser(NSRange range, const std::string& text);
    void selectionMoved();
    void textDidChangeShape();
    void placeCaret();
    void tapped();
    double wrapWidth() const;

    std::weak_ptr<UITextViewDelegate> delegate_;
    EditableText editor_;
    NSStringAttributes attributes_;
    UIEdgeInsets insets_{8, 5, 8, 5};
    bool editable_ = true;
    UIKeyboardType keyboardType_ = UIKeyboardType::Default;
    std::shared_ptr<TextContentView> content_;
    std::shared_ptr<TextCaretView> caret_;
    std::shared_ptr<UITapGestureRecognizer> tap_;
    bool partsAttached_ = false;
};

using UITextViewPtr = std::shared_ptr<UITextView>;
