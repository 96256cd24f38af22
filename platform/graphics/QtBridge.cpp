#include "platform/graphics/QtBridge.h"

#include <cmath>

namespace qtbridge {
namespace {
// 72 dots per inch, in the dots per metre QImage keeps (rounds back to exactly 72).
constexpr int kPointDotsPerMetre = 2835;
}  // namespace

QImage::Format qtFormat(CGPixelFormat format) {
    switch (format) {
        case CGPixelFormat::ARGB32Premultiplied:
            return QImage::Format_ARGB32_Premultiplied;
        case CGPixelFormat::RGB32:
            return QImage::Format_RGB32;
        case CGPixelFormat::Grey8:
            return QImage::Format_Grayscale8;
    }
    return QImage::Format_Invalid;
}

void setPointResolution(QImage& image) {
    image.setDotsPerMeterX(kPointDotsPerMetre);
    image.setDotsPerMeterY(kPointDotsPerMetre);
}

int dotsPerMeterForScale(double scale) {
    return static_cast<int>(std::lround(kPointDotsPerMetre * scale));
}

double scaleForDotsPerMeter(int dotsPerMeter) {
    const double scale = static_cast<double>(dotsPerMeter) / kPointDotsPerMetre;
    const double whole = std::round(scale);
    return (whole == 2 || whole == 3) && std::abs(scale - whole) < 0.01 ? whole : 1.0;
}

QImage wrap(CGImage& bitmap) {
    QImage image(bitmap.mutableData(), bitmap.width(), bitmap.height(),
                 static_cast<qsizetype>(bitmap.bytesPerRow()), qtFormat(bitmap.format()));
    setPointResolution(image);
    return image;
}

QImage wrapReadOnly(const CGImage& bitmap) {
    QImage image(bitmap.data(), bitmap.width(), bitmap.height(),
                 static_cast<qsizetype>(bitmap.bytesPerRow()), qtFormat(bitmap.format()));
    setPointResolution(image);
    return image;
}

QColor qtColor(const UIColor& color) {
    return QColor::fromRgbF(static_cast<float>(color.red()), static_cast<float>(color.green()),
                            static_cast<float>(color.blue()), static_cast<float>(color.alpha()));
}

QTransform qtTransform(const CGAffineTransform& t) {
    return QTransform(t.a, t.b, t.c, t.d, t.tx, t.ty);
}

CGAffineTransform cgTransform(const QTransform& t) {
    return CGAffineTransform{t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
}

QPointF qtPoint(CGPoint point) {
    return QPointF(point.x, point.y);
}

QRectF qtRect(const CGRect& rect) {
    return QRectF(rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
}

QPainterPath qtPath(const CGPath& path) {
    QPainterPath result;
    for (const CGPath::Element& element : path.elements()) {
        const auto& p = element.points;
        switch (element.type) {
            case CGPath::ElementType::MoveTo:
                result.moveTo(qtPoint(p[0]));
                break;
            case CGPath::ElementType::LineTo:
                result.lineTo(qtPoint(p[0]));
                break;
            case CGPath::ElementType::QuadCurveTo:
                result.quadTo(qtPoint(p[0]), qtPoint(p[1]));
                break;
            case CGPath::ElementType::CurveTo:
                result.cubicTo(qtPoint(p[0]), qtPoint(p[1]), qtPoint(p[2]));
                break;
            case CGPath::ElementType::Close:
                result.closeSubpath();
                break;
        }
    }
    return result;
}

}  // namespace qtbridge
