#include "platform/graphics/ImageEncoder.h"

#include <QtCore/QBuffer>
#include <QtGui/QColorSpace>
#include <QtGui/QImageWriter>
#include <algorithm>
#include <cmath>

#include "platform/codecs/PictureMetadata.h"
#include "platform/graphics/QtBridge.h"

namespace {

// The bitmap as it stands upright, in pixels: the picture's own when it is upright.
CGImageRef uprightBitmap(const UIImage& image) {
    const CGImageRef& bitmap = image.CGImage();
    if (image.imageOrientation() == UIImageOrientation::Up) {
        return bitmap;
    }
    const bool turned = isQuarterTurned(image.imageOrientation());
    const int width = turned ? bitmap->height() : bitmap->width();
    const int height = turned ? bitmap->width() : bitmap->height();
    const CGPixelFormat format =
        bitmap->format() == CGPixelFormat::Grey8 ? CGPixelFormat::RGB32 : bitmap->format();
    CGContextRef context = CGContext::createBitmap(width, height, format);
    if (!context) {
        return nullptr;
    }
    // Whole pixels move to whole pixels: no resampling.
    context->setInterpolationQuality(CGInterpolationQuality::None);
    context->setBlendMode(CGBlendMode::Copy);
    context->translateCTM(0, height);
    context->scaleCTM(1, -1);
    image.drawInContext(*context, CGRect(0, 0, width, height));
    return context->makeImage();
}

std::vector<std::uint8_t> encode(const UIImage& image, const char* format, int quality) {
    const CGImageRef bitmap = uprightBitmap(image);
    if (!bitmap) {
        return {};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    QImage pixels = qtbridge::wrapReadOnly(*bitmap);
    // Every bitmap of ours is sRGB (the decoder converts), and the file says so.
    pixels.setColorSpace(QColorSpace::SRgb);
    pixels.setDotsPerMeterX(qtbridge::dotsPerMeterForScale(image.scale()));
    pixels.setDotsPerMeterY(qtbridge::dotsPerMeterForScale(image.scale()));
    if (!writer.write(pixels)) {
        return {};
    }
    const std::span<const std::uint8_t> encoded(
        reinterpret_cast<const std::uint8_t*>(bytes.constData()),
        static_cast<std::size_t>(bytes.size()));
    if (const PictureMetadataPtr& metadata = image.metadata()) {
        return metadata->writtenInto(encoded, bitmap->width(), bitmap->height());
    }
    return std::vector<std::uint8_t>(encoded.begin(), encoded.end());
}

}  // namespace

std::vector<std::uint8_t> ImageEncoder::encodePNG(const UIImage& image) {
    return encode(image, "png", kPngWriterQuality);
}

std::vector<std::uint8_t> ImageEncoder::encodeJPEG(const UIImage& image, double quality) {
    const double clamped = std::isnan(quality) ? 1.0 : std::clamp(quality, 0.0, 1.0);
    return encode(image, "jpeg", static_cast<int>(std::lround(clamped * 100)));
}
