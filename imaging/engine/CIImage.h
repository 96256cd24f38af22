#pragma once

#include <memory>

#include "imaging/engine/CIFilterParameters.h"
#include "platform/foundation/Value.h"
#include "platform/geometry/CGRect.h"
#include "platform/graphics/UIImage.h"

struct CIFilterDescriptor;
class CIImage;
using CIImagePtr = std::shared_ptr<const CIImage>;

// An image as the filter engine sees it: a recipe, not pixels. Either a picture's
// bitmap as stored (its orientation is not applied), or a filter applied to another
// CIImage with the input values it had at that moment. Nothing is computed until a
// CIContext renders it. Immutable, so renders on several threads may share one.
class CIImage {
public:
    // Null for a null picture.
    static CIImagePtr create(const UIImagePtr& image);

    // The rectangle the image covers, in pixels, with the y axis pointing up; a picture
    // covers (0, 0, its pixel width, its pixel height).
    CGRect extent() const { return extent_; }

    // A filter's output: filter applied to input with the parameters.
    struct Application {
        const CIFilterDescriptor* filter;
        CIFilterParameters parameters;
        CIImagePtr input;
    };
    static CIImagePtr createApplying(Application application, const CGRect& extent);

    const CGImageRef& bitmap() const { return bitmap_; }
    const Application* application() const { return application_ ? &*application_ : nullptr; }

    // How a CIImage travels as a filter input value (under kCIInputImageKey).
    static Value value(const CIImagePtr& image);
    // The CIImage in a value: a stored CIImage, or a picture wrapped on the spot.
    static CIImagePtr fromValue(const Value& value);

private:
    CIImage() = default;

    CGRect extent_;
    CGImageRef bitmap_;
    std::shared_ptr<const Application> application_;
};
