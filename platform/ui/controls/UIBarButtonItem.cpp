#include "platform/ui/controls/UIBarButtonItem.h"

#include "platform/ui/controls/UINavigationItem.h"
#include "platform/ui/screens/UILocalizedString.h"

namespace {

std::string systemTitle(UIBarButtonSystemItem item) {
    switch (item) {
        case UIBarButtonSystemItem::Done:
            return UILocalizedString::text("Bar_Done", "Done");
        case UIBarButtonSystemItem::Cancel:
            return UILocalizedString::text("Bar_Cancel", "Cancel");
        case UIBarButtonSystemItem::Edit:
            return UILocalizedString::text("Bar_Edit", "Edit");
        case UIBarButtonSystemItem::Save:
            return UILocalizedString::text("Bar_Save", "Save");
    }
    return {};
}

}  // namespace

UIBarButtonItem::UIBarButtonItem(UIBarButtonSystemItem systemItem, Action action)
    : title_(systemTitle(systemItem)),
      style_(systemItem == UIBarButtonSystemItem::Done ? UIBarButtonItemStyle::Done
                                                       : UIBarButtonItemStyle::Plain),
      systemItem_(true),
      action_(std::move(action)) {}

UIBarButtonItem::UIBarButtonItem(std::string title, UIBarButtonItemStyle style, Action action)
    : title_(std::move(title)), style_(style), systemItem_(false), action_(std::move(action)) {}

UIBarButtonItem::UIBarButtonItem(UIImagePtr image, UIBarButtonItemStyle style, Action action)
    : image_(std::move(image)), style_(style), systemItem_(false), action_(std::move(action)) {}

void UIBarButtonItem::setTitle(const std::string& title) {
    title_ = title;
    changed();
}

void UIBarButtonItem::setEnabled(bool enabled) {
    enabled_ = enabled;
    changed();
}

void UIBarButtonItem::setTintColor(const UIColor& color) {
    tintColor_ = color;
    changed();
}

void UIBarButtonItem::sendAction() {
    if (enabled_ && action_) {
        const auto keepAlive = weak_from_this().lock();
        action_(*this);
    }
}

void UIBarButtonItem::changed() {
    if (const auto owner = owner_.lock()) {
        owner->contentDidChange();
    }
}
