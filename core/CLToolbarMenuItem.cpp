#include "core/CLToolbarMenuItem.h"

#include "core/UIViewCLImageToolInfo.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "platform/ui/gestures/UITapGestureRecognizer.h"

namespace {

constexpr double kIconInset = 10;
constexpr double kIconTop = 5;
constexpr double kIconCornerRadius = 5;
constexpr double kTitleGap = 5;
constexpr double kTitleHeight = 15;
constexpr double kEnabledAlpha = 1.0;
constexpr double kDisabledAlpha = 0.3;

}  // namespace

CLToolbarMenuItem::CLToolbarMenuItem(const CGRect& frame) : UIView(frame) {
    const double width = frame.size.width;
    const double iconSide = width - 2 * kIconInset;
    iconView_ = std::make_shared<UIImageView>(CGRect{kIconInset, kIconTop, iconSide, iconSide});
    iconView_->setClipsToBounds(true);
    iconView_->layer().setCornerRadius(kIconCornerRadius);
    iconView_->setContentMode(UIViewContentMode::ScaleAspectFill);
    addSubview(iconView_);

    const auto& theme = ZOZuzazOzarozTheme::theme();
    titleLabel_ =
        std::make_shared<UILabel>(CGRect{0, kIconTop + iconSide + kTitleGap, width, kTitleHeight});
    titleLabel_->setBackgroundColor(UIColor::clearColor());
    titleLabel_->setTextColor(theme.toolbarTextColor());
    titleLabel_->setFont(theme.toolbarTextFont());
    titleLabel_->setTextAlignment(NSTextAlignment::Center);
    addSubview(titleLabel_);
}

CLToolbarMenuItem::CLToolbarMenuItem(const CGRect& frame, UIGestureRecognizer::Action action,
                                     CLImageToolInfoPtr toolInfo)
    : CLToolbarMenuItem(frame) {
    auto tap = std::make_shared<UITapGestureRecognizer>();
    tap->addTarget(std::move(action));
    addGestureRecognizer(tap);
    setToolInfo(std::move(toolInfo));
}

void CLToolbarMenuItem::setSelected(bool selected) {
    if (selected == selected_) {
        return;
    }
    selected_ = selected;
    setBackgroundColor(selected ? ZOZuzazOzarozTheme::theme().toolbarSelectedButtonColor()
                                : UIColor::clearColor());
}

CLImageToolInfoPtr CLToolbarMenuItem::toolInfo() const {
    return UIViewCLImageToolInfo::toolInfo(*this);
}

void CLToolbarMenuItem::setToolInfo(CLImageToolInfoPtr toolInfo) {
    setTitle(toolInfo && toolInfo->title() ? *toolInfo->title() : std::string());
    setIconImage(toolInfo && toolInfo->iconImagePath() ? toolInfo->iconImage() : nullptr);
    UIViewCLImageToolInfo::setToolInfo(*this, std::move(toolInfo));
}

void CLToolbarMenuItem::setUserInteractionEnabled(bool enabled) {
    UIView::setUserInteractionEnabled(enabled);
    setAlpha(enabled ? kEnabledAlpha : kDisabledAlpha);
}
