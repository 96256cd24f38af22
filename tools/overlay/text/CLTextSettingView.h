#pragma once

#include <memory>
#include <string>

#include "platform/foundation/NSNotification.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/controls/UISlider.h"
#include "platform/ui/controls/UITextView.h"
#include "platform/ui/gestures/UIGestureRecognizer.h"
#include "tools/overlay/pickers/CLCircleView.h"
#include "tools/overlay/pickers/CLColorPickerView.h"
#include "tools/overlay/pickers/CLFontPickerView.h"
#include "tools/overlay/text/CLTextSettingViewDelegate.h"

// The panel in which the user edits the active text: three pages side by side, shown
// one at a time by its owner (the user cannot swipe): the text field; the colours,
// with a fill and an outline swatch (the one selected is the one the colour picker
// edits) and the outline-width slider; and the font picker. Every change the user
// makes reaches the delegate. While the on-screen keyboard shows, the panel rises just
// enough for the text field to end where the keyboard begins, and the field shrinks to
// 80 points; when it goes, the field takes the panel's height less 20.
class CLTextSettingView : public UIView,
                          public UITextViewDelegate,
                          public CLColorPickerViewDelegate,
                          public CLFontPickerViewDelegate {
public:
    static constexpr double kTextFieldHeightWithKeyboard = 80;
    static constexpr double kTextFieldMargin = 10;
    static constexpr double kPickerHeight = 160;
    static constexpr double kSwatchSide = 40;
    static constexpr int kTextPage = 0;
    static constexpr int kColorPage = 1;
    static constexpr int kFontPage = 2;

    static std::shared_ptr<CLTextSettingView> create(const CGRect& frame);
    ~CLTextSettingView() override;

    std::shared_ptr<CLTextSettingViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<CLTextSettingViewDelegate> delegate) {
        delegate_ = std::move(delegate);
    }

    // Setting a value tells the delegate nothing.
    const std::string& selectedText() const { return textView_->text(); }
    void setSelectedText(const std::string& text) { textView_->setText(text); }
    const UIColor& selectedFillColor() const { return fillCircle_->color(); }
    void setSelectedFillColor(const UIColor& color);
    const UIColor& selectedBorderColor() const { return pathCircle_->borderColor(); }
    void setSelectedBorderColor(const UIColor& color);
    double selectedBorderWidth() const { return pathSlider_->value(); }
    void setSelectedBorderWidth(double width) { pathSlider_->setValue(width); }
    UIFont selectedFont() const { return fontPickerView_->font(); }
    void setSelectedFont(const UIFont& font) { fontPickerView_->setFont(font); }

    // Of the font rows and the text field.
    void setTextColor(const UIColor& color);
    // The font picker's veil.
    void setFontPickerForegroundColor(const UIColor& color) {
        fontPickerView_->setForegroundColor(color);
    }

    // The text field's: they bring the keyboard up and take it down.
    bool isFirstResponder() const { return textView_->isFirstResponder(); }
    bool becomeFirstResponder() { return textView_->becomeFirstResponder(); }
    bool resignFirstResponder() { return textView_->resignFirstResponder(); }

    void showSettingMenuWithIndex(int index, bool animated);
    // The swatch the colour picker edits: fillCircle() or pathCircle().
    const UIViewPtr& selectedMode() const { return selectedMode_; }
    void setSelectedMode(const UIViewPtr& mode);

    const UIScrollViewPtr& scrollView() const { return scrollView_; }
    const UITextViewPtr& textView() const { return textView_; }
    const CLColorPickerViewPtr& colorPickerView() const { return colorPickerView_; }
    const CLFontPickerViewPtr& fontPickerView() const { return fontPickerView_; }
    const CLCircleViewPtr& fillCircle() const { return fillCircle_; }
    const CLCircleViewPtr& pathCircle() const { return pathCircle_; }
    const UISliderPtr& pathSlider() const { return pathSlider_; }

    void textViewDidChange(UITextView& textView) override;
    void colorPickerViewColorDidChange(CLColorPickerView& picker, const UIColor& color) override;
    void fontPickerViewDidSelectFont(CLFontPickerView& picker, const UIFont& font) override;

    struct Token {};
    CLTextSettingView(Token, const CGRect& frame);

private:
    void customInit();
    void setColorPanel();
    CLCircleViewPtr addSwatch(const CGRect& frame, int tag);
    void observeKeyboard();
    void keyBoardWillChange(const NSNotification& notification, double textViewHeight);
    // Shows color in the picker without hearing it back as the user's choice.
    void showColorInPicker(const UIColor& color);

    UIScrollViewPtr scrollView_;
    UITextViewPtr textView_;
    UIViewPtr colorPanel_;
    CLColorPickerViewPtr colorPickerView_;
    CLFontPickerViewPtr fontPickerView_;
    CLCircleViewPtr fillCircle_;
    CLCircleViewPtr pathCircle_;
    UISliderPtr pathSlider_;
    UIViewPtr selectedMode_;
    std::weak_ptr<CLTextSettingViewDelegate> delegate_;
    bool showingColor_ = false;
};

using CLTextSettingViewPtr = std::shared_ptr<CLTextSettingView>;
