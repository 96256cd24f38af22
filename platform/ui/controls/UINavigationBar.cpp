#include "platform/ui/controls/UINavigationBar.h"

#include <algorithm>

#include "platform/ui/screens/UILocalizedString.h"

namespace {

constexpr double kFontSize = 17;
constexpr double kMargin = 8;
constexpr double kButtonPadding = 6;
const std::string kBackChevron = "\u2039 ";

UIColor systemBlue() {
    return UIColor::colorWithRed(0, 122.0 / 255, 1);
}

}  // namespace

// What the bar shows for one item: its title and buttons in a view of their own, so
// the old content can fade out while the new one slides in.
struct UINavigationBar::Content {
    UINavigationItemPtr item;
    UIViewPtr container = std::make_shared<UIView>();
    std::shared_ptr<UILabel> title = std::make_shared<UILabel>();
    std::shared_ptr<UIButton> left;
    // In the order of the item's right items, the first at the right edge.
    std::vector<std::shared_ptr<UIButton>> right;
    bool leftIsBack = false;
};

UINavigationBar::UINavigationBar(const CGRect& frame)
    : UIView(frame), hairline_(std::make_shared<UIView>()) {
    hairline_->setBackgroundColor(UIColor::colorWithWhite(0, 0.3));
    hairline_->setUserInteractionEnabled(false);
    updateBackground();
}

UINavigationBar::~UINavigationBar() = default;

UIBarPosition UINavigationBar::barPosition() {
    const auto delegate = delegate_.lock();
    return delegate ? delegate->positionForBar(*this).value_or(UIBarPosition::Any)
                    : UIBarPosition::Any;
}

// The stack.

UINavigationItemPtr UINavigationBar::topItem() const {
    return items_.empty() ? nullptr : items_.back();
}

UINavigationItemPtr UINavigationBar::backItem() const {
    return items_.size() < 2 ? nullptr : items_[items_.size() - 2];
}

void UINavigationBar::observe(const UINavigationItemPtr& item) {
    const std::weak_ptr<UIView> weakBar = weak_from_this();
    const std::weak_ptr<UINavigationItem> weakItem = item;
    item->setChangeObserver([weakBar, weakItem] {
        const auto bar = std::static_pointer_cast<UINavigationBar>(weakBar.lock());
        const auto changed = weakItem.lock();
        if (bar && changed && (changed == bar->topItem() || changed == bar->backItem())) {
            bar->showTopItem(false, true);
        }
    });
}

void UINavigationBar::setItems(std::vector<UINavigationItemPtr> items, bool animated) {
    std::erase(items, nullptr);
    for (const auto& old : items_) {
        old->setChangeObserver({});
    }
    items_ = std::move(items);
    for (const auto& item : items_) {
        observe(item);
    }
    showTopItem(animated, true);
}

bool UINavigationBar::pushNavigationItem(const UINavigationItemPtr& item, bool animated) {
    const auto delegate = delegate_.lock();
    if (!item ||
        (delegate && !delegate->navigationBarShouldPushItem(*this, *item).value_or(true))) {
        return false;
    }
    items_.push_back(item);
    observe(item);
    showTopItem(animated, true);
    if (delegate) {
        delegate->navigationBarDidPushItem(*this, *item);
    }
    return true;
}

UINavigationItemPtr UINavigationBar::popNavigationItemAnimated(bool animated) {
    const UINavigationItemPtr item = topItem();
    const auto delegate = delegate_.lock();
    if (!item || (delegate && !delegate->navigationBarShouldPopItem(*this, *item).value_or(true))) {
        return nullptr;
    }
    // The delegate may have changed the stack meanwhile.
    if (topItem() != item) {
        return nullptr;
    }
    items_.pop_back();
    item->setChangeObserver({});
    showTopItem(animated, false);
    if (delegate) {
        delegate->navigationBarDidPopItem(*this, *item);
    }
    return item;
}

// Look.

void UINavigationBar::setTranslucent(bool translucent) {
    translucent_ = translucent;
    updateBackground();
}

void UINavigationBar::setBarStyle(UIBarStyle style) {
    barStyle_ = style;
    updateBackground();
    showTopItem(false, true);
}

UIColor UINavigationBar::tintColor() const {
    if (tintColor_) {
        return *tintColor_;
    }
    return barStyle_ == UIBarStyle::Black ? UIColor::whiteColor() : systemBlue();
}

void UINavigationBar::setTintColor(const UIColor& color) {
    tintColor_ = color;
    showTopItem(false, true);
}

void UINavigationBar::setBarTintColor(const UIColor& color) {
    barTintColor_ = color;
    updateBackground();
}

void UINavigationBar::updateBackground() {
    const UIColor base =
        barTintColor_.value_or(barStyle_ == UIBarStyle::Black ? UIColor::colorWithWhite(0.1)
                                                              : UIColor::colorWithWhite(0.97));
    setBackgroundColor(translucent_ ? base.colorWithAlphaComponent(base.alpha() * 0.85) : base);
}

// Content.

std::shared_ptr<UIButton> UINavigationBar::makeButton(const std::string& title, bool bold,
                                                      const UIColor& tint) {
    auto button = std::make_shared<UIButton>();
    button->setTitle(title, UIControlStateNormal);
    button->setTitleColor(tint, UIControlStateNormal);
    button->setTitleColor(tint.colorWithAlphaComponent(tint.alpha() * 0.3),
                          UIControlStateHighlighted);
    button->setTitleColor(tint.colorWithAlphaComponent(tint.alpha() * 0.35),
                          UIControlStateDisabled);
    button->titleLabel()->setFont(bold ? UIFont::boldSystemFontOfSize(kFontSize)
                                       : UIFont::systemFontOfSize(kFontSize));
    return button;
}

std::unique_ptr<UINavigationBar::Content> UINavigationBar::makeContent(
    const UINavigationItemPtr& item) {
    auto content = std::make_unique<Content>();
    content->item = item;
    content->title->setText(item->title());
    content->title->setFont(UIFont::boldSystemFontOfSize(kFontSize));
    content->title->setTextColor(barStyle_ == UIBarStyle::Black ? UIColor::whiteColor()
                                                                : UIColor::blackColor());
    content->title->setTextAlignment(NSTextAlignment::Center);
    content->container->addSubview(content->title);

    const auto addItemButton = [&](const UIBarButtonItemPtr& barItem) -> std::shared_ptr<UIButton> {
        if (!barItem) {
            return nullptr;
        }
        auto button = makeButton(barItem->title(), barItem->style() == UIBarButtonItemStyle::Done,
                                 barItem->tintColor().value_or(tintColor()));
        if (barItem->image()) {
            button->setImage(barItem->image(), UIControlStateNormal);
        }
        button->setEnabled(barItem->isEnabled());
        const std::weak_ptr<UIBarButtonItem> weakItem = barItem;
        button->addTarget(
            [weakItem](UIControl&) {
                if (const auto tapped = weakItem.lock()) {
                    tapped->sendAction();
                }
            },
            UIControlEventTouchUpInside);
        content->container->addSubview(button);
        return button;
    };
    content->left = addItemButton(item->leftBarButtonItem());
    for (const UIBarButtonItemPtr& barItem : item->rightBarButtonItems()) {
        content->right.push_back(addItemButton(barItem));
    }
    const UINavigationItemPtr below = backItem();
    if (!content->left && below && item == topItem() && !item->hidesBackButton()) {
        const std::string& title = !below->backButtonTitle().empty() ? below->backButtonTitle()
                                   : !below->title().empty()
                                       ? below->title()
                                       : UILocalizedString::text("Bar_Back", "Back");
        content->left = makeButton(kBackChevron + title, false, tintColor());
        const std::weak_ptr<UIView> weakBar = weak_from_this();
        content->left->addTarget(
            [weakBar](UIControl&) {
                if (const auto bar = std::static_pointer_cast<UINavigationBar>(weakBar.lock())) {
                    bar->backButtonTapped();
                }
            },
            UIControlEventTouchUpInside);
        content->leftIsBack = true;
        content->container->addSubview(content->left);
    }
    return content;
}

void UINavigationBar::showTopItem(bool animated, bool forward) {
    std::unique_ptr<Content> old = std::move(content_);
    if (const UINavigationItemPtr top = topItem()) {
        content_ = makeContent(top);
        addSubview(content_->container);
        content_->container->setFrame(bounds());
        layoutContent(*content_);
    }
    addSubview(hairline_);
    if (!old) {
        return;
    }
    if (!animated) {
        old->container->removeFromSuperview();
        return;
    }
    const double shift = bounds().width() / 3 * (forward ? 1 : -1);
    const UIViewPtr incoming = content_ ? content_->container : nullptr;
    const UIViewPtr outgoing = old->container;
    if (incoming) {
        incoming->setAlpha(0);
        incoming->setTransform(CGAffineTransform::makeTranslation(shift, 0));
    }
    UIView::animate(
        kAnimationDuration,
        [&] {
            if (incoming) {
                incoming->setAlpha(1);
                incoming->setTransform(CGAffineTransform::identity());
            }
            outgoing->setAlpha(0);
            outgoing->setTransform(CGAffineTransform::makeTranslation(-shift, 0));
        },
        [outgoing](bool) { outgoing->removeFromSuperview(); });
}

void UINavigationBar::layoutContent(Content& content) const {
    const CGRect area = bounds();
    // Buttons on the right go left of edge, the right end or the button placed before.
    const auto place = [&](const std::shared_ptr<UIButton>& button, bool atLeft, double edge = 0) {
        if (!button) {
            return CGRect{atLeft ? area.minX() : area.maxX(), 0, 0, 0};
        }
        const CGSize fit = button->sizeThatFits({});
        const double width = std::min(fit.width + 2 * kButtonPadding, area.width() / 3);
        const double x =
            atLeft ? area.minX() + kMargin : (edge > 0 ? edge : area.maxX()) - kMargin - width;
        const CGRect frame{x, area.minY(), width, area.height()};
        button->setFrame(frame);
        return frame;
    };
    const CGRect left = place(content.left, true);
    CGRect right{area.maxX(), 0, 0, 0};
    for (const std::shared_ptr<UIButton>& button : content.right) {
        const CGRect placed = place(button, false, right.minX());
        right = {placed.minX(), 0, area.maxX() - placed.minX(), area.height()};
    }
    // Centred in the bar, or between the buttons when they leave no room for that.
    const double free = std::max(0.0, right.minX() - left.maxX() - 2 * kMargin);
    const double width = std::min(content.title->sizeThatFits({}).width, free);
    double x = area.midX() - width / 2;
    x = std::clamp(x, left.maxX() + kMargin,
                   std::max(left.maxX() + kMargin, right.minX() - kMargin - width));
    content.title->setFrame({x, area.minY(), width, area.height()});
}

void UINavigationBar::layoutSubviews() {
    UIView::layoutSubviews();
    if (hairline_->superview().get() != this) {
        addSubview(hairline_);
    }
    hairline_->setFrame({bounds().minX(), bounds().maxY() - 0.5, bounds().width(), 0.5});
    if (content_) {
        content_->container->setFrame(bounds());
        layoutContent(*content_);
    }
}

CGSize UINavigationBar::sizeThatFits(CGSize size) const {
    return {size.width > 0 ? size.width : bounds().width(), kHeight};
}

void UINavigationBar::backButtonTapped() {
    popNavigationItemAnimated(true);
}

std::shared_ptr<UIButton> UINavigationBar::buttonForItem(const UIBarButtonItem& item) const {
    if (!content_) {
        return nullptr;
    }
    if (&item == content_->item->leftBarButtonItem().get()) {
        return content_->left;
    }
    const auto& items = content_->item->rightBarButtonItems();
    for (std::size_t i = 0; i < items.size() && i < content_->right.size(); ++i) {
        if (&item == items[i].get()) {
            return content_->right[i];
        }
    }
    return nullptr;
}

std::shared_ptr<UIButton> UINavigationBar::backButton() const {
    return content_ && content_->leftIsBack ? content_->left : nullptr;
}

const std::shared_ptr<UILabel>& UINavigationBar::titleLabel() const {
    static const std::shared_ptr<UILabel> none;
    return content_ ? content_->title : none;
}
