#include "app/actionsheet/ConstraintLayoutView.h"

ConstraintLayoutView::ConstraintLayoutView(const CGRect& frame) : UIView(frame) {}

bool ConstraintLayoutView::addConstraintsWithVisualFormat(const std::string& format,
                                                          const VisualFormat::Views& views) {
    if (!layout_.addConstraintsWithVisualFormat(format, views)) {
        return false;
    }
    setNeedsLayout();
    return true;
}

void ConstraintLayoutView::layoutSubviews() {
    layout_.apply(bounds().size);
}

CGSize ConstraintLayoutView::sizeThatFits(CGSize size) const {
    return {size.width, layout_.fittingHeight(size.width)};
}
