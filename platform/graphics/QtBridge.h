#pragma once

// Conversions between our graphics types and Qt's, for platform sources only.

#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtGui/QPainterPath>
#include <QtGui/QTransform>

#include "platform/geometry/CGAffineTransform.h"
#include "platform/geometry/CGRect.h"
#include "platform/graphics/CGImage.h"
#include "platform/graphics/CGPath.h"
#include "platform/graphics/UIColor.h"

namespace qtbridge {

QImage::Format qtFormat(CGPixelFormat format);

// A QImage over the bitmap's own pixels, without a copy. The bitmap must outlive it.
// Its resolution is 72 dots per inch, so a font's point size is that many pixels.
QImage wrap(CGImage& bitmap);
// Read-only: painting from it never writes to the bitmap.
QImage wrapReadOnly(const CGImage& bitmap);
void setPointResolution(QImage& image);

QColor qtColor(const UIColor& color);
QTransform qtTransform(const CGAffineTransform& transform);
CGAffineTransform cgTransform(const QTransform& transform);
QPointF qtPoint(CGPoint point);
QRectF qtRect(const CGRect& rect);
QPainterPath qtPath(const CGPath& path);

}  // namespace qtbridge
