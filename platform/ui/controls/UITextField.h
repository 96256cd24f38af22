#pragma once

#include <memory>
#include <string>

#include "platform/graphics/NSStringDrawing.h"
#include "platform/ui/controls/EditableText.h"
#include "platform/ui/controls/TextCaretView.h"
#include "platform/ui/controls/UIResponder.h"
#include "platform/ui/controls/UITextFieldDelegate.h"
#include "platform/ui/view/UIControl.h"

enum class UITextBorderStyle { None, Line, Bezel, RoundedRect };

// One line of editable text. A tap makes it the first responder (the on-screen
// keyboard comes up, UIControlEventEditingDidBegin is sent) and puts the caret at the
// tapped character. Typed text replaces the selection and backspace deletes, each
// edit first allowed by the delegate and followed by UIControlEventEditingChanged;
// the arrow keys move the caret; return asks the delegate and sends
// UIControlEventEditingDidEndOnExit. The placeholder shows in grey while the text is
// empty. Text wider than the field scrolls sideways to keep the caret in view.
class UITextField : public UIControl, public UIResponder {
public:
    explicit UITextField(const CGRect& frame = CGRect{});
    ~UITextField() override;

    std::shared_ptr<UITextFieldDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<UITextFieldDelegate> delegate) {
        delegate_ = std::move(delegate);
    }

    const std::string& text() const { return editor_.text(); }
    // Puts the caret at the end; sends no event.
    void setText(const std::string& text);
    const std::string& placeholder() const { return placeholder_; }
    void setPlaceholder(const std::string& placeholder);
    // The system font of 17 points by default.
    const UIFont& font() const { return attributes_.font; }
    void setFont(const UIFont& font);
    const UIColor& textColor() const { return attributes_.color; }
    void setTextColor(const UIColor& color);
    NSTextAlignment textAlignment() const { return attributes_.alignment; }
    void setTextAlignment(NSTextAlignment alignment);
    UITextBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(UITextBorderStyle style);
    UIKeyboardType keyboardType() const override { return keyboardType_; }
    void setKeyboardType(UIKeyboardType type) { keyboardType_ = type; }
    bool isEditing() const { return isFirstResponder(); }

    NSRange selectedRange() const { return editor_.selectedRange(); }
    void setSelectedRange(NSRange range);
    // Where the text is drawn, inside the border.
    CGRect textRect() const;
    // The caret rectangle before the character at index, in the field's coordinates.
    CGRect caretRectForIndex(std::size_t index) const;

    // Responder.
    bool canBecomeFirstResponder() override;
    bool canResignFirstResponder() override;
    bool needsKeyboard() const override { return true; }
    void insertText(const std::string& text) override;
    void deleteBackward() override;
    bool handleKeyPress(const UIKeyPress& key) override;

    void endTrackingWithTouch(const UITouch& touch, const UIEvent& event) override;
    void drawRect(CGContext& context, const CGRect& rect) override;
    void layoutSubviews() override;
    void didMoveToWindow() override;

protected:
    UIView& responderView() override { return *this; }
    void didBecomeFirstResponder() override;
    void didResignFirstResponder() override;

private:
    void replaceByUser(NSRange range, const std::string& text);
    void caretMoved();
    // Scrolls the text sideways so the caret stays inside the text rectangle.
    void keepCaretVisible();
    // The caret rectangle in unscrolled text coordinates.
    CGRect textCaretRect(std::size_t index) const;

    std::weak_ptr<UITextFieldDelegate> delegate_;
    EditableText editor_;
    std::string placeholder_;
    NSStringAttributes attributes_;
    UITextBorderStyle borderStyle_ = UITextBorderStyle::None;
    UIKeyboardType keyboardType_ = UIKeyboardType::Default;
    std::shared_ptr<TextCaretView> caret_;
    // How far the text is scrolled to the left.
    double scroll_ = 0;
};

using UITextFieldPtr = std::shared_ptr<UITextField>;
