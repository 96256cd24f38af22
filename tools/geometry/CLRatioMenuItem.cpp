#include "tools/geometry/CLRatioMenuItem.h"

#include <algorithm>

void CLRatioMenuItem::setRatio(CLRatioPtr ratio) {
    if (ratio == ratio_) {
        return;
    }
    ratio_ = std::move(ratio);
    refreshViews();
}

void CLRatioMenuItem::refreshViews() {
    if (!ratio_) {
        return;
    }
    setTitle(ratio_->description());
    const CGPoint centre = iconView()->center();
    const CGSize size = iconSize();
    iconView()->setFrame(
        {centre.x - size.width / 2, centre.y - size.height / 2, size.width, size.height});
}

void CLRatioMenuItem::changeOrientation() {
    if (!ratio_) {
        return;
    }
    ratio_->setIsLandscape(!ratio_->isLandscape());
    UIView::animate(kTurnDuration, [this] { refreshViews(); });
}

CGSize CLRatioMenuItem::iconSize() const {
    const double r = ratio_->ratio();
    if (r == 0) {
        const UIImagePtr& image = iconImage();
        const CGSize own = image ? image->size() : CGSize{};
        const double longer = std::max(own.width, own.height);
        // Square until there is a picture to take the proportions from.
        return longer > 0 ? CGSize{own.width * kIconSide / longer, own.height * kIconSide / longer}
                          : CGSize{kIconSide, kIconSide};
    }
    return ratio_->isLandscape() ? CGSize{kIconSide, kIconSide * r}
                                 : CGSize{kIconSide / r, kIconSide};
}
