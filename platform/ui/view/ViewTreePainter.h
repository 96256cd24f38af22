#pragma once

// Paints view trees with a QPainter, for the platform's own sources (the renderer and
// the window).

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QTransform>

#include "platform/geometry/CGRect.h"
#include "platform/graphics/CGImage.h"

class UIView;

// Draws views as presented (the animation clock's values): background, contents,
// own drawing, subviews, then the border over them, with corner radius, clipping,
// alpha and 3-D transforms (their projection onto the plane, perspective included).
// A view with alpha below 1 and subviews is painted into a layer of its own first,
// so the subviews fade together instead of showing through one another.
class ViewTreePainter {
public:
    // contentScale: pixels per point for the views' own drawing (their cached bitmaps).
    ViewTreePainter(QPainter& painter, double contentScale);

    // The view in its own bounds coordinates, mapped to the painter's device by
    // boundsToDevice: its position and transform are not applied, its alpha is.
    void paintRoot(UIView& view, const QTransform& boundsToDevice);

private:
    void paintSubview(UIView& view, const QTransform& parentToDevice);
    void paintView(UIView& view, const QTransform& boundsToDevice, double alpha);
    void paintInLayer(UIView& view, const QTransform& boundsToDevice, double alpha);
    void paintLayerContents(UIView& view, const QTransform& boundsToDevice);
    void paintBackground(UIView& view, const QPainterPath& shape);
    void paintContentsImage(UIView& view, const CGRect& bounds, const QTransform& boundsToDevice,
                            const QPainterPath* cutShape);
    void paintOwnDrawing(UIView& view, const CGRect& bounds, const QTransform& boundsToDevice,
                         const QPainterPath* cutShape);
    // The view's drawRect output, drawn again when it is out of date.
    const CGImageRef& ownDrawing(UIView& view) const;
    // Draws a bitmap placed by pixelsToBounds in place; cut to cutShape when given.
    void paintBitmap(const CGImage& bitmap, const QTransform& pixelsToBounds, const CGRect& place,
                     const QTransform& boundsToDevice, const QPainterPath* cutShape);
    void paintBorder(UIView& view, const CGRect& bounds);
    // The device rectangle the view and its subviews can cover.
    QRectF subtreeDeviceRect(UIView& view, const QTransform& boundsToDevice) const;

    QPainter& painter_;
    double contentScale_;
};
