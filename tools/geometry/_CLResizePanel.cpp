#include "tools/geometry/_CLResizePanel.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/ZOZuzazOzarozTheme.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/ui/controls/UIKeyboard.h"
#include "platform/ui/controls/UIResponder.h"
#include "platform/ui/gestures/UITapGestureRecognizer.h"

namespace {

constexpr double kLabelFontSize = 17;
constexpr double kSizeFontSize = 30;
constexpr double kChainSide = 35;
constexpr double kFieldWidth = 100;
constexpr double kFieldHeight = 40;

// The value truncated toward zero, as a whole number.
std::string integerText(double value) {
    constexpr double kLargest = 1e15;
    return std::to_string(
        static_cast<long long>(std::isfinite(value) ? std::clamp(value, -kLargest, kLargest) : 0));
}

// The number the text starts with, as a single-precision float; 0 when there is none.
double numberValue(const std::string& text) {
    float value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

const Value& userInfoValue(const NSNotification& notification, const char* key) {
    static const Value none;
    const auto found = notification.userInfo().find(key);
    return found != notification.userInfo().end() ? found->second : none;
}

}  // namespace

std::shared_ptr<_CLResizePanel> _CLResizePanel::create(const CGRect& frame, CGSize originalSize,
                                                       const CLImageToolBase& tool) {
    auto panel = std::make_shared<_CLResizePanel>(frame, originalSize);
    panel->initInfoPanelWithTool(tool);
    panel->observeKeyboard();
    return panel;
}

_CLResizePanel::_CLResizePanel(const CGRect& frame, CGSize originalSize)
    : UIView(frame), originalSize_(originalSize) {}

_CLResizePanel::~_CLResizePanel() {
    NSNotificationCenter::defaultCenter().removeObserver(this);
}

void _CLResizePanel::initInfoPanelWithTool(const CLImageToolBase& tool) {
    const ZOZuzazOzarozTheme& theme = ZOZuzazOzarozTheme::theme();
    const double width = kInfoPanelShare * bounds().width();
    infoPanel_ = std::make_shared<UIView>(CGRect{0, 0, width, kInfoPanelHeight});
    infoPanel_->setBackgroundColor(theme.toolbarColor().colorWithAlphaComponent(0.9));
    infoPanel_->layer().setCornerRadius(5);
    infoPanel_->setCenter({bounds().width() / 2, bounds().height() / 2});
    infoPanel_->setAutoresizingMask(UIViewAutoresizingFlexibleTopMargin |
                                    UIViewAutoresizingFlexibleBottomMargin);
    addSubview(infoPanel_);

    addLabel({10, 5, width - 20, 30},
             ZOZuzazOzarozTheme::localizedStringWithDefault(
                 "CLResizeTool_InfoPanelTextOriginalSize", "Original Image Size:"),
             kLabelFontSize);
    originalSizeLabel_ =
        addLabel({10, 35, width - 20, 50},
                 integerText(originalSize_.width) + " x " + integerText(originalSize_.height),
                 kSizeFontSize);
    originalSizeLabel_->setTextAlignment(NSTextAlignment::Center);
    const UILabelPtr newSize = addLabel({10, 90, width - 20, 30},
                                        ZOZuzazOzarozTheme::localizedStringWithDefault(
                                            "CLResizeTool_InfoPanelTextNewSize", "New Image Size:"),
                                        kLabelFontSize);

    chainBtn_ = UIButton::buttonWithType(UIButtonType::Custom);
    chainBtn_->setFrame({0, 0, kChainSide, kChainSide});
    chainBtn_->setCenter({newSize->center().x, newSize->frame().maxY() + 25});
    chainBtn_->setImage(
        tool.imageForKeyDefaultImageName("chainOffIconAssetsName", "btn_chain_off.png"),
        UIControlStateNormal);
    chainBtn_->setImage(
        tool.imageForKeyDefaultImageName("chainOnIconAssetsName", "btn_chain_on.png"),
        UIControlStateSelected);
    const std::weak_ptr<UIView> weakSelf = shared_from_this();
    chainBtn_->addTarget(
        [weakSelf](UIControl&) {
            if (const auto panel = std::static_pointer_cast<_CLResizePanel>(weakSelf.lock())) {
                panel->chainBtnDidPush();
            }
        },
        UIControlEventTouchUpInside);
    chainBtn_->setSelected(true);
    infoPanel_->addSubview(chainBtn_);

    const double fieldTop = newSize->frame().maxY() + 5;
    fieldW_ = addField({chainBtn_->frame().minX() - 110, fieldTop, kFieldWidth, kFieldHeight},
                       originalSize_.width);
    fieldH_ = addField({chainBtn_->frame().maxX() + 10, fieldTop, kFieldWidth, kFieldHeight},
                       originalSize_.height);

    auto tap = std::make_shared<UITapGestureRecognizer>();
    // Taps still reach the fields and the chain: ending editing first does them no harm.
    tap->setCancelsTouchesInView(false);
    tap->addTarget([weakSelf](UIGestureRecognizer&) {
        if (const auto panel = std::static_pointer_cast<_CLResizePanel>(weakSelf.lock())) {
            panel->viewDidTap();
        }
    });
    addGestureRecognizer(tap);
}

UILabelPtr _CLResizePanel::addLabel(const CGRect& frame, const std::string& text, double fontSize) {
    const ZOZuzazOzarozTheme& theme = ZOZuzazOzarozTheme::theme();
    auto label = std::make_shared<UILabel>(frame);
    label->setFont(theme.toolbarTextFont().fontWithSize(fontSize));
    label->setTextColor(theme.toolbarTextColor());
    label->setBackgroundColor(UIColor::clearColor());
    label->setText(text);
    infoPanel_->addSubview(label);
    return label;
}

UITextFieldPtr _CLResizePanel::addField(const CGRect& frame, double value) {
    const ZOZuzazOzarozTheme& theme = ZOZuzazOzarozTheme::theme();
    auto field = std::make_shared<UITextField>(frame);
    field->setTextColor(theme.toolbarTextColor());
    field->setFont(theme.toolbarTextFont().fontWithSize(kSizeFontSize));
    field->setTextAlignment(NSTextAlignment::Center);
    field->setKeyboardType(UIKeyboardType::NumberPad);
    field->layer().setBorderWidth(1);
    field->layer().setBorderColor(theme.toolbarTextColor());
    field->setText(integerText(value));
    field->setDelegate(std::static_pointer_cast<_CLResizePanel>(shared_from_this()));
    const std::weak_ptr<UIView> weakSelf = shared_from_this();
    field->addTarget(
        [weakSelf](UIControl& sender) {
            if (const auto panel = std::static_pointer_cast<_CLResizePanel>(weakSelf.lock())) {
                panel->textFieldDidChanged(static_cast<UITextField&>(sender));
            }
        },
        UIControlEventEditingChanged);
    infoPanel_->addSubview(field);
    return field;
}

void _CLResizePanel::observeKeyboard() {
    const std::weak_ptr<UIView> weakSelf = shared_from_this();
    for (const char* name : {UIKeyboardWillShowNotification, UIKeyboardWillHideNotification}) {
        NSNotificationCenter::defaultCenter().addObserver(
            this, name, nullptr, [weakSelf](const NSNotification& notification) {
                if (const auto panel = std::static_pointer_cast<_CLResizePanel>(weakSelf.lock())) {
                    panel->keyBoardWillChange(notification);
                }
            });
    }
}

void _CLResizePanel::setLimitSize(double limit) {
    limitSize_ = limit >= 1 ? limit : 1;
    setImageWidth(numberValue(fieldW_->text()));
}

void _CLResizePanel::setImageWidth(double width) {
    setImageSide(Side::Width, width);
}

void _CLResizePanel::setImageHeight(double height) {
    setImageSide(Side::Height, height);
}

void _CLResizePanel::setImageSide(Side side, double value) {
    const bool width = side == Side::Width;
    UITextField& field = width ? *fieldW_ : *fieldH_;
    UITextField& other = width ? *fieldH_ : *fieldW_;
    const double limited = std::min(value, limitSize_);
    if (!isChained()) {
        if (limited > 0) {
            field.setText(integerText(limited));
        }
        return;
    }
    if (!(limited > 0)) {
        other.setText("");
        return;
    }
    const double own = width ? originalSize_.width : originalSize_.height;
    const double others = width ? originalSize_.height : originalSize_.width;
    const double follower = std::max(limited * others / own, 1.0);
    if (follower > limitSize_) {
        // The other side takes the limit and this one follows, below the limit.
        setImageSide(width ? Side::Height : Side::Width, limitSize_);
        return;
    }
    field.setText(integerText(limited));
    other.setText(integerText(follower));
}

CGSize _CLResizePanel::imageSize() const {
    return {numberValue(fieldW_->text()), numberValue(fieldH_->text())};
}

void _CLResizePanel::chainBtnDidPush() {
    chainBtn_->setSelected(!chainBtn_->isSelected());
    const CGSize size = imageSize();
    if (size.width > size.height) {
        setImageWidth(size.width);
    } else {
        setImageHeight(size.height);
    }
}

void _CLResizePanel::textFieldDidChanged(UITextField& field) {
    const double value = numberValue(field.text());
    if (&field == fieldW_.get()) {
        setImageWidth(value);
    } else {
        setImageHeight(value);
    }
}

std::optional<bool> _CLResizePanel::textFieldShouldChangeCharactersInRangeReplacementString(
    UITextField& field, NSRange range, const std::string& string) {
    if (string.empty()) {
        return true;
    }
    if (!std::all_of(string.begin(), string.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return false;
    }
    // The length the text would have, so a paste can't go past the cap either.
    const std::size_t kept = field.text().size() - std::min(range.length, field.text().size());
    if (kept + string.size() > kMaxDigits) {
        return false;
    }
    return isNumber(field, string);
}

bool _CLResizePanel::isNumber(const UITextField& field, const std::string& string) {
    const bool digits =
        std::all_of(string.begin(), string.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits && !(string.front() == '0' && field.text().empty());
}

void _CLResizePanel::viewDidTap() {
    UIResponder::endEditing(*this);
}

void _CLResizePanel::keyBoardWillChange(const NSNotification& notification) {
    const UIViewPtr host = superview();
    if (!host) {
        return;
    }
    const CGRect keyboard = host->convertRectFromView(
        userInfoValue(notification, UIKeyboardFrameEndUserInfoKey).rectValue(), nullptr);
    const double duration =
        userInfoValue(notification, UIKeyboardAnimationDurationUserInfoKey).doubleValue();
    const auto curve = static_cast<unsigned>(
        userInfoValue(notification, UIKeyboardAnimationCurveUserInfoKey).integerValue());
    const double freeHeight = std::min(bounds().height(), keyboard.minY() - frame().minY());
    UIView::animate(duration, 0, curve << 16 | UIViewAnimationOptionBeginFromCurrentState, [&] {
        infoPanel_->setCenter({infoPanel_->center().x, freeHeight / 2});
    });
}
