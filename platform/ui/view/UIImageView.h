#pragma once

#include "platform/graphics/UIImage.h"
#include "platform/ui/view/UIView.h"

// A view that shows a picture, placed by the view's content mode (scale to fill by
// default). Like the platform's, it takes no touches unless told to.
class UIImageView : public UIView {
public:
    explicit UIImageView(const CGRect& frame = CGRect{});
    // Sized to the picture (in points), at the origin.
    explicit UIImageView(UIImagePtr image);

    const UIImagePtr& image() const { return layer().contents(); }
    void setImage(UIImagePtr image);

    // The picture's size; zero without one.
    CGSize sizeThatFits(CGSize size) const override;
};

using UIImageViewPtr = std::shared_ptr<UIImageView>;
