#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/controls/UIBarButtonItem.h"

// What a navigation bar shows while an item is on top: the title in the middle, a
// button on the left (else a back button to the item below, unless hidden) and buttons
// on the right, the first at the right edge. The bar that holds the item redraws when it changes.
class UINavigationItem : public std::enable_shared_from_this<UINavigationItem> {
public:
    explicit UINavigationItem(std::string title = {});

    const std::string& title() const { return title_; }
    void setTitle(const std::string& title);
    const UIBarButtonItemPtr& leftBarButtonItem() const { return left_; }
    void setLeftBarButtonItem(UIBarButtonItemPtr item);
    // The first of the right items, or null.
    UIBarButtonItemPtr rightBarButtonItem() const;
    void setRightBarButtonItem(UIBarButtonItemPtr item);
    const std::vector<UIBarButtonItemPtr>& rightBarButtonItems() const { return right_; }
    void setRightBarButtonItems(std::vector<UIBarButtonItemPtr> items);
    // The title of the back button that leads back to this item, when set; else
    // this item's title, else "Back".
    const std::string& backButtonTitle() const { return backButtonTitle_; }
    void setBackButtonTitle(const std::string& title);
    bool hidesBackButton() const { return hidesBackButton_; }
    void setHidesBackButton(bool hides);

    // The bar that shows the item: told of every change.
    void setChangeObserver(std::function<void()> observer) { observer_ = std::move(observer); }
    void contentDidChange();

private:
    void adopt(const UIBarButtonItemPtr& item);

    std::string title_;
    UIBarButtonItemPtr left_;
    std::vector<UIBarButtonItemPtr> right_;
    std::string backButtonTitle_;
    bool hidesBackButton_ = false;
    std::function<void()> observer_;
};

using UINavigationItemPtr = std::shared_ptr<UINavigationItem>;
