#include "platform/graphics/CGContextImpl.h"

#include <QtGui/QPen>

#include "platform/graphics/QtBridge.h"
#include "platform/graphics/UIImage.h"

namespace {
// CGContext's miter limit of 10 is the ratio of the whole miter to the line width;
// Qt measures a miter from the join point, so the same limit is half as many widths.
constexpr double kMiterLimit = 5.0;

Qt::PenCapStyle qtCap(CGLineCap cap) {
    switch (cap) {
        case CGLineCap::Round:
            return Qt::RoundCap;
        case CGLineCap::Square:
            return Qt::SquareCap;
        case CGLineCap::Butt:
            break;
    }
    return Qt::FlatCap;
}

Qt::PenJoinStyle qtJoin(CGLineJoin join) {
    switch (join) {
        case CGLineJoin::Round:
            return Qt::RoundJoin;
        case CGLineJoin::Bevel:
            return Qt::BevelJoin;
        case CGLineJoin::Miter:
            break;
    }
    // Bevels past the miter limit, as the platform does.
    return Qt::SvgMiterJoin;
}

// dst += (src − dst) · coverage, byte by byte, over one row.
void blendRow(std::uint8_t* dst, const std::uint8_t* src, const std::uint8_t* coverage, int pixels,
              int bytesPerPixel) {
    for (int x = 0; x < pixels; ++x) {
        const int m = coverage[x];
        if (m == 0) {
            continue;
        }
        for (int i = 0; i < bytesPerPixel; ++i) {
            const int d = dst[bytesPerPixel * x + i];
            const int s = src[bytesPerPixel * x + i];
            dst[bytesPerPixel * x + i] = static_cast<std::uint8_t>(d + ((s - d) * m + 127) / 255);
        }
    }
}
}  // namespace

CGContext::Impl::Impl(std::shared_ptr<CGImage> bitmapToDrawInto, const CGAffineTransform& base)
    : bitmap(std::move(bitmapToDrawInto)), baseCTM(base), target_(qtbridge::wrap(*bitmap)) {
    state.ctm = base;
}

CGContext::Impl::~Impl() {
    painter_.reset();
}

QTransform CGContext::Impl::flip() const {
    return QTransform(1, 0, 0, -1, 0, bitmap->height());
}

QTransform CGContext::Impl::userToDevice() const {
    return qtbridge::qtTransform(state.ctm) * flip();
}

bool CGContext::Impl::paintsOpaqueBitmap() const {
    return bitmap->format() != CGPixelFormat::ARGB32Premultiplied;
}

CGImageRef CGContext::Impl::makeImage() {
    painter_.reset();
    bitmapShared_ = true;
    return bitmap;
}

void CGContext::Impl::intersectClip(const QPainterPath& devicePath) {
    state.clipPath = state.clipPath ? state.clipPath->intersected(devicePath) : devicePath;
}

bool CGContext::Impl::detachSharedBitmap() {
    if (!bitmapShared_) {
        return true;
    }
    if (bitmap.use_count() > 1) {
        std::shared_ptr<CGImage> copy = bitmap->copy();
        if (!copy) {
            return false;
        }
        painter_.reset();
        bitmap = std::move(copy);
        target_ = qtbridge::wrap(*bitmap);
    }
    bitmapShared_ = false;
    return true;
}

QPainter& CGContext::Impl::activePainter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&target_);
    }
    return *painter_;
}

void CGContext::Impl::configure(QPainter& painter, QPoint origin) {
    const QTransform shift = QTransform::fromTranslate(-origin.x(), -origin.y());
    deviceToPainter_ = shift;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform,
                          state.interpolation != CGInterpolationQuality::None);
    painter.resetTransform();
    if (state.clipPath) {
        painter.setClipPath(shift.map(*state.clipPath));
    } else {
        painter.setClipping(false);
    }
    switch (state.blendMode) {
        case CGBlendMode::Normal:
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
        case CGBlendMode::Clear:
            // An opaque bitmap has no transparency to clear to: it turns black (brush()).
            painter.setCompositionMode(paintsOpaqueBitmap() ? QPainter::CompositionMode_Source
                                                            : QPainter::CompositionMode_Clear);
            break;
        case CGBlendMode::Copy:
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            break;
    }
    painter.setOpacity(state.alpha);
    painter.setTransform(userToDevice() * shift);
}

void CGContext::Impl::paint(const std::function<void(QPainter&, const QTransform&)>& operation) {
    if (!(state.alpha > 0) || !detachSharedBitmap()) {
        return;
    }
    if (state.clipMask) {
        paintThroughMask(operation);
        return;
    }
    QPainter& painter = activePainter();
    configure(painter, QPoint(0, 0));
    operation(painter, QTransform());
}

// Draws into a copy of the clip's region, then blends the copy back in by the mask's
// coverage, so every blend mode is masked alike.
void CGContext::Impl::paintThroughMask(
    const std::function<void(QPainter&, const QTransform&)>& operation) {
    QRect region = state.clipMaskBounds & target_.rect();
    if (state.clipPath) {
        region &= state.clipPath->boundingRect().toAlignedRect();
    }
    if (region.isEmpty()) {
        return;
    }
    painter_.reset();
    QImage layer = target_.copy(region);
    qtbridge::setPointResolution(layer);
    {
        QPainter layerPainter(&layer);
        configure(layerPainter, region.topLeft());
        operation(layerPainter, QTransform::fromTranslate(-region.left(), -region.top()));
    }
    const int bytesPerPixel = bitmap->bytesPerPixel();
    for (int y = region.top(); y <= region.bottom(); ++y) {
        blendRow(bitmap->mutableRow(y) + bytesPerPixel * region.left(),
                 layer.constScanLine(y - region.top()),
                 state.clipMask->constScanLine(y) + region.left(), region.width(), bytesPerPixel);
    }
}

QBrush CGContext::Impl::brush(const UIColor& color, const QTransform& worldTransform) const {
    if (state.blendMode == CGBlendMode::Clear && paintsOpaqueBitmap()) {
        return QBrush(Qt::black);
    }
    if (color.kind() != UIColor::Kind::Pattern) {
        return QBrush(qtbridge::qtColor(color));
    }
    const UIImage& tile = *color.patternImage();
    QBrush pattern(qtbridge::wrapReadOnly(*tile.CGImage()));
    // Tile pixels → upright points → the context's base space → device → the painter's
    // device, expressed in the painter's user space.
    const QTransform tileToPainterDevice =
        qtbridge::qtTransform(tile.uprightTransform(CGRect(CGPoint{}, tile.size()))) *
        qtbridge::qtTransform(baseCTM) * flip() * deviceToPainter_;
    pattern.setTransform(tileToPainterDevice * worldTransform.inverted());
    return pattern;
}

QPen CGContext::Impl::pen(const UIColor& color, const QTransform& worldTransform) const {
    QPen pen(brush(color, worldTransform), state.lineWidth, Qt::SolidLine, qtCap(state.lineCap),
             qtJoin(state.lineJoin));
    pen.setMiterLimit(kMiterLimit);
    return pen;
}

std::shared_ptr<CGImage> CGContext::Impl::newBitmap(int width, int height, CGPixelFormat format) {
    if (format != CGPixelFormat::RGB32) {
        return CGImage::create(width, height, format);
    }
    std::shared_ptr<CGImage> bitmap =
        CGImage::create(width, height, format, CGImage::Contents::Uninitialized);
    if (bitmap) {
        QImage image = qtbridge::wrap(*bitmap);
        image.fill(Qt::black);
    }
    return bitmap;
}
