#include "platform/ui/controls/UINavigationItem.h"

UINavigationItem::UINavigationItem(std::string title) : title_(std::move(title)) {}

void UINavigationItem::setTitle(const std::string& title) {
    if (title == title_) {
        return;
    }
    title_ = title;
    contentDidChange();
}

void UINavigationItem::adopt(const UIBarButtonItemPtr& item) {
    if (item) {
        item->setOwner(weak_from_this());
    }
}

void UINavigationItem::setLeftBarButtonItem(UIBarButtonItemPtr item) {
    left_ = std::move(item);
    adopt(left_);
    contentDidChange();
}

UIBarButtonItemPtr UINavigationItem::rightBarButtonItem() const {
    return right_.empty() ? nullptr : right_.front();
}

void UINavigationItem::setRightBarButtonItem(UIBarButtonItemPtr item) {
    setRightBarButtonItems(item ? std::vector{std::move(item)} : std::vector<UIBarButtonItemPtr>{});
}

void UINavigationItem::setRightBarButtonItems(std::vector<UIBarButtonItemPtr> items) {
    right_ = std::move(items);
    for (const UIBarButtonItemPtr& item : right_) {
        adopt(item);
    }
    contentDidChange();
}

void UINavigationItem::setBackButtonTitle(const std::string& title) {
    backButtonTitle_ = title;
    contentDidChange();
}

void UINavigationItem::setHidesBackButton(bool hides) {
    hidesBackButton_ = hides;
    contentDidChange();
}

void UINavigationItem::contentDidChange() {
    if (observer_) {
        observer_();
    }
}
