#include "app/translucent/BackdropSampler.h"

#include <vector>

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/ui/view/ContentModeLayout.h"
#include "platform/ui/view/UIView.h"
#include "platform/ui/view/UIViewRenderer.h"

namespace {

// The views from the root of the tree down to view's superview.
std::vector<UIView*> ancestorsFromRoot(UIView& view) {
    std::vector<UIView*> chain;
    for (UIViewPtr parent = view.superview(); parent; parent = parent->superview()) {
        chain.insert(chain.begin(), parent.get());
    }
    return chain;
}

// Maps other's bounds coordinates to target's, as an affine map through three points.
CGAffineTransform boundsMapping(const UIView& other, const UIView& target) {
    const CGPoint origin = target.convertPointFromView({0, 0}, &other);
    const CGPoint xAxis = target.convertPointFromView({1, 0}, &other);
    const CGPoint yAxis = target.convertPointFromView({0, 1}, &other);
    return {xAxis.x - origin.x, xAxis.y - origin.y, yAxis.x - origin.x,
            yAxis.y - origin.y, origin.x,           origin.y};
}

// The ancestor's background and picture, without its subviews.
void drawOwnLook(UIView& ancestor, CGContext& context) {
    const CGRect bounds = ancestor.bounds();
    const UIColor background = ancestor.presentationBackgroundColor();
    if (background.kind() == UIColor::Kind::Pattern || background.alpha() > 0) {
        context.setFillColor(background);
        context.fillRect(bounds);
    }
    if (const UIImagePtr& picture = ancestor.layer().contents()) {
        const CGRect place =
            ContentModeLayout::placement(ancestor.contentMode(), picture->size(), bounds);
        picture->drawInContext(context, place);
    }
}

void drawInCoordinatesOf(UIView& source, const UIView& target, CGContext& context,
                         void (*draw)(UIView&, CGContext&)) {
    context.saveGState();
    context.concatCTM(boundsMapping(source, target));
    draw(source, context);
    context.restoreGState();
}

void renderSubtree(UIView& view, CGContext& context) {
    UIViewRenderer::render(view, context);
}

void drawBehind(UIView& view, CGContext& context) {
    const std::vector<UIView*> ancestors = ancestorsFromRoot(view);
    for (std::size_t level = 0; level < ancestors.size(); ++level) {
        UIView& ancestor = *ancestors[level];
        const UIView* onTheWay = level + 1 < ancestors.size() ? ancestors[level + 1] : &view;
        if (ancestor.clipsToBounds()) {
            context.clipToRect(view.convertRectFromView(ancestor.bounds(), &ancestor));
        }
        drawInCoordinatesOf(ancestor, view, context, drawOwnLook);
        for (const UIViewPtr& sibling : ancestor.allSubviews()) {
            if (sibling.get() == onTheWay) {
                break;
            }
            if (!sibling->isHidden()) {
                drawInCoordinatesOf(*sibling, view, context, renderSubtree);
            }
        }
    }
}

}  // namespace

UIImagePtr BackdropSampler::renderBehind(UIView& view, double scale) {
    const CGRect bounds = view.bounds();
    UIGraphicsBeginImageContextWithOptions(bounds.size, false, scale);
    UIImagePtr picture;
    if (const CGContextRef context = UIGraphicsGetCurrentContext()) {
        context->translateCTM(-bounds.minX(), -bounds.minY());
        drawBehind(view, *context);
        picture = UIGraphicsGetImageFromCurrentImageContext();
    }
    UIGraphicsEndImageContext();
    return picture;
}
