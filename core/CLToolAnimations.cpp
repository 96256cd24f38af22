#include "core/CLToolAnimations.h"

double CLToolAnimations::distanceBelow(const UIView& panel, const UIView& root) {
    // The panel's own top, whatever transform it is under now.
    const double top = panel.center().y - panel.bounds().height() / 2;
    return root.bounds().height() - top;
}

void CLToolAnimations::slideInFromBelow(const UIViewPtr& panel, const UIView& root,
                                        std::function<void()> arrived) {
    panel->setTransform(CGAffineTransform::makeTranslation(0, distanceBelow(*panel, root)));
    UIView::animate(
        kDuration, [&] { panel->setTransform(CGAffineTransform::identity()); },
        [arrived = std::move(arrived)](bool) {
            if (arrived) {
                arrived();
            }
        });
}

void CLToolAnimations::slideOutAndRemove(const UIViewPtr& panel, const UIView& root) {
    const double distance = distanceBelow(*panel, root);
    UIView::animate(
        kDuration, [&] { panel->setTransform(CGAffineTransform::makeTranslation(0, distance)); },
        [panel](bool) { panel->removeFromSuperview(); });
}

void CLToolAnimations::flash(UIView& item) {
    item.setAlpha(kTappedAlpha);
    UIView::animate(kDuration, [&] { item.setAlpha(1.0); });
}
