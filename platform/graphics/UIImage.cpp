#include "platform/graphics/UIImage.h"

#include "platform/graphics/ImageDecoder.h"
#include "platform/graphics/ImageEncoder.h"
#include "platform/graphics/UIGraphics.h"

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

UIImage::UIImage(CGImageRef bitmap, double scale, UIImageOrientation orientation,
                 PictureMetadataPtr metadata)
    : bitmap_(std::move(bitmap)),
      scale_(scale),
      orientation_(orientation),
      metadata_(std::move(metadata)) {}

UIImagePtr UIImage::imageWithCGImage(CGImageRef bitmap, double scale,
                                     UIImageOrientation orientation, PictureMetadataPtr metadata) {
    if (!bitmap || !(scale > 0)) {
        return nullptr;
    }
    return UIImagePtr(new UIImage(std::move(bitmap), scale, orientation, std::move(metadata)));
}

UIImagePtr UIImage::imageWithMetadata(PictureMetadataPtr metadata) const {
    return UIImagePtr(new UIImage(bitmap_, scale_, orientation_, std::move(metadata)));
}

CGSize UIImage::size() const {
    const double w = bitmap_->width() / scale_;
    const double h = bitmap_->height() / scale_;
    return isQuarterTurned(orientation_) ? CGSize{h, w} : CGSize{w, h};
}

UIImagePtr UIImage::imageWithContentsOfFile(const std::string& path) {
    return ImageDecoder::decodeFile(path);
}

UIImagePtr UIImage::imageWithData(const std::vector<std::uint8_t>& data) {
    return ImageDecoder::decodeData(data);
}

CGAffineTransform UIImage::uprightTransform(const CGRect& rect) const {
    const double w = bitmap_->width();
    const double h = bitmap_->height();
    // Pixel (u, v) to its place in the upright picture, in pixels.
    CGAffineTransform toUpright;
    switch (orientation_) {
        case UIImageOrientation::Up:
            break;
        case UIImageOrientation::UpMirrored:
            toUpright = {-1, 0, 0, 1, w, 0};
            break;
        case UIImageOrientation::Down:
            toUpright = {-1, 0, 0, -1, w, h};
            break;
        case UIImageOrientation::DownMirrored:
            toUpright = {1, 0, 0, -1, 0, h};
            break;
        case UIImageOrientation::Left:
            toUpright = {0, -1, 1, 0, 0, w};
            break;
        case UIImageOrientation::LeftMirrored:
            toUpright = {0, 1, 1, 0, 0, 0};
            break;
        case UIImageOrientation::Right:
            toUpright = {0, 1, -1, 0, h, 0};
            break;
        case UIImageOrientation::RightMirrored:
            toUpright = {0, -1, -1, 0, h, w};
            break;
    }
    const double uprightWidth = isQuarterTurned(orientation_) ? h : w;
    const double uprightHeight = isQuarterTurned(orientation_) ? w : h;
    return toUpright
        .concatenating(CGAffineTransform::makeScale(rect.width() / uprightWidth,
                                                    rect.height() / uprightHeight))
        .concatenating(CGAffineTransform::makeTranslation(rect.minX(), rect.minY()));
}

void UIImage::drawInRect(const CGRect& rect) const {
    if (CGContextRef context = UIGraphicsGetCurrentContext()) {
        drawInContext(*context, rect);
    }
}

void UIImage::drawInRect(const CGRect& rect, CGBlendMode blendMode, double alpha) const {
    if (CGContextRef context = UIGraphicsGetCurrentContext()) {
        context->saveGState();
        context->setBlendMode(blendMode);
        context->setAlpha(alpha);
        drawInContext(*context, rect);
        context->restoreGState();
    }
}

void UIImage::drawAtPoint(CGPoint point) const {
    drawInRect(CGRect(point, size()));
}

void UIImage::drawAtPoint(CGPoint point, CGBlendMode blendMode, double alpha) const {
    drawInRect(CGRect(point, size()), blendMode, alpha);
}

void UIImage::drawInContext(CGContext& context, const CGRect& rect) const {
    // drawImage into the bitmap's own rectangle puts pixel (u, v) at (u, height − v);
    // undo that flip, then place the pixels upright.
    const double height = bitmap_->height();
    const CGAffineTransform unflip{1, 0, 0, -1, 0, height};
    context.saveGState();
    context.concatCTM(unflip.concatenating(uprightTransform(rect)));
    context.drawImage(CGRect(0, 0, bitmap_->width(), height), bitmap_);
    context.restoreGState();
}

std::vector<std::uint8_t> UIImagePNGRepresentation(const UIImage& image) {
    return ImageEncoder::encodePNG(image);
}

std::vector<std::uint8_t> UIImageJPEGRepresentation(const UIImage& image, double quality) {
    return ImageEncoder::encodeJPEG(image, quality);
}
