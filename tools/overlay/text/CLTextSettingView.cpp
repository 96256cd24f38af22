#include "tools/overlay/text/CLTextSettingView.h"

#include <algorithm>

#include "core/ZOZuzazOzarozTheme.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/ui/controls/UIKeyboard.h"
#include "platform/ui/gestures/UITapGestureRecognizer.h"

namespace {

constexpr int kPageCount = 3;
// The text field ends where the owner's close button begins, at the top right.
constexpr double kCloseButtonRoom = 32;
// Room the text field leaves under itself while the keyboard is down.
constexpr double kTextFieldBottomMargin = 20;
// The colour page: the picker's centre from the page's, and the swatches' distance
// from its right edge.
constexpr double kPickerCentreShift = -10;
constexpr double kPickerCentreY = 75;
constexpr double kSwatchRadius = 0.6;
constexpr double kPathSwatchBorderWidth = 2;
constexpr double kSliderLengthPerPicker = 0.8;
constexpr double kSliderThickness = 34;
constexpr double kSliderGapBelowPicker = 5;

std::size_t characterCount(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

}  // namespace

std::shared_ptr<CLTextSettingView> CLTextSettingView::create(const CGRect& frame) {
    auto panel = std::make_shared<CLTextSettingView>(Token{}, frame);
    panel->customInit();
    return panel;
}

CLTextSettingView::CLTextSettingView(Token, const CGRect& frame) : UIView(frame) {}

CLTextSettingView::~CLTextSettingView() {
    NSNotificationCenter::defaultCenter().removeObserver(this);
}

void CLTextSettingView::customInit() {
    observeKeyboard();
    const double width = bounds().width();
    const double height = bounds().height();
    const auto self = std::static_pointer_cast<CLTextSettingView>(shared_from_this());

    scrollView_ = std::make_shared<UIScrollView>(bounds());
    scrollView_->setPagingEnabled(true);
    scrollView_->setShowsHorizontalScrollIndicator(false);
    scrollView_->setShowsVerticalScrollIndicator(false);
    scrollView_->setScrollEnabled(false);
    scrollView_->setContentSize({kPageCount * width, height});
    addSubview(scrollView_);

    textView_ = std::make_shared<UITextView>(CGRect{kTextFieldMargin, 0,
                                                    width - kTextFieldMargin - kCloseButtonRoom,
                                                    kTextFieldHeightWithKeyboard});
    textView_->setBackgroundColor(UIColor::clearColor());
    textView_->setDelegate(self);
    scrollView_->addSubview(textView_);

    setColorPanel();

    fontPickerView_ = CLFontPickerView::create({kFontPage * width, 0, width, height});
    fontPickerView_->setSizeComponentHidden(true);
    fontPickerView_->setDelegate(self);
    scrollView_->addSubview(fontPickerView_);

    setSelectedMode(fillCircle_);
}

void CLTextSettingView::setColorPanel() {
    const double width = bounds().width();
    colorPanel_ = std::make_shared<UIView>(CGRect{kColorPage * width, 0, width, bounds().height()});
    colorPanel_->setBackgroundColor(UIColor::clearColor());
    scrollView_->addSubview(colorPanel_);

    colorPickerView_ = CLColorPickerView::create({0, 0, 0, kPickerHeight});
    const double centreX = width / 2 + kPickerCentreShift;
    colorPickerView_->setCenter({centreX, kPickerCentreY});
    colorPickerView_->setDelegate(std::static_pointer_cast<CLTextSettingView>(shared_from_this()));
    colorPanel_->addSubview(colorPickerView_);

    const double sliderY = colorPickerView_->frame().maxY() + kSliderGapBelowPicker;
    pathSlider_ = std::make_shared<UISlider>(
        CGRect{0, 0, kSliderLengthPerPicker * colorPickerView_->frame().width(), kSliderThickness});
    pathSlider_->setCenter({centreX, sliderY});
    pathSlider_->setMinimumValue(0);
    pathSlider_->setMaximumValue(1);
    pathSlider_->setValue(0);
    const std::weak_ptr<UIView> weak = weak_from_this();
    pathSlider_->addTarget(
        [weak](UIControl& slider) {
            const auto panel = std::static_pointer_cast<CLTextSettingView>(weak.lock());
            if (const auto listener = panel ? panel->delegate() : nullptr) {
                listener->textSettingViewDidChangeBorderWidth(
                    *panel, static_cast<UISlider&>(slider).value());
            }
        },
        UIControlEventValueChanged);
    colorPanel_->addSubview(pathSlider_);

    const double swatchX = width - kTextFieldMargin - kSwatchSide;
    pathCircle_ = addSwatch({swatchX, sliderY - kSwatchSide, kSwatchSide, kSwatchSide}, 1);
    pathCircle_->setBorderWidth(kPathSwatchBorderWidth);
    pathCircle_->setBorderColor(UIColor::blackColor());
    pathCircle_->setColor(UIColor::clearColor());
    fillCircle_ = addSwatch({swatchX, sliderY - 2 * kSwatchSide, kSwatchSide, kSwatchSide}, 0);
    fillCircle_->setColor(UIColor::blackColor());
}

CLCircleViewPtr CLTextSettingView::addSwatch(const CGRect& frame, int tag) {
    auto swatch = std::make_shared<CLCircleView>(frame);
    swatch->setRadius(kSwatchRadius);
    swatch->setTag(tag);
    auto tap = std::make_shared<UITapGestureRecognizer>();
    const std::weak_ptr<UIView> weak = weak_from_this();
    tap->addTarget([weak](UIGestureRecognizer& sender) {
        const auto panel = std::static_pointer_cast<CLTextSettingView>(weak.lock());
        if (panel && sender.view()) {
            panel->setSelectedMode(sender.view());
        }
    });
    swatch->addGestureRecognizer(tap);
    colorPanel_->addSubview(swatch);
    return swatch;
}

void CLTextSettingView::observeKeyboard() {
    const std::weak_ptr<UIView> weak = weak_from_this();
    const auto follow = [weak](bool shows) {
        return [weak, shows](const NSNotification& notification) {
            const auto panel = std::static_pointer_cast<CLTextSettingView>(weak.lock());
            if (!panel) {
                return;
            }
            panel->keyBoardWillChange(notification,
                                      shows ? kTextFieldHeightWithKeyboard
                                            : panel->bounds().height() - kTextFieldBottomMargin);
            if (shows) {
                panel->textView_->scrollRangeToVisible(panel->textView_->selectedRange());
            }
        };
    };
    NSNotificationCenter& centre = NSNotificationCenter::defaultCenter();
    centre.addObserver(this, UIKeyboardWillShowNotification, nullptr, follow(true));
    centre.addObserver(this, UIKeyboardWillHideNotification, nullptr, follow(false));
}

void CLTextSettingView::keyBoardWillChange(const NSNotification& notification,
                                           double textViewHeight) {
    const ValueDictionary& info = notification.userInfo();
    const auto value = [&](const char* key) {
        const auto found = info.find(key);
        return found == info.end() ? Value() : found->second;
    };
    const UIViewPtr parent = superview();
    const CGRect keyboard = parent ? parent->convertRectFromView(
                                         value(UIKeyboardFrameEndUserInfoKey).rectValue(), nullptr)
                                   : value(UIKeyboardFrameEndUserInfoKey).rectValue();
    const auto curve =
        static_cast<unsigned>(value(UIKeyboardAnimationCurveUserInfoKey).integerValue());
    UIView::animate(value(UIKeyboardAnimationDurationUserInfoKey).doubleValue(), 0,
                    (curve << 16) | UIViewAnimationOptionBeginFromCurrentState, [&] {
                        CGRect field = textView_->frame();
                        field.size.height = textViewHeight;
                        textView_->setFrame(field);
                        // The panel's own top, whatever it is moved by now.
                        const double top = center().y - bounds().height() / 2;
                        setTransform(CGAffineTransform::makeTranslation(
                            0, std::min(0.0, keyboard.minY() - textViewHeight - top)));
                    });
}

void CLTextSettingView::setSelectedFillColor(const UIColor& color) {
    fillCircle_->setColor(color);
    if (selectedMode_ == fillCircle_) {
        showColorInPicker(color);
    }
}

void CLTextSettingView::setSelectedBorderColor(const UIColor& color) {
    pathCircle_->setBorderColor(color);
    if (selectedMode_ == pathCircle_) {
        showColorInPicker(color);
    }
}

void CLTextSettingView::showColorInPicker(const UIColor& color) {
    showingColor_ = true;
    colorPickerView_->setColor(color);
    showingColor_ = false;
}

void CLTextSettingView::setTextColor(const UIColor& color) {
    fontPickerView_->setTextColor(color);
    textView_->setTextColor(color);
}

void CLTextSettingView::showSettingMenuWithIndex(int index, bool animated) {
    scrollView_->setContentOffset({index * bounds().width(), 0}, animated);
}

void CLTextSettingView::setSelectedMode(const UIViewPtr& mode) {
    if (mode == selectedMode_) {
        return;
    }
    if (selectedMode_) {
        selectedMode_->setBackgroundColor(UIColor::clearColor());
    }
    selectedMode_ = mode;
    mode->setBackgroundColor(ZOZuzazOzarozTheme::theme().toolbarSelectedButtonColor());
    // The picker's report of the swatch's colour reaches the delegate too.
    colorPickerView_->setColor(mode == fillCircle_ ? fillCircle_->color()
                                                   : pathCircle_->borderColor());
}

void CLTextSettingView::textViewDidChange(UITextView& textView) {
    const std::string& text = textView.text();
    if (!text.empty() && textView.selectedRange().end() == characterCount(text) &&
        text.back() == '\n') {
        textView.layoutIfNeeded();
        textView.scrollRectToVisible({0, textView.contentSize().height - 1, 1, 1}, true);
    } else {
        textView.scrollRangeToVisible(textView.selectedRange());
    }
    if (const auto listener = delegate()) {
        listener->textSettingViewDidChangeText(*this, text);
    }
}

void CLTextSettingView::colorPickerViewColorDidChange(CLColorPickerView&, const UIColor& color) {
    if (showingColor_) {
        return;
    }
    const auto listener = delegate();
    if (selectedMode_ == fillCircle_) {
        fillCircle_->setColor(color);
        if (listener) {
            listener->textSettingViewDidChangeFillColor(*this, color);
        }
    } else {
        pathCircle_->setBorderColor(color);
        if (listener) {
            listener->textSettingViewDidChangeBorderColor(*this, color);
        }
    }
}

void CLTextSettingView::fontPickerViewDidSelectFont(CLFontPickerView&, const UIFont& font) {
    if (const auto listener = delegate()) {
        listener->textSettingViewDidChangeFont(*this, font);
    }
}
