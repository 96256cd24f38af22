#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/UIFont.h"
#include "tools/overlay/pickers/CLFontPickerViewDelegate.h"
#include "tools/overlay/pickers/CLPickerView.h"

// A two-column picker of a typeface and a point size: the left column lists the
// installed fonts, sorted by name, each row in its own face (showing the sample text,
// or the font's name without one); the right column lists sizes. The size column can
// be hidden, and the font column then takes the whole width. Every turn of either
// column reports the chosen font to the delegate.
class CLFontPickerView : public UIView, public CLPickerViewDataSource, public CLPickerViewDelegate {
public:
    // Size of the fonts of the font list.
    static constexpr double kListPointSize = 14;

    // Every installed face at 14 points, sorted by font name.
    static std::vector<UIFont> allFontList();
    static std::vector<double> defaultSizes();
    static UIFont defaultFont();

    static std::shared_ptr<CLFontPickerView> create(const CGRect& frame);

    std::shared_ptr<CLFontPickerViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<CLFontPickerViewDelegate> delegate) {
        delegate_ = std::move(delegate);
    }
    // A different list replaces the column's rows; an equal one changes nothing.
    const std::vector<UIFont>& fontList() const { return fontList_; }
    void setFontList(std::vector<UIFont> fonts);
    const std::vector<double>& fontSizes() const { return fontSizes_; }
    void setFontSizes(std::vector<double> sizes);
    // The face of the selected font row at the selected size.
    UIFont font() const;
    // Selects the font's face (the first one when it is not listed) and the first
    // size not smaller than its size (past the largest the wheel comes round to the
    // first size).
    void setFont(const UIFont& font);
    bool sizeComponentHidden() const { return sizeComponentHidden_; }
    void setSizeComponentHidden(bool hidden);
    // The veil over the rows that are not selected.
    UIColor foregroundColor() const;
    void setForegroundColor(const UIColor& color) { pickerView_->setForegroundColor(color); }
    // Shown in every font row when not empty; used as rows are built.
    const std::string& text() const { return text_; }
    void setText(const std::string& text) { text_ = text; }
    const UIColor& textColor() const { return textColor_; }
    void setTextColor(const UIColor& color) { textColor_ = color; }

    const CLPickerViewPtr& pickerView() const { return pickerView_; }

    long numberOfComponentsInPickerView(CLPickerView& picker) override;
    long pickerViewNumberOfRowsInComponent(CLPickerView& picker, long component) override;
    std::optional<double> pickerViewRowHeightForComponent(CLPickerView& picker,
                                                          long component) override;
    std::optional<double> pickerViewWidthForComponent(CLPickerView& picker,
                                                      long component) override;
    std::optional<UIViewPtr> pickerViewViewForRowForComponentReusingView(
        CLPickerView& picker, long row, long component, const UIViewPtr& view) override;
    void pickerViewDidSelectRowInComponent(CLPickerView& picker, long row, long component) override;

    struct Token {};
    CLFontPickerView(Token, const CGRect& frame);

private:
    enum Component : long { kFontComponent = 0, kSizeComponent = 1, kComponentCount = 2 };

    CLPickerViewPtr pickerView_;
    bool sizeComponentHidden_ = false;
    std::weak_ptr<CLFontPickerViewDelegate> delegate_;
    std::vector<UIFont> fontList_;
    std::vector<double> fontSizes_;
    std::string text_;
    UIColor textColor_ = UIColor::blackColor();
};

using CLFontPickerViewPtr = std::shared_ptr<CLFontPickerView>;
