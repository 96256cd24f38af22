#include "tools/blur/CLBlurComposer.h"

#include <functional>

#include "imaging/operations/UIImageUtility.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIGraphics.h"

namespace {

CGSize pixelSize(const UIImagePtr& image) {
    return {static_cast<double>(image->CGImage()->width()),
            static_cast<double>(image->CGImage()->height())};
}

// A picture of size drawn by draw into a white image context of scale 1.
UIImagePtr drawnOnWhite(CGSize size, const std::function<void(CGContext&)>& draw) {
    UIGraphicsBeginImageContextWithOptions(size, true, 1);
    const CGContextRef context = UIGraphicsGetCurrentContext();
    context->setFillColor(UIColor::whiteColor());
    context->fillRect({{0, 0}, size});
    draw(*context);
    UIImagePtr picture = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return picture;
}

}  // namespace

UIImagePtr CLBlurComposer::buildResultImage(const UIImagePtr& sharp,
                                            const UIImagePtr& blurred) const {
    switch (mode) {
        case kCircle:
            return blurImage(sharp, blurred, circleMaskFor(sharp));
        case kBand:
            return blurImage(sharp, blurred, bandMaskFor(sharp));
        default:
            return blurred;
    }
}

UIImagePtr CLBlurComposer::blurImage(const UIImagePtr& sharp, const UIImagePtr& blurred,
                                     const UIImagePtr& mask) {
    if (!sharp || !blurred || !mask) {
        return nullptr;
    }
    const UIImagePtr kept = UIImageUtility::maskedImage(sharp, mask);
    const CGSize size = pixelSize(blurred);
    UIGraphicsBeginImageContextWithOptions(size, false, 1);
    blurred->drawAtPoint({0, 0});
    kept->drawInRect({{0, 0}, size});
    UIImagePtr result = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return result;
}

UIImagePtr CLBlurComposer::circleMaskFor(const UIImagePtr& sharp) const {
    if (!circleMask || !sharp) {
        return nullptr;
    }
    const CGSize size = pixelSize(sharp);
    const double k = size.width / viewWidth;
    return drawnOnWhite(size, [&](CGContext&) {
        circleMask->drawInRect({circleFrame.minX() * k, circleFrame.minY() * k,
                                circleFrame.width() * k, circleFrame.height() * k});
    });
}

UIImagePtr CLBlurComposer::bandMaskFor(const UIImagePtr& sharp) const {
    if (!bandMask || !sharp) {
        return nullptr;
    }
    const CGSize size = pixelSize(sharp);
    const double k = size.width / originalWidth;
    const CGRect& r = bandImageRect;
    const double cx = r.midX();
    const double cy = r.midY();
    return drawnOnWhite(size, [&](CGContext& context) {
        context.saveGState();
        context.translateCTM(k * cx, k * cy);
        context.rotateCTM(bandRotation);
        context.translateCTM(0, bandOffset * size.width / viewWidth);
        context.scaleCTM(1, bandScale);
        context.translateCTM(-k * cx, -k * cy);
        bandMask->drawInRect({k * r.minX(), k * r.minY(), k * r.width(), k * r.height()});
        context.restoreGState();
    });
}
