#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/actionsheet/ConstraintLayoutView.h"
#include "app/actionsheet/UICustomActionSheetDelegate.h"
#include "platform/graphics/UIColor.h"
#include "platform/ui/gestures/UIGestureRecognizerDelegate.h"
#include "platform/ui/view/UIButton.h"
#include "platform/ui/view/UIImageView.h"
#include "platform/ui/view/UILabel.h"

// A full-screen overlay: a blurred, darkened backdrop fades in and a panel of large
// buttons slides up from the bottom, with an optional title and subtitle above them.
// Entry 0 of buttonTitles is the bottom button. A tapped button tells the delegate its
// index and closes the sheet; a tap anywhere else closes it without a word. Shown
// once, then it removes itself from its superview.
class UICustomActionSheet : public ConstraintLayoutView, public UIGestureRecognizerDelegate {
public:
    static constexpr double kAnimationDuration = 0.2;
    static constexpr unsigned kAnimationOptions = 0x70000;
    static constexpr double kButtonHeight = 45;
    static constexpr double kButtonCornerRadius = 3;

    // Covers the key window's frame (the host view's bounds when shown, if there is no
    // window yet).
    static std::shared_ptr<UICustomActionSheet> create(
        const std::string& title, std::weak_ptr<UICustomActionSheetDelegate> delegate,
        std::vector<std::string> buttonTitles);

    const std::string& title() const { return title_; }
    void setTitle(const std::string& title) { title_ = title; }
    const std::string& subtitle() const { return subtitle_; }
    void setSubtitle(const std::string& subtitle) { subtitle_ = subtitle; }
    void setTitleAndSubtitle(const std::string& title, const std::string& subtitle);
    const std::vector<std::string>& buttonTitles() const { return buttonTitles_; }
    void setButtonTitles(std::vector<std::string> titles) { buttonTitles_ = std::move(titles); }
    void setButtonTitlesWithColors(std::vector<std::string> titles, std::vector<UIColor> colors);
    const std::vector<UIColor>& buttonColors() const { return buttonColors_; }
    void setButtonColors(std::vector<UIColor> colors) { buttonColors_ = std::move(colors); }
    std::shared_ptr<UICustomActionSheetDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<UICustomActionSheetDelegate> delegate);

    const UIColor& tintColor() const { return tintColor_; }
    void setTintColor(const UIColor& color) { tintColor_ = color; }
    const UIColor& buttonsTextColor() const { return buttonsTextColor_; }
    void setButtonsTextColor(const UIColor& color) { buttonsTextColor_ = color; }
    const UIColor& titleColor() const { return titleColor_; }
    void setTitleColor(const UIColor& color) { titleColor_ = color; }
    const UIColor& subtitleColor() const { return subtitleColor_; }
    void setSubtitleColor(const UIColor& color) { subtitleColor_ = color; }
    // The panel's background. The sheet itself stays clear, so through UIView this
    // reads clear.
    const UIColor& backgroundColor() const { return panelBackgroundColor_; }
    void setBackgroundColor(const UIColor& color) override;
    double titleFontSize() const { return titleFontSize_; }
    void setTitleFontSize(double size) { titleFontSize_ = size; }
    double subtitleFontSize() const { return subtitleFontSize_; }
    void setSubtitleFontSize(double size) { subtitleFontSize_ = size; }
    // Kept for callers; the backdrop does not read them.
    bool blurredBackground() const { return blurredBackground_; }
    void setBlurredBackground(bool blurred) { blurredBackground_ = blurred; }
    const UIColor& blurTintColor() const { return blurTintColor_; }
    void setBlurTintColor(const UIColor& color) { blurTintColor_ = color; }
    const CGRect& clearArea() const { return clearArea_; }
    void setClearArea(const CGRect& area) { clearArea_ = area; }

    const ConstraintLayoutViewPtr& panel() const { return panel_; }
    // An empty image view until shown, then the translucent backdrop.
    const UIViewPtr& backgroundImage() const { return backgroundImage_; }
    CGPoint panelCenter() const { return panelCenter_; }
    // Half the panel's height.
    double panelHeight() const { return panelHeight_; }
    // The panel's buttons, bottom one first.
    const std::vector<UIButtonPtr>& buttons() const { return buttons_; }

    void showInView(const UIViewPtr& view);
    void actionButtonPressed(UIButton& button);
    void hideAlert();

    // A tap on a button is the button's, not the sheet's.
    std::optional<bool> gestureRecognizerShouldBegin(UIGestureRecognizer& recognizer) override;

private:
    // Only create makes sheets: the tap that closes one needs its shared pointer.
    struct Token {
        explicit Token() = default;
    };

public:
    UICustomActionSheet(Token, const CGRect& frame, const std::string& title,
                        std::weak_ptr<UICustomActionSheetDelegate> delegate,
                        std::vector<std::string> buttonTitles);

private:
    void installTapToClose();
    void pinBackdropAndPanel();
    void installTranslucentBackdrop();
    void addButtons();
    UIButtonPtr makeButton(std::size_t position);
    std::string verticalButtonFormat(std::size_t position) const;
    void addLabels();
    UILabelPtr makeLabel(const std::string& text, double fontSize, const UIColor& color);
    UIViewPtr topButton() const;
    void slideIn();

    std::string title_;
    std::string subtitle_;
    std::vector<std::string> buttonTitles_;
    std::vector<UIColor> buttonColors_;
    std::weak_ptr<UICustomActionSheetDelegate> delegate_;
    UIColor tintColor_ = UIColor::grayColor();
    UIColor buttonsTextColor_ = UIColor::whiteColor();
    UIColor titleColor_ = UIColor::whiteColor();
    UIColor subtitleColor_ = UIColor::lightGrayColor();
    UIColor panelBackgroundColor_ = UIColor::clearColor();
    double titleFontSize_ = 22;
    double subtitleFontSize_ = 14;
    bool blurredBackground_ = true;
    UIColor blurTintColor_ = UIColor::colorWithWhite(0.1, 0.4);
    CGRect clearArea_;

    ConstraintLayoutViewPtr panel_;
    UIImageViewPtr emptyBackground_;
    UIViewPtr backgroundImage_;
    CGPoint panelCenter_;
    double panelHeight_ = 0;
    std::vector<UIButtonPtr> buttons_;
    VisualFormat::Views panelViews_;
    bool shown_ = false;
    bool hiding_ = false;
};

using UICustomActionSheetPtr = std::shared_ptr<UICustomActionSheet>;
