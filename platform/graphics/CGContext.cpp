#include "platform/graphics/CGContext.h"

#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPathStroker>
#include <cmath>

#include "platform/graphics/CGContextImpl.h"
#include "platform/graphics/MaskCoverage.h"
#include "platform/graphics/QtBridge.h"

namespace {

bool isInvertible(const CGAffineTransform& t) {
    const double determinant = t.a * t.d - t.b * t.c;
    return determinant != 0 && std::isfinite(determinant);
}

// Qt's stroker leaves out a subpath that goes nowhere (a line from a point to itself);
// the platform paints its caps there: a disc of the line width for round caps, a square
// for square ones.
QPainterPath capsOfPointSubpaths(const CGPath& path, double width, CGLineCap cap) {
    QPainterPath caps;
    if (cap == CGLineCap::Butt) {
        return caps;
    }
    CGPoint start;
    bool drawn = false;
    bool stillAtStart = false;
    const auto endSubpath = [&] {
        if (drawn && stillAtStart) {
            const QRectF square(start.x - width / 2, start.y - width / 2, width, width);
            if (cap == CGLineCap::Round) {
                caps.addEllipse(square);
            } else {
                caps.addRect(square);
            }
        }
        drawn = false;
    };
    for (const CGPath::Element& element : path.elements()) {
        switch (element.type) {
            case CGPath::ElementType::MoveTo:
                endSubpath();
                start = element.points[0];
                stillAtStart = true;
                break;
            case CGPath::ElementType::Close:
                break;
            default: {
                const int count = element.type == CGPath::ElementType::LineTo        ? 1
                                  : element.type == CGPath::ElementType::QuadCurveTo ? 2
                                                                                     : 3;
                drawn = true;
                for (int i = 0; i < count; ++i) {
                    stillAtStart = stillAtStart && element.points[i] == start;
                }
            }
        }
    }
    endSubpath();
    return caps;
}

// Where drawImage puts the bitmap's pixels: its first row at rect's max-y edge.
QTransform imageToUser(const CGRect& rect, const CGImage& image) {
    return QTransform(rect.width() / image.width(), 0, 0, -rect.height() / image.height(),
                      rect.minX(), rect.maxY());
}

// Draws image at the origin of the painter's transform. Shrinking by more than half is
// done first with area averaging, which bilinear sampling alone would alias.
void drawScaledImage(QPainter& painter, const QImage& image, bool smooth) {
    const QTransform t = painter.transform();
    const double sx = std::min(1.0, std::hypot(t.m11(), t.m12()));
    const double sy = std::min(1.0, std::hypot(t.m21(), t.m22()));
    if (!smooth || (sx >= 0.5 && sy >= 0.5)) {
        painter.drawImage(QPointF(0, 0), image);
        return;
    }
    const int width = std::max(1, static_cast<int>(std::lround(image.width() * sx)));
    const int height = std::max(1, static_cast<int>(std::lround(image.height() * sy)));
    const QImage shrunk =
        image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.setTransform(QTransform::fromScale(static_cast<double>(image.width()) / width,
                                               static_cast<double>(image.height()) / height) *
                         t);
    painter.drawImage(QPointF(0, 0), shrunk);
}

// A polygon in user space covering the part of the painter's target between the
// perpendiculars through start and end, reaching past either when extended.
QPainterPath gradientBand(const QTransform& userToPainter, QRectF target, QPointF start,
                          QPointF end, unsigned options) {
    const QRectF bounds = userToPainter.inverted().mapRect(target);
    const QPointF centre = bounds.center();
    const QPointF along = end - start;
    const double length = std::hypot(along.x(), along.y());
    const QPointF unit = along / length;
    const QPointF normal(-unit.y(), unit.x());
    const double reach = std::hypot(bounds.width(), bounds.height()) +
                         std::hypot(start.x() - centre.x(), start.y() - centre.y()) +
                         std::hypot(end.x() - centre.x(), end.y() - centre.y()) + 1;
    const QPointF from =
        (options & kCGGradientDrawsBeforeStartLocation) ? start - unit * reach : start;
    const QPointF to = (options & kCGGradientDrawsAfterEndLocation) ? end + unit * reach : end;
    QPainterPath band;
    band.addPolygon(QPolygonF(
        {from + normal * reach, to + normal * reach, to - normal * reach, from - normal * reach}));
    band.closeSubpath();
    return band;
}

}  // namespace

CGContext::CGContext(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

CGContext::~CGContext() = default;

CGContextRef CGContext::createWithImpl(std::unique_ptr<Impl> impl) {
    return CGContextRef(new CGContext(std::move(impl)));
}

CGContextRef CGContext::createBitmap(int width, int height, CGPixelFormat format) {
    std::shared_ptr<CGImage> bitmap = Impl::newBitmap(width, height, format);
    if (!bitmap) {
        return nullptr;
    }
    return createWithImpl(std::make_unique<Impl>(std::move(bitmap), CGAffineTransform::identity()));
}

int CGContext::width() const {
    return impl_->bitmap->width();
}
int CGContext::height() const {
    return impl_->bitmap->height();
}
CGPixelFormat CGContext::format() const {
    return impl_->bitmap->format();
}
CGImageRef CGContext::makeImage() {
    return impl_->makeImage();
}

void CGContext::saveGState() {
    impl_->savedStates.push_back(impl_->state);
}

void CGContext::restoreGState() {
    if (impl_->savedStates.empty()) {
        return;
    }
    impl_->state = std::move(impl_->savedStates.back());
    impl_->savedStates.pop_back();
}

void CGContext::translateCTM(double tx, double ty) {
    impl_->state.ctm = impl_->state.ctm.translatedBy(tx, ty);
}
void CGContext::rotateCTM(double angle) {
    impl_->state.ctm = impl_->state.ctm.rotatedBy(angle);
}
void CGContext::scaleCTM(double sx, double sy) {
    impl_->state.ctm = impl_->state.ctm.scaledBy(sx, sy);
}
void CGContext::concatCTM(const CGAffineTransform& transform) {
    impl_->state.ctm = transform.concatenating(impl_->state.ctm);
}
CGAffineTransform CGContext::getCTM() const {
    return impl_->state.ctm;
}

void CGContext::setFillColor(const UIColor& color) {
    impl_->state.fillColor = color;
}
void CGContext::setStrokeColor(const UIColor& color) {
    impl_->state.strokeColor = color;
}
void CGContext::setLineWidth(double width) {
    impl_->state.lineWidth = std::max(0.0, width);
}
void CGContext::setLineCap(CGLineCap cap) {
    impl_->state.lineCap = cap;
}
void CGContext::setLineJoin(CGLineJoin join) {
    impl_->state.lineJoin = join;
}
void CGContext::setBlendMode(CGBlendMode mode) {
    impl_->state.blendMode = mode;
}
void CGContext::setAlpha(double alpha) {
    impl_->state.alpha = std::clamp(alpha, 0.0, 1.0);
}
void CGContext::setInterpolationQuality(CGInterpolationQuality quality) {
    impl_->state.interpolation = quality;
}
void CGContext::setTextDrawingMode(CGTextDrawingMode mode) {
    impl_->state.textDrawingMode = mode;
}
const UIColor& CGContext::fillColor() const {
    return impl_->state.fillColor;
}
const UIColor& CGContext::strokeColor() const {
    return impl_->state.strokeColor;
}
double CGContext::lineWidth() const {
    return impl_->state.lineWidth;
}
CGLineJoin CGContext::lineJoin() const {
    return impl_->state.lineJoin;
}
CGTextDrawingMode CGContext::textDrawingMode() const {
    return impl_->state.textDrawingMode;
}

void CGContext::beginPath() {
    impl_->path = CGPath();
}
void CGContext::moveToPoint(CGPoint point) {
    impl_->path.moveTo(impl_->state.ctm.apply(point));
}
void CGContext::addLineToPoint(CGPoint point) {
    impl_->path.addLineTo(impl_->state.ctm.apply(point));
}
void CGContext::addQuadCurveToPoint(CGPoint control, CGPoint end) {
    const CGAffineTransform& ctm = impl_->state.ctm;
    impl_->path.addQuadCurveTo(ctm.apply(control), ctm.apply(end));
}
void CGContext::addCurveToPoint(CGPoint control1, CGPoint control2, CGPoint end) {
    const CGAffineTransform& ctm = impl_->state.ctm;
    impl_->path.addCurveTo(ctm.apply(control1), ctm.apply(control2), ctm.apply(end));
}
void CGContext::addArc(CGPoint center, double radius, double startAngle, double endAngle,
                       bool clockwise) {
    impl_->path.addArc(center, radius, startAngle, endAngle, clockwise, impl_->state.ctm);
}
void CGContext::addRect(const CGRect& rect) {
    impl_->path.addPath(CGPath::withRect(rect), impl_->state.ctm);
}
void CGContext::addEllipseInRect(const CGRect& rect) {
    impl_->path.addPath(CGPath::withEllipseInRect(rect), impl_->state.ctm);
}
void CGContext::addPath(const CGPath& path) {
    impl_->path.addPath(path, impl_->state.ctm);
}
void CGContext::closePath() {
    impl_->path.closeSubpath();
}
bool CGContext::isPathEmpty() const {
    return impl_->path.isEmpty();
}

void CGContext::fillPath() {
    fillCurrentPath(false);
}
void CGContext::eoFillPath() {
    fillCurrentPath(true);
}

void CGContext::fillCurrentPath(bool evenOdd) {
    QPainterPath devicePath = impl_->flip().map(qtbridge::qtPath(impl_->path));
    devicePath.setFillRule(evenOdd ? Qt::OddEvenFill : Qt::WindingFill);
    impl_->path = CGPath();
    impl_->paint([&](QPainter& painter, const QTransform& deviceToPainter) {
        painter.setTransform(deviceToPainter);
        painter.fillPath(devicePath, impl_->brush(impl_->state.fillColor, deviceToPainter));
    });
}

void CGContext::strokePath() {
    const CGPath devicePath = std::move(impl_->path);
    impl_->path = CGPath();
    // The line width is in user space: stroke the path where it was built.
    if (isInvertible(impl_->state.ctm)) {
        strokeUserPath(devicePath.applying(impl_->state.ctm.inverted()));
    }
}

void CGContext::fillUserPath(const CGPath& path) {
    const QPainterPath userPath = qtbridge::qtPath(path);
    impl_->paint([&](QPainter& painter, const QTransform&) {
        painter.fillPath(userPath, impl_->brush(impl_->state.fillColor, painter.transform()));
    });
}

void CGContext::strokeUserPath(const CGPath& path) {
    const QPainterPath userPath = qtbridge::qtPath(path);
    const QPainterPath dots =
        capsOfPointSubpaths(path, impl_->state.lineWidth, impl_->state.lineCap);
    impl_->paint([&](QPainter& painter, const QTransform&) {
        const QPen pen = impl_->pen(impl_->state.strokeColor, painter.transform());
        if (dots.isEmpty()) {
            painter.strokePath(userPath, pen);
            return;
        }
        // One fill of outline and caps, so that they overlap without painting twice.
        QPainterPathStroker stroker(pen);
        QPainterPath outline = stroker.createStroke(userPath);
        outline.addPath(dots);
        outline.setFillRule(Qt::WindingFill);
        painter.fillPath(outline, pen.brush());
    });
}

void CGContext::fillRect(const CGRect& rect) {
    fillUserPath(CGPath::withRect(rect));
}
void CGContext::strokeRect(const CGRect& rect) {
    strokeUserPath(CGPath::withRect(rect));
}
void CGContext::fillEllipseInRect(const CGRect& rect) {
    fillUserPath(CGPath::withEllipseInRect(rect));
}
void CGContext::strokeEllipseInRect(const CGRect& rect) {
    strokeUserPath(CGPath::withEllipseInRect(rect));
}

void CGContext::strokeLineSegment(CGPoint from, CGPoint to) {
    CGPath line;
    line.moveTo(from);
    line.addLineTo(to);
    strokeUserPath(line);
}

void CGContext::clearRect(const CGRect& rect) {
    saveGState();
    setBlendMode(CGBlendMode::Clear);
    setAlpha(1);
    fillRect(rect);
    restoreGState();
}

void CGContext::clip() {
    const QPainterPath devicePath = impl_->flip().map(qtbridge::qtPath(impl_->path));
    impl_->path = CGPath();
    impl_->intersectClip(devicePath);
}

void CGContext::clipToRect(const CGRect& rect) {
    const CGPath devicePath = CGPath::withRect(rect).applying(impl_->state.ctm);
    impl_->intersectClip(impl_->flip().map(qtbridge::qtPath(devicePath)));
}

void CGContext::clipToMask(const CGRect& rect, const CGImageRef& mask) {
    GraphicsState& state = impl_->state;
    const CGRect r = rect.standardized();
    QImage coverage(width(), height(), QImage::Format_Grayscale8);
    if (!mask || r.isEmpty() || coverage.isNull()) {
        // Nothing can show through a missing mask.
        state.clipPath = QPainterPath();
        return;
    }
    coverage.fill(0);
    {
        const bool smooth = state.interpolation != CGInterpolationQuality::None;
        QPainter painter(&coverage);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
        painter.setTransform(imageToUser(r, *mask) * impl_->userToDevice());
        drawScaledImage(painter, maskCoverage(*mask), smooth);
    }
    QRect bounds = impl_->userToDevice().mapRect(qtbridge::qtRect(r)).toAlignedRect();
    if (state.clipMask) {
        for (int y = 0; y < coverage.height(); ++y) {
            std::uint8_t* line = coverage.scanLine(y);
            const std::uint8_t* previous = state.clipMask->constScanLine(y);
            for (int x = 0; x < coverage.width(); ++x) {
                line[x] = static_cast<std::uint8_t>((line[x] * previous[x] + 127) / 255);
            }
        }
        bounds &= state.clipMaskBounds;
    }
    state.clipMask = std::make_shared<const QImage>(std::move(coverage));
    state.clipMaskBounds = bounds;
}

void CGContext::drawLinearGradient(const CGGradientRef& gradient, CGPoint start, CGPoint end,
                                   unsigned options) {
    if (!gradient || start == end) {
        return;
    }
    QLinearGradient linear(qtbridge::qtPoint(start), qtbridge::qtPoint(end));
    // Component by component, unpremultiplied, as the platform blends stops.
    linear.setInterpolationMode(QGradient::ComponentInterpolation);
    QGradientStops stops;
    for (const CGGradient::Stop& stop : gradient->stops()) {
        stops.append(
            {stop.location,
             QColor::fromRgbF(static_cast<float>(stop.red), static_cast<float>(stop.green),
                              static_cast<float>(stop.blue), static_cast<float>(stop.alpha))});
    }
    linear.setStops(stops);
    const QRectF target(0, 0, width(), height());
    impl_->paint([&](QPainter& painter, const QTransform& deviceToPainter) {
        const QTransform userToPainter = painter.transform();
        if (!userToPainter.isInvertible()) {
            return;
        }
        const QPainterPath band = gradientBand(userToPainter, deviceToPainter.mapRect(target),
                                               linear.start(), linear.finalStop(), options);
        const bool clears = impl_->state.blendMode == CGBlendMode::Clear;
        painter.fillPath(band, clears ? impl_->brush(UIColor(), userToPainter) : QBrush(linear));
    });
}

void CGContext::drawImage(const CGRect& rect, const CGImageRef& image) {
    const CGRect r = rect.standardized();
    if (!image || r.isEmpty()) {
        return;
    }
    const QImage source = qtbridge::wrapReadOnly(*image);
    const bool smooth = impl_->state.interpolation != CGInterpolationQuality::None;
    impl_->paint([&](QPainter& painter, const QTransform&) {
        painter.setTransform(imageToUser(r, *image) * painter.transform());
        drawScaledImage(painter, source, smooth);
    });
}
