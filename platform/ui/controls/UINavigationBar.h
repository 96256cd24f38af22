#pragma once

#include <memory>
#include <vector>

#include "platform/ui/controls/UIBarStyle.h"
#include "platform/ui/controls/UINavigationBarDelegate.h"
#include "platform/ui/controls/UINavigationItem.h"
#include "platform/ui/view/UIButton.h"
#include "platform/ui/view/UILabel.h"
#include "platform/ui/view/UIView.h"

// The bar at the top of a screen, drawn like a phone's: the top item's title centred
// in bold, its buttons at the left and right in the tint colour ("done" style bold),
// a back button to the item below when the top item has no left button. It keeps a
// stack of items; pushing and popping animated slides the new content in while the
// old fades out. A translucent bar lets a little of what is behind show through.
class UINavigationBar : public UIView {
public:
    static constexpr double kHeight = 44;
    static constexpr double kAnimationDuration = 0.3;

    explicit UINavigationBar(const CGRect& frame = CGRect{});
    ~UINavigationBar() override;

    std::shared_ptr<UINavigationBarDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<UINavigationBarDelegate> delegate) {
        delegate_ = std::move(delegate);
    }
    UIBarPosition barPosition();

    const std::vector<UINavigationItemPtr>& items() const { return items_; }
    void setItems(std::vector<UINavigationItemPtr> items, bool animated);
    UINavigationItemPtr topItem() const;
    UINavigationItemPtr backItem() const;
    // Asks the delegate first; false when it refuses.
    bool pushNavigationItem(const UINavigationItemPtr& item, bool animated);
    // The popped item, or null when there is only one item or the delegate refuses.
    UINavigationItemPtr popNavigationItemAnimated(bool animated);

    bool isTranslucent() const { return translucent_; }
    void setTranslucent(bool translucent);
    UIBarStyle barStyle() const { return barStyle_; }
    void setBarStyle(UIBarStyle style);
    // The buttons' colour; the system blue (white on a black bar) when unset.
    UIColor tintColor() const;
    void setTintColor(const UIColor& color);
    // The background's colour, replacing the style's.
    void setBarTintColor(const UIColor& color);

    // The button that shows item on the bar now (the back button is
    // backButton()), or null.
    std::shared_ptr<UIButton> buttonForItem(const UIBarButtonItem& item) const;
    std::shared_ptr<UIButton> backButton() const;
    const std::shared_ptr<UILabel>& titleLabel() const;

    CGSize sizeThatFits(CGSize size) const override;
    void layoutSubviews() override;

private:
    struct Content;

    void showTopItem(bool animated, bool forward);
    std::unique_ptr<Content> makeContent(const UINavigationItemPtr& item);
    std::shared_ptr<UIButton> makeButton(const std::string& title, bool bold, const UIColor& tint);
    void layoutContent(Content& content) const;
    void backButtonTapped();
    void updateBackground();
    void observe(const UINavigationItemPtr& item);

    std::weak_ptr<UINavigationBarDelegate> delegate_;
    std::vector<UINavigationItemPtr> items_;
    std::unique_ptr<Content> content_;
    bool translucent_ = true;
    UIBarStyle barStyle_ = UIBarStyle::Default;
    std::optional<UIColor> tintColor_;
    std::optional<UIColor> barTintColor_;
    std::shared_ptr<UIView> hairline_;
};

using UINavigationBarPtr = std::shared_ptr<UINavigationBar>;
