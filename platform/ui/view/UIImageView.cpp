#include "platform/ui/view/UIImageView.h"

UIImageView::UIImageView(const CGRect& frame) : UIView(frame) {
    setUserInteractionEnabled(false);
}

UIImageView::UIImageView(UIImagePtr image)
    : UIImageView(CGRect{CGPoint{}, image ? image->size() : CGSize{}}) {
    setImage(std::move(image));
}

void UIImageView::setImage(UIImagePtr image) {
    layer().setContents(std::move(image));
}

CGSize UIImageView::sizeThatFits(CGSize) const {
    const UIImagePtr& picture = image();
    return picture ? picture->size() : CGSize{};
}
