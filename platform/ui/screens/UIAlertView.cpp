#include "platform/ui/screens/UIAlertView.h"

#include <algorithm>

#include "platform/ui/view/UILabel.h"
#include "platform/ui/window/UIWindow.h"

namespace {

constexpr double kPadding = 16;
constexpr double kButtonHeight = 44;
constexpr double kCornerRadius = 13;
constexpr double kSideMargin = 20;

std::vector<std::shared_ptr<UIAlertView>>& shownAlerts() {
    static std::vector<std::shared_ptr<UIAlertView>> alerts;
    return alerts;
}

std::shared_ptr<UILabel> makeLabel(const std::string& text, const UIFont& font, double width) {
    auto label = std::make_shared<UILabel>();
    label->setText(text);
    label->setFont(font);
    label->setNumberOfLines(0);
    label->setTextAlignment(NSTextAlignment::Center);
    const CGSize size = text.empty() ? CGSize{} : label->sizeThatFits({width, 0});
    label->setFrame({kPadding, 0, width, size.height});
    return label;
}

UIViewPtr hairline(const CGRect& frame) {
    auto line = std::make_shared<UIView>(frame);
    line->setBackgroundColor(UIColor::colorWithWhite(0, 0.2));
    return line;
}

}  // namespace

UIAlertView::UIAlertView(std::string title, std::string message,
                         std::weak_ptr<UIAlertViewDelegate> delegate, std::string cancelButtonTitle,
                         std::vector<std::string> otherButtonTitles)
    : title_(std::move(title)),
      message_(std::move(message)),
      delegate_(std::move(delegate)),
      hasCancel_(!cancelButtonTitle.empty()) {
    if (hasCancel_) {
        buttonTitles_.push_back(std::move(cancelButtonTitle));
    }
    for (auto& other : otherButtonTitles) {
        buttonTitles_.push_back(std::move(other));
    }
}

UIAlertView::~UIAlertView() = default;

std::string UIAlertView::buttonTitleAtIndex(int index) const {
    return index >= 0 && index < numberOfButtons() ? buttonTitles_[static_cast<std::size_t>(index)]
                                                   : std::string();
}

std::shared_ptr<UIButton> UIAlertView::buttonAtIndex(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < buttons_.size()
               ? buttons_[static_cast<std::size_t>(index)]
               : nullptr;
}

std::vector<std::shared_ptr<UIAlertView>> UIAlertView::visibleAlerts() {
    return shownAlerts();
}

std::shared_ptr<UIAlertView> UIAlertView::visibleAlert() {
    return shownAlerts().empty() ? nullptr : shownAlerts().back();
}

// Two buttons sit side by side; one, or more than two, are stacked.
UIViewPtr UIAlertView::buildPanel(double width) {
    auto panel = std::make_shared<UIView>();
    panel->setBackgroundColor(UIColor::colorWithWhite(0.97));
    panel->layer().setCornerRadius(kCornerRadius);
    panel->layer().setMasksToBounds(true);
    const double textWidth = width - 2 * kPadding;
    auto titleLabel = makeLabel(title_, UIFont::boldSystemFontOfSize(17), textWidth);
    auto messageLabel = makeLabel(message_, UIFont::systemFontOfSize(13), textWidth);
    titleLabel->setFrame(titleLabel->frame().offsetBy(0, kPadding + 4));
    messageLabel->setFrame(messageLabel->frame().offsetBy(0, titleLabel->frame().maxY() + 4));
    panel->addSubview(titleLabel);
    panel->addSubview(messageLabel);

    double y = messageLabel->frame().maxY() + kPadding + 4;
    const bool sideBySide = buttonTitles_.size() == 2;
    buttons_.clear();
    for (std::size_t i = 0; i < buttonTitles_.size(); ++i) {
        CGRect frame{0, y, width, kButtonHeight};
        if (sideBySide) {
            frame = {i == 0 ? 0 : width / 2, y, width / 2, kButtonHeight};
        }
        panel->addSubview(hairline({frame.minX(), frame.minY(), frame.width(), 0.5}));
        if (sideBySide && i == 1) {
            panel->addSubview(hairline({frame.minX(), frame.minY(), 0.5, frame.height()}));
        }
        auto button = UIButton::buttonWithType(UIButtonType::System);
        button->setTitle(buttonTitles_[i], UIControlStateNormal);
        const bool bold = hasCancel_ && i == 0;
        button->titleLabel()->setFont(bold ? UIFont::boldSystemFontOfSize(17)
                                           : UIFont::systemFontOfSize(17));
        button->setFrame(frame);
        const std::weak_ptr<UIAlertView> weakAlert = weak_from_this();
        const int index = static_cast<int>(i);
        button->addTarget(
            [weakAlert, index](UIControl&) {
                if (const auto alert = weakAlert.lock()) {
                    alert->buttonTapped(index);
                }
            },
            UIControlEventTouchUpInside);
        panel->addSubview(button);
        buttons_.push_back(button);
        if (!sideBySide || i == 1) {
            y += kButtonHeight;
        }
    }
    panel->setFrame({0, 0, width, y});
    return panel;
}

void UIAlertView::show() {
    const auto window = UIWindow::keyWindow();
    if (!window || overlay_) {
        return;
    }
    overlay_ = std::make_shared<UIView>(window->bounds());
    overlay_->setBackgroundColor(UIColor::colorWithWhite(0, 0.4));
    overlay_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                  UIViewAutoresizingFlexibleHeight);
    const UIViewPtr panel =
        buildPanel(std::min(kPanelWidth, window->bounds().width() - 2 * kSideMargin));
    panel->setCenter({window->bounds().midX(), window->bounds().midY()});
    panel->setAutoresizingMask(
        UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin |
        UIViewAutoresizingFlexibleTopMargin | UIViewAutoresizingFlexibleBottomMargin);
    overlay_->addSubview(panel);
    window->addSubview(overlay_);
    shownAlerts().push_back(shared_from_this());
    overlay_->setAlpha(0);
    const UIViewPtr overlay = overlay_;
    UIView::animate(kFadeDuration, [&] { overlay->setAlpha(1); });
}

void UIAlertView::buttonTapped(int index) {
    const auto keepAlive = shared_from_this();
    if (const auto delegate = delegate_.lock()) {
        delegate->alertViewClickedButtonAtIndex(*this, index);
    }
    if (handler_) {
        handler_(index);
    }
    dismissWithClickedButtonIndex(index, true);
}

void UIAlertView::dismissWithClickedButtonIndex(int buttonIndex, bool animated) {
    if (!overlay_) {
        return;
    }
    const UIViewPtr overlay = std::move(overlay_);
    overlay_ = nullptr;
    buttons_.clear();
    std::erase_if(shownAlerts(), [this](const auto& alert) { return alert.get() == this; });
    auto finish = [self = shared_from_this(), overlay, buttonIndex](bool) {
        overlay->removeFromSuperview();
        if (const auto delegate = self->delegate_.lock()) {
            delegate->alertViewDidDismissWithButtonIndex(*self, buttonIndex);
        }
    };
    if (!animated) {
        finish(true);
        return;
    }
    overlay->setUserInteractionEnabled(false);
    UIView::animate(
        kFadeDuration, [&] { overlay->setAlpha(0); }, std::move(finish));
}

bool UIAlertView::handleKey(const UIKeyPress& key) {
    if (!isVisible() || numberOfButtons() == 0) {
        return false;
    }
    if (key.key == UIKeyPress::Key::Escape &&
        (cancelButtonIndex() >= 0 || numberOfButtons() == 1)) {
        buttonTapped(std::max(cancelButtonIndex(), 0));
        return true;
    }
    if (key.key == UIKeyPress::Key::Return) {
        buttonTapped(numberOfButtons() - 1);
        return true;
    }
    return false;
}
