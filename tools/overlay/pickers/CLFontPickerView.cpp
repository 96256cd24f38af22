#include "tools/overlay/pickers/CLFontPickerView.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "platform/ui/view/UILabel.h"

namespace {

constexpr double kRowHeightPerHeight = 0.25;
// The font column's share of the width while the size column shows.
constexpr double kFontColumnShare = 0.8;
constexpr double kLabelInset = 10;
constexpr double kLabelMinimumScale = 0.5;
constexpr double kSizeLabelPointSize = 14;
const UIColor kDefaultForegroundColor = UIColor::colorWithWhite(1, 0.8);

// 24 as "24", 10.5 as "10.5".
std::string sizeText(double size) {
    std::ostringstream text;
    text << size;
    return text.str();
}

}  // namespace

std::vector<UIFont> CLFontPickerView::allFontList() {
    std::vector<UIFont> fonts;
    for (const std::string& family : UIFont::familyNames()) {
        for (const std::string& name : UIFont::fontNamesForFamilyName(family)) {
            fonts.push_back(UIFont::fontWithName(name, kListPointSize));
        }
    }
    std::stable_sort(fonts.begin(), fonts.end(),
                     [](const UIFont& a, const UIFont& b) { return a.fontName() < b.fontName(); });
    return fonts;
}

std::vector<double> CLFontPickerView::defaultSizes() {
    return {8, 10, 12, 14, 16, 18, 20, 24, 28, 32, 38, 44, 50};
}

// Where that face is missing, whatever the font system substitutes for it.
UIFont CLFontPickerView::defaultFont() {
    return UIFont::fontWithName("HiraKakuProN-W3", kListPointSize);
}

std::shared_ptr<CLFontPickerView> CLFontPickerView::create(const CGRect& frame) {
    auto picker = std::make_shared<CLFontPickerView>(Token{}, frame);
    picker->pickerView_->setDataSource(picker);
    picker->pickerView_->setDelegate(picker);
    picker->setFontList(allFontList());
    picker->setFontSizes(defaultSizes());
    picker->setFont(defaultFont());
    picker->setForegroundColor(kDefaultForegroundColor);
    picker->setTextColor(UIColor::blackColor());
    return picker;
}

CLFontPickerView::CLFontPickerView(Token, const CGRect& frame)
    : UIView(frame), pickerView_(CLPickerView::create(bounds())) {
    setClipsToBounds(true);
    pickerView_->setCenter({bounds().width() / 2, bounds().height() / 2});
    pickerView_->setBackgroundColor(UIColor::clearColor());
    addSubview(pickerView_);
}

void CLFontPickerView::setFontList(std::vector<UIFont> fonts) {
    if (fonts != fontList_) {
        fontList_ = std::move(fonts);
        pickerView_->reloadComponent(kFontComponent);
    }
}

void CLFontPickerView::setFontSizes(std::vector<double> sizes) {
    if (sizes != fontSizes_) {
        fontSizes_ = std::move(sizes);
        pickerView_->reloadComponent(kSizeComponent);
    }
}

UIFont CLFontPickerView::font() const {
    const auto fontRow =
        static_cast<std::size_t>(pickerView_->selectedRowInComponent(kFontComponent));
    const auto sizeRow =
        static_cast<std::size_t>(pickerView_->selectedRowInComponent(kSizeComponent));
    const UIFont face = fontRow < fontList_.size() ? fontList_[fontRow] : defaultFont();
    return sizeRow < fontSizes_.size() ? face.fontWithSize(fontSizes_[sizeRow]) : face;
}

void CLFontPickerView::setFont(const UIFont& font) {
    const auto listed =
        std::find(fontList_.begin(), fontList_.end(), font.fontWithSize(kListPointSize));
    const long fontRow = listed == fontList_.end() ? 0 : listed - fontList_.begin();
    const auto size = std::find_if(fontSizes_.begin(), fontSizes_.end(),
                                   [&](double s) { return s >= font.pointSize(); });
    pickerView_->selectRowInComponentAnimated(fontRow, kFontComponent, false);
    pickerView_->selectRowInComponentAnimated(size - fontSizes_.begin(), kSizeComponent, false);
}

void CLFontPickerView::setSizeComponentHidden(bool hidden) {
    sizeComponentHidden_ = hidden;
    pickerView_->setNeedsLayout();
}

UIColor CLFontPickerView::foregroundColor() const {
    return pickerView_->foregroundColor().value_or(kDefaultForegroundColor);
}

long CLFontPickerView::numberOfComponentsInPickerView(CLPickerView&) {
    return kComponentCount;
}

long CLFontPickerView::pickerViewNumberOfRowsInComponent(CLPickerView&, long component) {
    switch (component) {
        case kFontComponent:
            return static_cast<long>(fontList_.size());
        case kSizeComponent:
            return static_cast<long>(fontSizes_.size());
        default:
            return 0;
    }
}

std::optional<double> CLFontPickerView::pickerViewRowHeightForComponent(CLPickerView&, long) {
    return bounds().height() * kRowHeightPerHeight;
}

// A hidden size column reports 0, so the picker gives it half its width beyond the
// font column, outside this view, which clips it away.
std::optional<double> CLFontPickerView::pickerViewWidthForComponent(CLPickerView&, long component) {
    const double share = sizeComponentHidden_ ? 1.0 : kFontColumnShare;
    switch (component) {
        case kFontComponent:
            return share * bounds().width();
        case kSizeComponent:
            return (1 - share) * bounds().width();
        default:
            return 0.0;
    }
}

std::optional<UIViewPtr> CLFontPickerView::pickerViewViewForRowForComponentReusingView(
    CLPickerView& picker, long row, long component, const UIViewPtr& view) {
    auto label = std::dynamic_pointer_cast<UILabel>(view);
    if (!label) {
        const double rowHeight = *pickerViewRowHeightForComponent(picker, component);
        const double width = *pickerViewWidthForComponent(picker, component);
        label =
            std::make_shared<UILabel>(CGRect{kLabelInset, 0, width - 2 * kLabelInset, rowHeight});
        label->setBackgroundColor(UIColor::clearColor());
        label->setAdjustsFontSizeToFitWidth(true);
        label->setMinimumScaleFactor(kLabelMinimumScale);
        label->setTextAlignment(NSTextAlignment::Center);
        label->setTextColor(textColor_);
    }
    const auto index = static_cast<std::size_t>(row);
    if (component == kFontComponent && index < fontList_.size()) {
        label->setFont(fontList_[index]);
        label->setText(text_.empty() ? fontList_[index].fontName() : text_);
    } else if (component == kSizeComponent && index < fontSizes_.size()) {
        label->setFont(UIFont::systemFontOfSize(kSizeLabelPointSize));
        label->setText(sizeText(fontSizes_[index]));
    }
    return label;
}

void CLFontPickerView::pickerViewDidSelectRowInComponent(CLPickerView&, long, long) {
    if (const auto listener = delegate_.lock()) {
        listener->fontPickerViewDidSelectFont(*this, font());
    }
}
