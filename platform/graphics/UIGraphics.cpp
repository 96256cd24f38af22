#include "platform/graphics/UIGraphics.h"

#include <cmath>
#include <vector>

#include "platform/graphics/CGContextImpl.h"
#include "platform/graphics/UIScreen.h"

namespace {

struct StackEntry {
    CGContextRef context;
    double scale;
    bool isImageContext;
};

std::vector<StackEntry>& contextStack() {
    thread_local std::vector<StackEntry> stack;
    return stack;
}

// Pixels for a length in points; a hair over a whole number is rounding noise.
double pixelsFor(double points, double scale) {
    return std::ceil(points * scale - 1e-6);
}

CGContextRef makeImageContext(CGSize size, bool opaque, double scale) {
    const double width = pixelsFor(size.width, scale);
    const double height = pixelsFor(size.height, scale);
    if (!std::isfinite(width) || !std::isfinite(height) ||
        !CGImage::isAcceptableSize(static_cast<std::int64_t>(width),
                                   static_cast<std::int64_t>(height))) {
        return nullptr;
    }
    std::shared_ptr<CGImage> bitmap = CGContext::Impl::newBitmap(
        static_cast<int>(width), static_cast<int>(height),
        opaque ? CGPixelFormat::RGB32 : CGPixelFormat::ARGB32Premultiplied);
    if (!bitmap) {
        return nullptr;
    }
    // y-down points: flip the platform's y-up pixels and scale.
    const CGAffineTransform base{scale, 0, 0, -scale, 0, height};
    return CGContext::createWithImpl(std::make_unique<CGContext::Impl>(std::move(bitmap), base));
}

}  // namespace

void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, double scale) {
    const double pixelsPerPoint = scale > 0 ? scale : UIScreen::scale();
    contextStack().push_back(
        {makeImageContext(size, opaque, pixelsPerPoint), pixelsPerPoint, true});
}

void UIGraphicsBeginImageContext(CGSize size) {
    UIGraphicsBeginImageContextWithOptions(size, false, 1.0);
}

CGContextRef UIGraphicsGetCurrentContext() {
    const std::vector<StackEntry>& stack = contextStack();
    return stack.empty() ? nullptr : stack.back().context;
}

UIImagePtr UIGraphicsGetImageFromCurrentImageContext() {
    const std::vector<StackEntry>& stack = contextStack();
    if (stack.empty() || !stack.back().isImageContext || !stack.back().context) {
        return nullptr;
    }
    return UIImage::imageWithCGImage(stack.back().context->makeImage(), stack.back().scale);
}

void UIGraphicsEndImageContext() {
    std::vector<StackEntry>& stack = contextStack();
    if (!stack.empty() && stack.back().isImageContext) {
        stack.pop_back();
    }
}

void UIGraphicsPushContext(CGContextRef context) {
    contextStack().push_back({std::move(context), 1.0, false});
}

void UIGraphicsPopContext() {
    std::vector<StackEntry>& stack = contextStack();
    if (!stack.empty() && !stack.back().isImageContext) {
        stack.pop_back();
    }
}
