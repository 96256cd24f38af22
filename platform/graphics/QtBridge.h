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
// A picture of scale s is written with s times the point resolution, as artwork for
// high-density screens records it; reading maps 2 and 3 times back to those scales and
// every other density to 1, so a photo's print resolution never shrinks it on screen.
int dotsPerMeterForScale(double scale);
double scaleForDotsPerMeter(int dotsPerMeter);

QColor qtColor(const UIColor& color);
QTransform qtTransform(const CGAffineTransform& transform);
CGAffineTransform cgTransform(const QTransform& transform);
QPointF qtPoint(CGPoint point);
QRectF qtRect(const CGRect& rect);
QPainterPath qtPath(const CGPath& path);

}  // namespace qtbridge
