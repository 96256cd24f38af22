#include "platform/graphics/UIImage.h"

bool isQuarterTurned(UIImageOrientation orientation) {
    switch (orientation) {
        case UIImageOrientation::Left:
        case UIImageOrientation::Right:
        case UIImageOrientation::LeftMirrored:
        case UIImageOrientation::RightMirrored:
            return true;
        default:
            return false;
    }
}

UIImage::UIImage(CGImageRef bitmap, double scale, UIImageOrientation orientation)
    : bitmap_(std::move(bitmap)), scale_(scale), orientation_(orientation) {}

UIImagePtr UIImage::imageWithCGImage(CGImageRef bitmap, double scale,
                                     UIImageOrientation orientation) {
    if (!bitmap || !(scale > 0)) {
        return nullptr;
    }
    return UIImagePtr(new UIImage(std::move(bitmap), scale, orientation));
}

CGSize UIImage::size() const {
    const double w = bitmap_->width() / scale_;
    const double h = bitmap_->height() / scale_;
    return isQuarterTurned(orientation_) ? CGSize{h, w} : CGSize{w, h};
}
