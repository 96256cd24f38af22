#include "app/translucent/KRTranslucentView.h"

#include <algorithm>
#include <cmath>

#include "imaging/operations/UIDeviceSystemVersion.h"

namespace {

constexpr double kFirstTranslucentSystem = 7.0;
constexpr unsigned kFlexibleMargins =
    UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin |
    UIViewAutoresizingFlexibleTopMargin | UIViewAutoresizingFlexibleBottomMargin;
constexpr unsigned kFlexibleSize =
    UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;

template <typename Layer = UIView>
std::shared_ptr<Layer> makeClippingLayer(const CGRect& frame) {
    auto layer = std::make_shared<Layer>(frame);
    layer->setClipsToBounds(true);
    layer->setAutoresizingMask(kFlexibleMargins);
    return layer;
}

}  // namespace

KRTranslucentView::KRTranslucentView(const CGRect& frame) : UIView(frame) {
    if (UIDeviceSystemVersion::iosVersion() >= kFirstTranslucentSystem) {
        createUI();
    }
}

bool KRTranslucentView::isItClearColor(const UIColor& color) {
    double red = 1;
    double green = 1;
    double blue = 1;
    double alpha = 1;
    // A pattern has no components to read, and it shows a picture: never clear.
    if (!color.getRed(&red, &green, &blue, &alpha)) {
        return false;
    }
    return red == 0 && green == 0 && blue == 0 && alpha == 0;
}

void KRTranslucentView::createUI() {
    const CGRect bounds = this->bounds();
    krColorBG_ = backgroundColor();
    krDefaultColorBG_ = std::nullopt;
    translucent_ = true;
    translucentAlpha_ = 1.0;

    nonexistentSubview_ = makeClippingLayer(bounds);
    // Touches on the blur belong to this view, not to its layers.
    nonexistentSubview_->setUserInteractionEnabled(false);
    UIView::insertSubviewAtIndex(nonexistentSubview_, 0);

    const auto blurBelowBar = makeClippingLayer<KRBackdropBar>(bounds);
    blurBelowBar->setBarTintColor(UIColor::clearColor());
    toolbarContainerClipView_ = blurBelowBar;
    nonexistentSubview_->addSubview(toolbarContainerClipView_);

    // One point higher and taller than the view, which hides a bar's top hairline.
    toolBarBG_ = std::make_shared<KRBackdropBar>(
        CGRect{bounds.minX(), bounds.minY() - 1, bounds.width(), bounds.height() + 1});
    toolBarBG_->setAutoresizingMask(kFlexibleSize);
    toolbarContainerClipView_->addSubview(toolBarBG_);
    krDefaultColorBG_ = toolBarBG_->barTintColor();

    overlayBackgroundView_ = std::make_shared<UIView>(bounds);
    overlayBackgroundView_->setBackgroundColor(krColorBG_);
    overlayBackgroundView_->setAutoresizingMask(kFlexibleSize);
    toolbarContainerClipView_->addSubview(overlayBackgroundView_);

    UIView::setBackgroundColor(UIColor::clearColor());
    initComplete_ = true;
}

void KRTranslucentView::setTranslucent(bool translucent) {
    translucent_ = translucent;
    if (!initComplete_) {
        return;
    }
    toolBarBG_->setTranslucent(translucent);
    toolbarContainerClipView_->setHidden(!translucent);
    if (translucent) {
        toolBarBG_->setHidden(false);
        toolBarBG_->setBarTintColor(krColorBG_);
        setBackgroundColor(UIColor::clearColor());
    } else {
        toolBarBG_->setHidden(true);
        setBackgroundColor(krColorBG_);
    }
}

void KRTranslucentView::setTranslucentAlpha(double alpha) {
    if (std::isnan(alpha)) {
        return;
    }
    translucentAlpha_ = std::clamp(alpha, 0.0, 1.0);
    if (initComplete_) {
        toolBarBG_->setAlpha(translucentAlpha_);
    }
}

UIBarStyle KRTranslucentView::translucentStyle() const {
    return toolBarBG_ ? toolBarBG_->barStyle() : UIBarStyle::Default;
}

void KRTranslucentView::setTranslucentStyle(UIBarStyle style) {
    if (toolBarBG_) {
        toolBarBG_->setBarStyle(style);
    }
}

void KRTranslucentView::setTranslucentTintColor(const std::optional<UIColor>& color) {
    translucentTintColor_ = color;
    if (!initComplete_) {
        return;
    }
    const bool clear = !color || isItClearColor(*color);
    toolBarBG_->setBarTintColor(clear ? krDefaultColorBG_ : color);
}

CGRect KRTranslucentView::grownContainerRect(CGSize size) const {
    const CGSize current = toolbarContainerClipView_->bounds().size;
    return {0, 0, std::max(current.width, size.width), std::max(current.height, size.height)};
}

void KRTranslucentView::setFrame(const CGRect& frame) {
    if (!initComplete_) {
        UIView::setFrame(frame);
        return;
    }
    toolbarContainerClipView_->setFrame(grownContainerRect(frame.standardized().size));
    UIView::setFrame(frame);
    nonexistentSubview_->setFrame(bounds());
}

void KRTranslucentView::setBounds(const CGRect& bounds) {
    if (!initComplete_) {
        UIView::setBounds(bounds);
        return;
    }
    toolbarContainerClipView_->setBounds(grownContainerRect(bounds.standardized().size));
    UIView::setBounds(bounds);
    nonexistentSubview_->setFrame(this->bounds());
}

void KRTranslucentView::setBackgroundColor(const UIColor& color) {
    if (!initComplete_) {
        UIView::setBackgroundColor(color);
        return;
    }
    krColorBG_ = color;
    if (translucent_) {
        overlayBackgroundView_->setBackgroundColor(krColorBG_);
        UIView::setBackgroundColor(UIColor::clearColor());
    } else {
        UIView::setBackgroundColor(krColorBG_);
    }
}

std::vector<UIViewPtr> KRTranslucentView::subviews() const {
    std::vector<UIViewPtr> visible = allSubviews();
    std::erase(visible, nonexistentSubview_);
    return visible;
}

void KRTranslucentView::insertSubviewAtIndex(const UIViewPtr& view, std::size_t index) {
    UIView::insertSubviewAtIndex(view, initComplete_ ? index + 1 : index);
}

void KRTranslucentView::exchangeSubviewAtIndex(std::size_t index1, std::size_t index2) {
    if (initComplete_) {
        UIView::exchangeSubviewAtIndex(index1 + 1, index2 + 1);
    } else {
        UIView::exchangeSubviewAtIndex(index1, index2);
    }
}

void KRTranslucentView::sendSubviewToBack(const UIViewPtr& view) {
    if (!initComplete_) {
        UIView::sendSubviewToBack(view);
        return;
    }
    if (view && view != nonexistentSubview_ && view->superview().get() == this) {
        UIView::insertSubviewAtIndex(view, 1);
    }
}
