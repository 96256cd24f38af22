#include "platform/ui/controls/TextCaretView.h"

#include "platform/ui/animation/CABasicAnimation.h"

namespace {
constexpr const char* kBlinkKey = "blink";
}  // namespace

TextCaretView::TextCaretView() : UIView(CGRect{0, 0, kWidth, 0}) {
    setBackgroundColor(UIColor::colorWithRed(0, 122.0 / 255, 1));
    setUserInteractionEnabled(false);
    setHidden(true);
}

void TextCaretView::placeAt(const CGRect& caret) {
    setFrame({caret.minX() - kWidth / 2, caret.minY(), kWidth, caret.height()});
}

void TextCaretView::restartBlinking() {
    setHidden(false);
    // One cycle is lit, a quick fade through the middle, dark; then lit again.
    CABasicAnimation blink = CABasicAnimation::animationWithKeyPath("opacity");
    blink.setFromValue(1.0);
    blink.setToValue(0.0);
    blink.setDuration(2 * kBlinkPeriod);
    blink.setTimingFunction(CAMediaTimingFunction(0.9, 0, 0.1, 1));
    blink.setRepeatCount(CABasicAnimation::kRepeatForever);
    layer().addAnimation(blink, kBlinkKey);
}

void TextCaretView::stop() {
    layer().removeAnimationForKey(kBlinkKey);
    setHidden(true);
}
