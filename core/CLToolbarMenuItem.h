#pragma once

#include <memory>
#include <string>

#include "core/CLImageToolInfo.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/gestures/UIGestureRecognizer.h"
#include "platform/ui/view/UIImageView.h"
#include "platform/ui/view/UILabel.h"
#include "platform/ui/view/UIView.h"

// One item of a menu strip: a square icon with rounded corners and a one-line title
// under it, in the theme's menu font and text colour. A selected item shows the
// theme's selection colour behind it; an item that takes no touches is dimmed.
//
// For a frame W points wide the icon is (W - 20) square at (10, 5) and the title band
// spans the width, 15 points high, 5 points under the icon.
class CLToolbarMenuItem : public UIView {
public:
    explicit CLToolbarMenuItem(const CGRect& frame);
    // Taps call action with the tap recogniser; the item carries toolInfo (see
    // setToolInfo).
    CLToolbarMenuItem(const CGRect& frame, UIGestureRecognizer::Action action,
                      CLImageToolInfoPtr toolInfo);

    const std::shared_ptr<UIImageView>& iconView() const { return iconView_; }
    const std::shared_ptr<UILabel>& titleLabel() const { return titleLabel_; }

    const std::string& title() const { return titleLabel_->text(); }
    void setTitle(const std::string& title) { titleLabel_->setText(title); }
    const UIImagePtr& iconImage() const { return iconView_->image(); }
    void setIconImage(UIImagePtr image) { iconView_->setImage(std::move(image)); }

    bool isSelected() const { return selected_; }
    void setSelected(bool selected);

    // The descriptor the item starts (the view attachment of UIViewCLImageToolInfo).
    CLImageToolInfoPtr toolInfo() const;
    // Stores the descriptor and shows its title, and its icon when it names one; a
    // descriptor without an icon path leaves no icon.
    void setToolInfo(CLImageToolInfoPtr toolInfo);

    // Also dims the item while it takes no touches.
    void setUserInteractionEnabled(bool enabled) override;

private:
    std::shared_ptr<UIImageView> iconView_;
    std::shared_ptr<UILabel> titleLabel_;
    bool selected_ = false;
};

using CLToolbarMenuItemPtr = std::shared_ptr<CLToolbarMenuItem>;
