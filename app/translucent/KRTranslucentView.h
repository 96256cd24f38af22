#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "app/translucent/KRBackdropBar.h"
#include "platform/graphics/UIColor.h"
#include "platform/ui/view/UIView.h"

// A view whose background is a live blur of what lies behind it, tinted and faded as
// asked, with ordinary subviews drawn on top.
//
// The blur comes from a translucent bar kept in hidden layers at the back: a clear,
// clipping layer at index 0 of the real subviews, holding a clipping container with
// the bar and, above the bar, a layer with the caller's background colour. The caller
// never sees that layer: subviews() leaves it out and every index the caller passes
// counts from just above it. The container only grows, so shrinking the view keeps
// the blur it had.
//
// The container itself shows the plain blur, untinted, under the bar: a bar faded
// below full opacity then lets the blur through rather than the sharp views behind,
// so a control under the view never shows its outline through it.
//
// On systems older than 7.0 the layers are not made and the view is a plain view.
class KRTranslucentView : public UIView {
public:
    explicit KRTranslucentView(const CGRect& frame = CGRect{});

    static bool isItClearColor(const UIColor& color);

    bool translucent() const { return translucent_; }
    void setTranslucent(bool translucent);
    // Opacity of the blur, kept within [0, 1].
    double translucentAlpha() const { return translucentAlpha_; }
    void setTranslucentAlpha(double alpha);
    UIBarStyle translucentStyle() const;
    void setTranslucentStyle(UIBarStyle style);
    // A fully clear tint gives the blur its default tint instead.
    const std::optional<UIColor>& translucentTintColor() const { return translucentTintColor_; }
    void setTranslucentTintColor(const std::optional<UIColor>& color);
    // The background colour the caller asked for.
    const UIColor& krColorBG() const { return krColorBG_; }
    // The bar's tint at creation: the tint used for a fully clear one.
    const std::optional<UIColor>& krDefaultColorBG() const { return krDefaultColorBG_; }

    // The hidden layers, for looking at, not for changing.
    bool initComplete() const { return initComplete_; }
    const UIViewPtr& nonexistentSubview() const { return nonexistentSubview_; }
    const UIViewPtr& toolbarContainerClipView() const { return toolbarContainerClipView_; }
    const KRBackdropBarPtr& toolBarBG() const { return toolBarBG_; }
    const UIViewPtr& overlayBackgroundView() const { return overlayBackgroundView_; }

    void setFrame(const CGRect& frame) override;
    void setBounds(const CGRect& bounds) override;
    void setBackgroundColor(const UIColor& color) override;
    std::vector<UIViewPtr> subviews() const override;
    void insertSubviewAtIndex(const UIViewPtr& view, std::size_t index) override;
    void exchangeSubviewAtIndex(std::size_t index1, std::size_t index2) override;
    void sendSubviewToBack(const UIViewPtr& view) override;

private:
    void createUI();
    // The container grows to hold size, and never shrinks.
    CGRect grownContainerRect(CGSize size) const;

    bool initComplete_ = false;
    bool translucent_ = true;
    double translucentAlpha_ = 1.0;
    std::optional<UIColor> translucentTintColor_;
    UIColor krColorBG_ = UIColor::clearColor();
    std::optional<UIColor> krDefaultColorBG_;
    UIViewPtr nonexistentSubview_;
    UIViewPtr toolbarContainerClipView_;
    KRBackdropBarPtr toolBarBG_;
    UIViewPtr overlayBackgroundView_;
};

using KRTranslucentViewPtr = std::shared_ptr<KRTranslucentView>;
