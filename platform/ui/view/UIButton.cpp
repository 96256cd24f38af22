#include "platform/ui/view/UIButton.h"

#include <algorithm>

namespace {

constexpr double kTitleFontSize = 15;
constexpr double kDimmedAlpha = 0.5;
constexpr double kSystemHighlightedTitleAlpha = 0.2;

// The value for state: its own, else that of one of its parts (highlighted, selected,
// disabled), else the normal one.
template <typename Value>
const Value* valueForState(const std::map<unsigned, Value>& values, unsigned state) {
    const unsigned candidates[] = {state, state & UIControlStateHighlighted,
                                   state & UIControlStateSelected, state & UIControlStateDisabled};
    for (const unsigned candidate : candidates) {
        if (candidate == UIControlStateNormal) {
            continue;
        }
        if (const auto found = values.find(candidate); found != values.end()) {
            return &found->second;
        }
    }
    const auto normal = values.find(UIControlStateNormal);
    return normal == values.end() ? nullptr : &normal->second;
}

template <typename Value>
bool hasOwnValue(const std::map<unsigned, Value>& values, unsigned state) {
    return state != UIControlStateNormal && values.count(state) > 0;
}

UIColor systemTint() {
    return UIColor::colorWithRed(0, 122.0 / 255, 1);
}

}  // namespace

UIButton::UIButton(const CGRect& frame) : UIButton(frame, UIButtonType::Custom) {}

UIButton::UIButton(const CGRect& frame, UIButtonType type)
    : UIControl(frame),
      type_(type),
      backgroundView_(std::make_shared<UIImageView>()),
      imageView_(std::make_shared<UIImageView>()),
      titleLabel_(std::make_shared<UILabel>()) {
    titleLabel_->setFont(UIFont::systemFontOfSize(kTitleFontSize));
    titleLabel_->setTextAlignment(NSTextAlignment::Center);
    imageView_->setContentMode(UIViewContentMode::ScaleAspectFit);
    titleColors_[UIControlStateNormal] =
        type == UIButtonType::System ? systemTint() : UIColor::whiteColor();
    updateContent();
}

std::shared_ptr<UIButton> UIButton::buttonWithType(UIButtonType type) {
    return std::shared_ptr<UIButton>(new UIButton(CGRect{}, type));
}

void UIButton::setTitle(const std::string& title, unsigned state) {
    titles_[state] = title;
    updateContent();
}

std::string UIButton::titleForState(unsigned state) const {
    const std::string* title = valueForState(titles_, state);
    return title ? *title : std::string();
}

void UIButton::setTitleColor(const UIColor& color, unsigned state) {
    titleColors_[state] = color;
    updateContent();
}

UIColor UIButton::titleColorForState(unsigned state) const {
    const UIColor* color = valueForState(titleColors_, state);
    return color ? *color : UIColor::whiteColor();
}

void UIButton::setImage(UIImagePtr image, unsigned state) {
    images_[state] = std::move(image);
    updateContent();
}

UIImagePtr UIButton::imageForState(unsigned state) const {
    const UIImagePtr* image = valueForState(images_, state);
    return image ? *image : nullptr;
}

void UIButton::setBackgroundImage(UIImagePtr image, unsigned state) {
    backgroundImages_[state] = std::move(image);
    updateContent();
}

UIImagePtr UIButton::backgroundImageForState(unsigned state) const {
    const UIImagePtr* image = valueForState(backgroundImages_, state);
    return image ? *image : nullptr;
}

void UIButton::setAdjustsImageWhenHighlighted(bool adjusts) {
    adjustsImageWhenHighlighted_ = adjusts;
    updateContent();
}

void UIButton::setEnabled(bool enabled) {
    UIControl::setEnabled(enabled);
    updateContent();
}

void UIButton::setSelected(bool selected) {
    UIControl::setSelected(selected);
    updateContent();
}

void UIButton::setHighlighted(bool highlighted) {
    UIControl::setHighlighted(highlighted);
    updateContent();
}

double UIButton::dimmedAlpha(bool hasOwn) const {
    const unsigned current = state();
    if (hasOwn || !adjustsImageWhenHighlighted_) {
        return 1;
    }
    const bool dims = (current & (UIControlStateHighlighted | UIControlStateDisabled)) != 0;
    return dims ? kDimmedAlpha : 1;
}

void UIButton::updateContent() {
    const unsigned current = state();
    titleLabel_->setText(titleForState(current));
    titleLabel_->setTextColor(titleColorForState(current));
    imageView_->setImage(imageForState(current));
    backgroundView_->setImage(backgroundImageForState(current));

    imageView_->setAlpha(dimmedAlpha(hasOwnValue(images_, current)));
    backgroundView_->setAlpha(dimmedAlpha(hasOwnValue(backgroundImages_, current)));
    const bool titleHasOwn = hasOwnValue(titles_, current) || hasOwnValue(titleColors_, current);
    double titleAlpha = titleHasOwn ? 1 : dimmedAlpha(false);
    if (type_ == UIButtonType::System && (current & UIControlStateHighlighted) && !titleHasOwn) {
        titleAlpha = kSystemHighlightedTitleAlpha;
    }
    titleLabel_->setAlpha(titleAlpha);

    // Only the parts in use are in the tree, behind one another in this order.
    const std::pair<UIViewPtr, bool> parts[] = {
        {backgroundView_, backgroundView_->image() != nullptr},
        {imageView_, imageView_->image() != nullptr},
        {titleLabel_, !titleLabel_->text().empty()}};
    std::size_t index = 0;
    for (const auto& [part, used] : parts) {
        if (used) {
            insertSubviewAtIndex(part, index++);
        } else {
            part->removeFromSuperview();
        }
    }
    setNeedsLayout();
}

void UIButton::layoutSubviews() {
    const CGRect area = bounds();
    backgroundView_->setFrame(area);
    CGSize imageSize = imageView_->image() ? imageView_->image()->size() : CGSize{};
    if (imageSize.width > area.width() || imageSize.height > area.height()) {
        const double fit =
            std::min(area.width() / imageSize.width, area.height() / imageSize.height);
        imageSize = {imageSize.width * fit, imageSize.height * fit};
    }
    CGSize titleSize = titleLabel_->text().empty() ? CGSize{} : titleLabel_->sizeThatFits({});
    titleSize.width = std::min(titleSize.width, std::max(area.width() - imageSize.width, 0.0));
    titleSize.height = std::min(titleSize.height, area.height());
    double x = area.midX() - (imageSize.width + titleSize.width) / 2;
    imageView_->setFrame(
        {x, area.midY() - imageSize.height / 2, imageSize.width, imageSize.height});
    x += imageSize.width;
    titleLabel_->setFrame(
        {x, area.midY() - titleSize.height / 2, titleSize.width, titleSize.height});
}

CGSize UIButton::sizeThatFits(CGSize) const {
    const CGSize imageSize = imageView_->image() ? imageView_->image()->size() : CGSize{};
    const CGSize titleSize = titleLabel_->text().empty() ? CGSize{} : titleLabel_->sizeThatFits({});
    return {imageSize.width + titleSize.width, std::max(imageSize.height, titleSize.height)};
}
