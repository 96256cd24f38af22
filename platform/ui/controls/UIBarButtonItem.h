#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"

// The platform's ready-made buttons; their titles are the platform's words.
enum class UIBarButtonSystemItem { Done, Cancel, Edit, Save };
// Plain and bordered titles are regular; the done style is bold.
enum class UIBarButtonItemStyle { Plain, Bordered, Done };

class UINavigationItem;

// A button for a navigation bar: a title in a style, or a picture, and the action its
// tap runs.
// The bar shows it as a button of its own.
class UIBarButtonItem : public std::enable_shared_from_this<UIBarButtonItem> {
public:
    using Action = std::function<void(UIBarButtonItem&)>;

    // "Done" in bold, "Cancel", "Edit", "Save".
    UIBarButtonItem(UIBarButtonSystemItem systemItem, Action action);
    UIBarButtonItem(std::string title, UIBarButtonItemStyle style, Action action);
    UIBarButtonItem(UIImagePtr image, UIBarButtonItemStyle style, Action action);

    const std::string& title() const { return title_; }
    void setTitle(const std::string& title);
    const UIImagePtr& image() const { return image_; }
    UIBarButtonItemStyle style() const { return style_; }
    bool isSystemItem() const { return systemItem_; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // The bar's tint when unset.
    const std::optional<UIColor>& tintColor() const { return tintColor_; }
    void setTintColor(const UIColor& color);
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    // What a tap on the bar's button for the item does.
    void sendAction();

    // The item whose bar shows this button hears of changes through it.
    void setOwner(std::weak_ptr<UINavigationItem> owner) { owner_ = std::move(owner); }

private:
    void changed();

    std::string title_;
    UIImagePtr image_;
    UIBarButtonItemStyle style_;
    bool systemItem_;
    bool enabled_ = true;
    std::optional<UIColor> tintColor_;
    int tag_ = 0;
    Action action_;
    std::weak_ptr<UINavigationItem> owner_;
};

using UIBarButtonItemPtr = std::shared_ptr<UIBarButtonItem>;
