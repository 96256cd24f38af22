#include "tools/overlay/box/CLOverlayRender.h"

#include "platform/graphics/UIGraphics.h"

UIImagePtr CLOverlayRender::buildImage(const UIImagePtr& picture, double workingWidth,
                                       const std::function<void(CGContext&)>& drawBoxes) {
    if (!picture || workingWidth <= 0) {
        return picture;
    }
    UIGraphicsBeginImageContextWithOptions(picture->size(), false, picture->scale());
    UIImagePtr image;
    if (const CGContextRef context = UIGraphicsGetCurrentContext()) {
        picture->drawAtPoint({0, 0});
        const double s = picture->size().width / workingWidth;
        context->scaleCTM(s, s);
        drawBoxes(*context);
        image = UIGraphicsGetImageFromCurrentImageContext();
    }
    UIGraphicsEndImageContext();
    return image;
}
