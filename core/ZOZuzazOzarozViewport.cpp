#include "core/ZOZuzazOzarozViewport.h"

#include <algorithm>

namespace {

bool hasArea(CGSize size) {
    return size.width > 0 && size.height > 0;
}

// Sets the frame of a view the viewport zooms by its transform: the bounds take the
// unzoomed size, so the view shows at the frame's size.
void setZoomedFrame(UIView& view, const CGRect& frame, double zoomScale) {
    const double scale = zoomScale > 0 ? zoomScale : 1;
    view.setBounds({view.bounds().origin, {frame.width() / scale, frame.height() / scale}});
    view.setCenter({frame.midX(), frame.midY()});
}

}  // namespace

void ZOZuzazOzarozViewport::fitImageView(const UIScrollView& viewport, UIImageView& imageView) {
    const UIImagePtr& image = imageView.image();
    const CGSize picture = image ? image->size() : imageView.frame().size;
    const auto fitted = fittedFrame(picture, viewport.frame().size, viewport.zoomScale());
    if (fitted) {
        setZoomedFrame(imageView, *fitted, viewport.zoomScale());
    }
}

void ZOZuzazOzarozViewport::lockZoom(UIScrollView& viewport, bool animated) {
    const double locked = kLockedZoomShare * viewport.minimumZoomScale();
    viewport.setMaximumZoomScale(locked);
    viewport.setMinimumZoomScale(locked);
    viewport.setZoomScale(locked, animated);
}

void ZOZuzazOzarozViewport::releaseZoom(UIScrollView& viewport, const UIImageView& imageView,
                                        bool animated) {
    const CGSize shown = imageView.frame().size;
    const UIImagePtr& image = imageView.image();
    viewport.setContentSize(shown);
    viewport.setMinimumZoomScale(1);
    viewport.setMaximumZoomScale(
        maximumZoomScale(viewport.frame().size, shown, image ? image->size() : CGSize{}));
    viewport.setZoomScale(1, animated);
}

void ZOZuzazOzarozViewport::centreImageView(const UIScrollView& viewport, UIImageView& imageView) {
    const UIEdgeInsets& insets = viewport.contentInset();
    const CGSize inner{viewport.frame().width() - insets.left - insets.right,
                       viewport.frame().height() - insets.top - insets.bottom};
    const CGSize size = imageView.frame().size;
    const CGPoint origin = centredOrigin(inner, size);
    imageView.setCenter({origin.x + size.width / 2, origin.y + size.height / 2});
}

std::optional<CGRect> ZOZuzazOzarozViewport::fittedFrame(CGSize picture, CGSize viewport,
                                                         double zoomScale) {
    if (!hasArea(picture)) {
        return std::nullopt;
    }
    const double ratio = std::min(viewport.width / picture.width, viewport.height / picture.height);
    const CGSize size{picture.width * ratio * zoomScale, picture.height * ratio * zoomScale};
    return CGRect{centredOrigin(viewport, size), size};
}

double ZOZuzazOzarozViewport::maximumZoomScale(CGSize viewport, CGSize shown, CGSize picture) {
    if (!hasArea(shown) || !hasArea(viewport)) {
        return 1;
    }
    const double toCoverWidth =
        std::max(viewport.width / shown.width, picture.width / viewport.width);
    const double toCoverHeight =
        std::max(viewport.height / shown.height, picture.height / viewport.height);
    return std::max({toCoverWidth, toCoverHeight, 1.0});
}

CGPoint ZOZuzazOzarozViewport::centredOrigin(CGSize inner, CGSize size) {
    return {std::max((inner.width - size.width) / 2, 0.0),
            std::max((inner.height - size.height) / 2, 0.0)};
}
