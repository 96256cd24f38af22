#include "platform/ui/view/UIViewRenderer.h"

#include <cmath>

#include "platform/graphics/CGContextImpl.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIScreen.h"
#include "platform/ui/view/UIView.h"
#include "platform/ui/view/ViewTreePainter.h"

UIImagePtr UIViewRenderer::renderToImage(UIView& view, double scale) {
    const CGRect bounds = view.bounds();
    UIGraphicsBeginImageContextWithOptions(bounds.size, false,
                                           scale > 0 ? scale : UIScreen::scale());
    UIImagePtr image;
    if (const CGContextRef context = UIGraphicsGetCurrentContext()) {
        context->translateCTM(-bounds.minX(), -bounds.minY());
        render(view, *context);
        image = UIGraphicsGetImageFromCurrentImageContext();
    }
    UIGraphicsEndImageContext();
    return image;
}

void UIViewRenderer::render(UIView& view, CGContext& context) {
    view.layoutIfNeeded();
    const CGAffineTransform ctm = context.getCTM();
    const double pixelsPerPoint = std::sqrt(std::abs(ctm.a * ctm.d - ctm.b * ctm.c));
    context.impl().paint([&](QPainter& painter, const QTransform&) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        ViewTreePainter(painter, pixelsPerPoint).paintRoot(view, painter.worldTransform());
    });
}
