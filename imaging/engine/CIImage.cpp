#include "imaging/engine/CIImage.h"

CIImagePtr CIImage::create(const UIImagePtr& image) {
    if (!image) {
        return nullptr;
    }
    auto result = std::shared_ptr<CIImage>(new CIImage());
    result->bitmap_ = image->CGImage();
    result->extent_ = CGRect(0, 0, result->bitmap_->width(), result->bitmap_->height());
    return result;
}

CIImagePtr CIImage::createApplying(Application application, const CGRect& extent) {
    auto result = std::shared_ptr<CIImage>(new CIImage());
    result->application_ = std::make_shared<const Application>(std::move(application));
    result->extent_ = extent;
    return result;
}

// Objects travel in values as mutable references; a CIImage never changes, whichever way
// it is held.
Value CIImage::value(const CIImagePtr& image) {
    return image ? Value(AnyObject(std::const_pointer_cast<CIImage>(image))) : Value();
}

CIImagePtr CIImage::fromValue(const Value& value) {
    if (value.type() == Value::Type::Image) {
        return create(value.imageValue());
    }
    return value.objectValueAs<CIImage>();
}
