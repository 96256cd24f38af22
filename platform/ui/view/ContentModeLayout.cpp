#include "platform/ui/view/ContentModeLayout.h"

#include <algorithm>

#include "platform/ui/view/UIView.h"

namespace {

CGRect scaledAndCentred(CGSize content, const CGRect& bounds, double scale) {
    const double width = content.width * scale;
    const double height = content.height * scale;
    return {bounds.midX() - width / 2, bounds.midY() - height / 2, width, height};
}

}  // namespace

CGRect ContentModeLayout::placement(UIViewContentMode mode, CGSize content, const CGRect& bounds) {
    if (content.width <= 0 || content.height <= 0) {
        return bounds;
    }
    const double widthRatio = bounds.width() / content.width;
    const double heightRatio = bounds.height() / content.height;
    const double w = content.width;
    const double h = content.height;
    switch (mode) {
        case UIViewContentMode::ScaleToFill:
        case UIViewContentMode::Redraw:
            return bounds;
        case UIViewContentMode::ScaleAspectFit:
            return scaledAndCentred(content, bounds, std::min(widthRatio, heightRatio));
        case UIViewContentMode::ScaleAspectFill:
            return scaledAndCentred(content, bounds, std::max(widthRatio, heightRatio));
        case UIViewContentMode::Center:
            return scaledAndCentred(content, bounds, 1);
        case UIViewContentMode::Top:
            return {bounds.midX() - w / 2, bounds.minY(), w, h};
        case UIViewContentMode::Bottom:
            return {bounds.midX() - w / 2, bounds.maxY() - h, w, h};
        case UIViewContentMode::Left:
            return {bounds.minX(), bounds.midY() - h / 2, w, h};
        case UIViewContentMode::Right:
            return {bounds.maxX() - w, bounds.midY() - h / 2, w, h};
        case UIViewContentMode::TopLeft:
            return {bounds.minX(), bounds.minY(), w, h};
        case UIViewContentMode::TopRight:
            return {bounds.maxX() - w, bounds.minY(), w, h};
        case UIViewContentMode::BottomLeft:
            return {bounds.minX(), bounds.maxY() - h, w, h};
        case UIViewContentMode::BottomRight:
            return {bounds.maxX() - w, bounds.maxY() - h, w, h};
    }
    return bounds;
}
