#include "app/translucent/KRBackdropBar.h"

#include <cmath>

#include "app/translucent/BackdropSampler.h"
#include "app/translucent/BoxBlur.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/CGContext.h"
#include "platform/ui/view/UIViewDrawingCache.h"

UIColor KRBackdropBar::washColor(UIBarStyle style) {
    return style == UIBarStyle::Black ? UIColor::colorWithWhite(0.11, 0.73)
                                      : UIColor::colorWithWhite(0.97, 0.8);
}

KRBackdropBar::KRBackdropBar(const CGRect& frame) : UIView(frame) {}

void KRBackdropBar::setBarStyle(UIBarStyle style) {
    if (style == barStyle_) {
        return;
    }
    barStyle_ = style;
    setNeedsDisplay();
}

void KRBackdropBar::setBarTintColor(const std::optional<UIColor>& color) {
    if (color == barTintColor_) {
        return;
    }
    barTintColor_ = color;
    setNeedsDisplay();
}

void KRBackdropBar::setTranslucent(bool translucent) {
    if (translucent == translucent_) {
        return;
    }
    translucent_ = translucent;
    setNeedsDisplay();
}

UIColor KRBackdropBar::overlayColor() const {
    return barTintColor_ ? *barTintColor_ : washColor(barStyle_);
}

void KRBackdropBar::drawRect(CGContext& context, const CGRect&) {
    const UIColor overlay = overlayColor();
    if (translucent_) {
        drawBlurredBackdrop(context);
        context.setFillColor(overlay);
    } else {
        context.setFillColor(overlay.colorWithAlphaComponent(1));
    }
    context.fillRect(bounds());
}

void KRBackdropBar::drawBlurredBackdrop(CGContext& context) {
    resampleOnNextPaint();
    const UIImagePtr behind = BackdropSampler::renderBehind(*this, kSampleScale);
    if (!behind) {
        return;
    }
    const std::shared_ptr<CGImage> pixels = behind->CGImage()->copy();
    if (!pixels) {
        return;
    }
    BoxBlur::apply(*pixels, static_cast<int>(std::lround(kBlurRadius * kSampleScale)));
    if (const UIImagePtr blurred = UIImage::imageWithCGImage(pixels, kSampleScale)) {
        blurred->drawInContext(context, bounds());
    }
}

void KRBackdropBar::resampleOnNextPaint() {
    if (resampleScheduled_) {
        return;
    }
    resampleScheduled_ = true;
    // Straight to the cache, not setNeedsDisplay: that would ask for a paint, and every
    // paint would ask for the next one.
    DispatchQueue::main().async([weak = std::weak_ptr<UIView>(weak_from_this())] {
        if (const auto view = std::static_pointer_cast<KRBackdropBar>(weak.lock())) {
            view->resampleScheduled_ = false;
            view->drawingCache().valid = false;
        }
    });
}
