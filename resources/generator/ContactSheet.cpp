#include "resources/generator/ContactSheet.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/graphics/NSStringDrawing.h"
#include "platform/graphics/UIGraphics.h"

namespace {

constexpr int kColumns = 10;
constexpr double kCell = 120;
constexpr double kPicture = 80;
constexpr double kLabelHeight = 30;

// Mostly light opaque pixels: line art meant for a dark background.
bool isLightArt(const CGImage& bitmap) {
    long light = 0;
    long opaque = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            std::uint32_t p;
            std::memcpy(&p, bitmap.row(y) + 4 * x, 4);
            const std::uint32_t alpha = p >> 24;
            if (alpha > 128) {
                // Premultiplied: a light pixel's channels are close to its alpha.
                const std::uint32_t darkest =
                    std::min({p & 0xFF, (p >> 8) & 0xFF, (p >> 16) & 0xFF});
                ++opaque;
                light += darkest * 255 > 200 * alpha;
            }
        }
    }
    return opaque > 0 && light * 10 > opaque * 9 && bitmap.hasAlpha();
}

CGRect fitted(CGSize picture, const CGRect& box) {
    const double factor = std::min(box.width() / picture.width, box.height() / picture.height);
    const double w = picture.width * factor;
    const double h = picture.height * factor;
    return CGRect(box.midX() - w / 2, box.midY() - h / 2, w, h);
}

void drawCell(CGContext& context, const ResourceWriter::Written& entry, CGPoint origin) {
    const CGRect frame(origin.x + 4, origin.y + 4, kCell - 8, kCell + kLabelHeight - 8);
    const bool dark = isLightArt(*entry.image->CGImage());
    context.setFillColor(dark ? UIColor::colorWithWhite(17.0 / 255) : UIColor::whiteColor());
    context.fillRect(frame);
    context.setStrokeColor(UIColor::colorWithWhite(0.85));
    context.setLineWidth(1);
    context.strokeRect(frame);
    const CGRect box(origin.x + (kCell - kPicture) / 2, origin.y + (kCell - kPicture) / 2, kPicture,
                     kPicture);
    entry.image->drawInContext(context, fitted(entry.image->size(), box));

    NSStringAttributes label;
    label.font = UIFont::systemFontOfSize(7);
    label.color = dark ? UIColor::lightGrayColor() : UIColor::darkGrayColor();
    label.alignment = NSTextAlignment::Center;
    NSStringDrawing::drawInRect(
        context, entry.path,
        CGRect(frame.minX() + 2, origin.y + kCell - 12, frame.width() - 4, kLabelHeight + 4),
        label);
}

}  // namespace

UIImagePtr ContactSheet::render(const std::vector<ResourceWriter::Written>& pictures) {
    const int rows = std::max(1, int(std::ceil(pictures.size() / double(kColumns))));
    const CGSize size{kColumns * kCell, rows * (kCell + kLabelHeight)};
    UIGraphicsBeginImageContextWithOptions(size, true, 1);
    UIImagePtr sheet;
    if (const CGContextRef context = UIGraphicsGetCurrentContext()) {
        context->setFillColor(UIColor::colorWithWhite(0.94));
        context->fillRect(CGRect(CGPoint{}, size));
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            const CGPoint origin{(i % kColumns) * kCell, (i / kColumns) * (kCell + kLabelHeight)};
            drawCell(*context, pictures[i], origin);
        }
        sheet = UIGraphicsGetImageFromCurrentImageContext();
    }
    UIGraphicsEndImageContext();
    return sheet;
}
