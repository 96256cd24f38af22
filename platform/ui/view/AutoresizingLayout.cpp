#include "platform/ui/view/AutoresizingLayout.h"

#include <array>

#include "platform/ui/view/UIView.h"

namespace {

struct Axis {
    double origin;
    double size;
};

Axis resizeAxis(Axis axis, double oldLength, double newLength, std::array<bool, 3> flexible) {
    const std::array<double, 3> parts{axis.origin, axis.size, oldLength - axis.origin - axis.size};
    double flexibleTotal = 0;
    int flexibleCount = 0;
    for (int i = 0; i < 3; ++i) {
        if (flexible[i]) {
            flexibleTotal += parts[i];
            ++flexibleCount;
        }
    }
    if (flexibleCount == 0) {
        return axis;
    }
    const double change = newLength - oldLength;
    auto share = [&](int i) {
        if (!flexible[i]) {
            return 0.0;
        }
        return flexibleTotal != 0 ? change * parts[i] / flexibleTotal : change / flexibleCount;
    };
    return {axis.origin + share(0), axis.size + share(1)};
}

}  // namespace

CGRect AutoresizingLayout::resizedFrame(const CGRect& frame, unsigned mask, CGSize oldSize,
                                        CGSize newSize) {
    const Axis x = resizeAxis({frame.origin.x, frame.size.width}, oldSize.width, newSize.width,
                              {(mask & UIViewAutoresizingFlexibleLeftMargin) != 0,
                               (mask & UIViewAutoresizingFlexibleWidth) != 0,
                               (mask & UIViewAutoresizingFlexibleRightMargin) != 0});
    const Axis y = resizeAxis({frame.origin.y, frame.size.height}, oldSize.height, newSize.height,
                              {(mask & UIViewAutoresizingFlexibleTopMargin) != 0,
                               (mask & UIViewAutoresizingFlexibleHeight) != 0,
                               (mask & UIViewAutoresizingFlexibleBottomMargin) != 0});
    return {x.origin, y.origin, x.size, y.size};
}
