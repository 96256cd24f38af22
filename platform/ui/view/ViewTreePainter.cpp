#include "platform/ui/view/ViewTreePainter.h"

#include <QtGui/QImage>
#include <algorithm>
#include <cmath>

#include "platform/graphics/QtBridge.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/ui/view/ContentModeLayout.h"
#include "platform/ui/view/DisplayLevels.h"
#include "platform/ui/view/UIView.h"
#include "platform/ui/view/UIViewDrawingCache.h"

namespace {

QTransform projectiveTransform(const CATransform3D& t) {
    return QTransform(t.m11, t.m12, t.m14, t.m21, t.m22, t.m24, t.m41, t.m42, t.m44);
}

QBrush backgroundBrush(const UIColor& color, const CGRect& bounds) {
    if (color.kind() != UIColor::Kind::Pattern) {
        return QBrush(qtbridge::qtColor(color));
    }
    const auto& pattern = color.patternImage();
    if (!pattern || !pattern->CGImage()) {
        return QBrush(Qt::transparent);
    }
    QBrush brush(qtbridge::wrapReadOnly(*pattern->CGImage()));
    // One tile per picture size in points, starting at the view's top-left corner.
    const double tileScale = 1.0 / pattern->scale();
    brush.setTransform(QTransform::fromScale(tileScale, tileScale) *
                       QTransform::fromTranslate(bounds.minX(), bounds.minY()));
    return brush;
}

QTransform presentedBoundsToSuperview(const UIView& view) {
    const CGRect bounds = view.presentationBounds();
    const CGPoint center = view.presentationCenter();
    const CATransform3D transform = view.presentationLayerTransform();
    QTransform local = QTransform::fromTranslate(-bounds.midX(), -bounds.midY());
    if (!transform.isIdentity()) {
        local *= projectiveTransform(transform);
    }
    return local * QTransform::fromTranslate(center.x, center.y);
}

QPainterPath roundedShape(const CGRect& bounds, double cornerRadius) {
    QPainterPath path;
    const double radius =
        std::clamp(cornerRadius, 0.0, std::min(bounds.width(), bounds.height()) / 2);
    if (radius > 0) {
        path.addRoundedRect(qtbridge::qtRect(bounds), radius, radius);
    } else {
        path.addRect(qtbridge::qtRect(bounds));
    }
    return path;
}

}  // namespace

ViewTreePainter::ViewTreePainter(QPainter& painter, double contentScale)
    : painter_(painter), contentScale_(contentScale > 0 ? contentScale : 1) {}

void ViewTreePainter::paintRoot(UIView& view, const QTransform& boundsToDevice) {
    if (view.isHidden()) {
        return;
    }
    paintView(view, boundsToDevice, view.presentationAlpha());
}

void ViewTreePainter::paintSubview(UIView& view, const QTransform& parentToDevice) {
    if (view.isHidden()) {
        return;
    }
    const double alpha = view.presentationAlpha();
    if (alpha <= 0) {
        return;
    }
    paintView(view, presentedBoundsToSuperview(view) * parentToDevice, alpha);
}

void ViewTreePainter::paintView(UIView& view, const QTransform& boundsToDevice, double alpha) {
    if (alpha <= 0 || !boundsToDevice.isInvertible()) {
        return;
    }
    if (alpha < 1 && !view.allSubviews().empty()) {
        paintInLayer(view, boundsToDevice, alpha);
        return;
    }
    const qreal opacity = painter_.opacity();
    painter_.setOpacity(opacity * alpha);
    paintLayerContents(view, boundsToDevice);
    painter_.setOpacity(opacity);
}

void ViewTreePainter::paintInLayer(UIView& view, const QTransform& boundsToDevice, double alpha) {
    const QPaintDevice* device = painter_.device();
    const qreal pixelRatio = device->devicePixelRatioF();
    const QRectF deviceArea(0, 0, device->width() / pixelRatio, device->height() / pixelRatio);
    const QRectF area = subtreeDeviceRect(view, boundsToDevice).intersected(deviceArea);
    const QRect pixels = area.toAlignedRect();
    if (pixels.isEmpty()) {
        return;
    }
    QImage layer(pixels.size() * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    if (layer.isNull()) {
        return;
    }
    layer.setDevicePixelRatio(pixelRatio);
    layer.fill(Qt::transparent);
    {
        QPainter layerPainter(&layer);
        layerPainter.setRenderHints(painter_.renderHints());
        ViewTreePainter(layerPainter, contentScale_)
            .paintLayerContents(
                view, boundsToDevice * QTransform::fromTranslate(-pixels.x(), -pixels.y()));
    }
    painter_.save();
    painter_.resetTransform();
    painter_.setOpacity(painter_.opacity() * alpha);
    painter_.drawImage(pixels.topLeft(), layer);
    painter_.restore();
}

void ViewTreePainter::paintLayerContents(UIView& view, const QTransform& boundsToDevice) {
    const CGRect bounds = view.presentationBounds();
    const QPainterPath shape = roundedShape(bounds, view.layer().cornerRadius());
    painter_.save();
    painter_.setWorldTransform(boundsToDevice);
    // Pictures alone in a rounded view are cut to its shape as they are filled in,
    // which is much cheaper than a clip path; subviews need the clip.
    const QPainterPath* cutShape = nullptr;
    if (view.clipsToBounds()) {
        if (view.layer().cornerRadius() <= 0) {
            painter_.setClipRect(qtbridge::qtRect(bounds), Qt::IntersectClip);
        } else if (!view.allSubviews().empty()) {
            painter_.setClipPath(shape, Qt::IntersectClip);
        } else {
            cutShape = &shape;
        }
    }
    paintBackground(view, shape);
    paintContentsImage(view, bounds, boundsToDevice, cutShape);
    paintOwnDrawing(view, bounds, boundsToDevice, cutShape);
    for (const UIViewPtr& subview : view.allSubviews()) {
        paintSubview(*subview, boundsToDevice);
    }
    painter_.setWorldTransform(boundsToDevice);
    paintBorder(view, bounds);
    painter_.restore();
}

void ViewTreePainter::paintBackground(UIView& view, const QPainterPath& shape) {
    const UIColor color = view.presentationBackgroundColor();
    if (color.kind() != UIColor::Kind::Pattern && color.alpha() <= 0) {
        return;
    }
    painter_.fillPath(shape, backgroundBrush(color, view.presentationBounds()));
}

void ViewTreePainter::paintContentsImage(UIView& view, const CGRect& bounds,
                                         const QTransform& boundsToDevice,
                                         const QPainterPath* cutShape) {
    const UIImagePtr& image = view.layer().contents();
    if (!image || !image->CGImage()) {
        return;
    }
    const CGRect place = ContentModeLayout::placement(view.contentMode(), image->size(), bounds);
    if (place.isEmpty()) {
        return;
    }
    QTransform pixelsToBounds = qtbridge::qtTransform(image->uprightTransform(place));
    const CGImageRef& source = image->CGImage();
    const double shownScale =
        std::sqrt(std::abs((pixelsToBounds * boundsToDevice).determinant())) * contentScale_;
    const CGImageRef shown = DisplayLevels::shared().bitmapFor(source, shownScale, view);
    if (shown != source) {
        pixelsToBounds = QTransform::fromScale(double(source->width()) / shown->width(),
                                               double(source->height()) / shown->height()) *
                         pixelsToBounds;
    }
    paintBitmap(*shown, pixelsToBounds, place, boundsToDevice, cutShape);
}

void ViewTreePainter::paintOwnDrawing(UIView& view, const CGRect& bounds,
                                      const QTransform& boundsToDevice,
                                      const QPainterPath* cutShape) {
    const CGImageRef& drawing = ownDrawing(view);
    if (!drawing) {
        return;
    }
    const CGRect place =
        ContentModeLayout::placement(view.contentMode(), view.bounds().size, bounds);
    const QTransform pixelsToBounds = QTransform::fromScale(place.width() / drawing->width(),
                                                            place.height() / drawing->height()) *
                                      QTransform::fromTranslate(place.minX(), place.minY());
    paintBitmap(*drawing, pixelsToBounds, place, boundsToDevice, cutShape);
}

const CGImageRef& ViewTreePainter::ownDrawing(UIView& view) const {
    UIView::DrawingCache& cache = view.drawingCache();
    const CGSize size = view.bounds().size;
    if (size.width <= 0 || size.height <= 0) {
        cache.bitmap = nullptr;
        return cache.bitmap;
    }
    if (cache.valid && cache.scale == contentScale_ && cache.size == size) {
        return cache.bitmap;
    }
    cache.drawsNothing = false;
    UIGraphicsBeginImageContextWithOptions(size, false, contentScale_);
    if (const CGContextRef context = UIGraphicsGetCurrentContext()) {
        const CGRect modelBounds = view.bounds();
        context->translateCTM(-modelBounds.minX(), -modelBounds.minY());
        view.drawRect(*context, modelBounds);
    }
    const UIImagePtr drawn =
        cache.drawsNothing ? nullptr : UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    cache.bitmap = drawn ? drawn->CGImage() : nullptr;
    cache.scale = contentScale_;
    cache.size = size;
    cache.valid = true;
    return cache.bitmap;
}

void ViewTreePainter::paintBitmap(const CGImage& bitmap, const QTransform& pixelsToBounds,
                                  const CGRect& place, const QTransform& boundsToDevice,
                                  const QPainterPath* cutShape) {
    const QImage pixels = qtbridge::wrapReadOnly(bitmap);
    if (cutShape == nullptr) {
        painter_.setWorldTransform(pixelsToBounds * boundsToDevice);
        painter_.drawImage(QPointF(0, 0), pixels);
        painter_.setWorldTransform(boundsToDevice);
        return;
    }
    QBrush brush(pixels);
    brush.setTransform(pixelsToBounds);
    // The brush repeats the picture: keep to where the picture is placed.
    const QRectF placeRect = qtbridge::qtRect(place);
    if (placeRect.contains(cutShape->boundingRect())) {
        painter_.fillPath(*cutShape, brush);
    } else {
        QPainterPath placePath;
        placePath.addRect(placeRect);
        painter_.fillPath(cutShape->intersected(placePath), brush);
    }
}

void ViewTreePainter::paintBorder(UIView& view, const CGRect& bounds) {
    const double width = view.layer().borderWidth();
    const UIColor& color = view.layer().borderColor();
    if (width <= 0 || color.alpha() <= 0) {
        return;
    }
    // The border lies inside the bounds: the ring between the shape and the shape
    // inset by the width, filled (cheaper than stroking an outline).
    const double radius = view.layer().cornerRadius();
    QPainterPath ring = roundedShape(bounds, radius);
    const CGRect inner = bounds.insetBy(width, width);
    if (inner.width() > 0 && inner.height() > 0) {
        // Wound the other way, so the inside stays empty under either fill rule (a
        // perspective transform maps paths without keeping theirs).
        ring.addPath(roundedShape(inner, std::max(radius - width, 0.0)).toReversed());
    }
    painter_.fillPath(ring, backgroundBrush(color, bounds));
}

QRectF ViewTreePainter::subtreeDeviceRect(UIView& view, const QTransform& boundsToDevice) const {
    QRectF area = boundsToDevice.mapRect(qtbridge::qtRect(view.presentationBounds()));
    if (view.clipsToBounds()) {
        return area;
    }
    for (const UIViewPtr& subview : view.allSubviews()) {
        if (!subview->isHidden()) {
            area |=
                subtreeDeviceRect(*subview, presentedBoundsToSuperview(*subview) * boundsToDevice);
        }
    }
    return area;
}
