#include "platform/graphics/SVGImage.h"

#include <QtCore/QByteArray>
#include <QtCore/QFile>
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>
#include <algorithm>
#include <cmath>

#include "platform/graphics/QtBridge.h"

namespace {

UIImagePtr renderDocument(const QByteArray& document, CGSize pointSize, double scale) {
    if (!(scale > 0) || !(pointSize.width > 0) || !(pointSize.height > 0)) {
        return nullptr;
    }
    const double width = std::ceil(pointSize.width * scale);
    const double height = std::ceil(pointSize.height * scale);
    // Clamped before the conversion so a huge size is refused instead of overflowing.
    if (!CGImage::isAcceptableSize(static_cast<std::int64_t>(std::min(width, 1e9)),
                                   static_cast<std::int64_t>(std::min(height, 1e9)))) {
        return nullptr;
    }
    QSvgRenderer renderer(document);
    if (!renderer.isValid()) {
        return nullptr;
    }
    std::shared_ptr<CGImage> bitmap = CGImage::create(
        static_cast<int>(width), static_cast<int>(height), CGPixelFormat::ARGB32Premultiplied);
    if (!bitmap) {
        return nullptr;
    }
    {
        QImage target = qtbridge::wrap(*bitmap);
        QPainter painter(&target);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, width, height));
    }
    return UIImage::imageWithCGImage(std::move(bitmap), scale);
}

}  // namespace

UIImagePtr SVGImage::render(const std::vector<std::uint8_t>& document, CGSize pointSize,
                            double scale) {
    const QByteArray bytes(reinterpret_cast<const char*>(document.data()),
                           static_cast<qsizetype>(document.size()));
    return renderDocument(bytes, pointSize, scale);
}

UIImagePtr SVGImage::renderFile(const std::string& path, CGSize pointSize, double scale) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return nullptr;
    }
    return renderDocument(file.readAll(), pointSize, scale);
}
