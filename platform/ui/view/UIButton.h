#pragma once

#include <map>
#include <string>

#include "platform/graphics/UIImage.h"
#include "platform/ui/view/UIControl.h"
#include "platform/ui/view/UIImageView.h"
#include "platform/ui/view/UILabel.h"

enum class UIButtonType { Custom, System };

// A push button: a title, an image and a background image, each set per control
// state (normal, highlighted, selected, disabled; a state without its own value shows
// the normal one). The background image fills the button; image and title sit side by
// side in the middle. While highlighted or disabled, content that has no value of its
// own for that state is dimmed. Actions run through UIControl (touch down, touch up
// inside, ...).
class UIButton : public UIControl {
public:
    // A custom button: white titles, no tint.
    explicit UIButton(const CGRect& frame = CGRect{});
    // A system button has tinted (blue) titles that fade while highlighted.
    static std::shared_ptr<UIButton> buttonWithType(UIButtonType type);

    UIButtonType buttonType() const { return type_; }

    void setTitle(const std::string& title, unsigned state);
    std::string titleForState(unsigned state) const;
    void setTitleColor(const UIColor& color, unsigned state);
    UIColor titleColorForState(unsigned state) const;
    void setImage(UIImagePtr image, unsigned state);
    UIImagePtr imageForState(unsigned state) const;
    void setBackgroundImage(UIImagePtr image, unsigned state);
    UIImagePtr backgroundImageForState(unsigned state) const;

    std::string currentTitle() const { return titleForState(state()); }
    UIImagePtr currentImage() const { return imageForState(state()); }

    // The views that show the title and the image (and their fonts, modes, ...).
    const UILabelPtr& titleLabel() const { return titleLabel_; }
    const UIImageViewPtr& imageView() const { return imageView_; }

    bool adjustsImageWhenHighlighted() const { return adjustsImageWhenHighlighted_; }
    void setAdjustsImageWhenHighlighted(bool adjusts);

    void setEnabled(bool enabled) override;
    void setSelected(bool selected) override;
    void setHighlighted(bool highlighted) override;

    void layoutSubviews() override;
    // Image and title side by side.
    CGSize sizeThatFits(CGSize size) const override;

private:
    UIButton(const CGRect& frame, UIButtonType type);
    void updateContent();
    double dimmedAlpha(bool hasOwnValue) const;

    UIButtonType type_;
    std::map<unsigned, std::string> titles_;
    std::map<unsigned, UIColor> titleColors_;
    std::map<unsigned, UIImagePtr> images_;
    std::map<unsigned, UIImagePtr> backgroundImages_;
    UIImageViewPtr backgroundView_;
    UIImageViewPtr imageView_;
    UILabelPtr titleLabel_;
    bool adjustsImageWhenHighlighted_ = true;
};

using UIButtonPtr = std::shared_ptr<UIButton>;
