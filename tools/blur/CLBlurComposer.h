#pragma once

#include "platform/geometry/CGRect.h"
#include "platform/graphics/UIImage.h"

// How the blur tool lays the sharp picture back over the blurred one: everything its
// renders need, copied from the indicators on the main thread, and the composition,
// which reads nothing else and so runs on any thread.
struct CLBlurComposer {
    enum Mode { kNormal = 0, kCircle = 1, kBand = 2 };

    int mode = kNormal;
    // The circle's frame in the picture's on-screen coordinates.
    CGRect circleFrame;
    double bandRotation = 0;
    double bandScale = 1;
    double bandOffset = 0;
    // Where the band mask goes before it turns, in full-size picture pixels.
    CGRect bandImageRect;
    // The on-screen picture's width, and the full-size picture's in pixels.
    double viewWidth = 1;
    double originalWidth = 1;
    UIImagePtr circleMask;
    UIImagePtr bandMask;

    // The sharp picture over the blurred one (same size) where the mode's mask is dark;
    // in normal mode the blurred picture itself. Null when the mask picture is missing.
    UIImagePtr buildResultImage(const UIImagePtr& sharp, const UIImagePtr& blurred) const;

    // sharp masked by mask, drawn over blurred.
    static UIImagePtr blurImage(const UIImagePtr& sharp, const UIImagePtr& blurred,
                                const UIImagePtr& mask);
    // The masks at sharp's pixel size: white, with the mode's mask picture where the
    // indicator puts it; null without the mask picture.
    UIImagePtr circleMaskFor(const UIImagePtr& sharp) const;
    UIImagePtr bandMaskFor(const UIImagePtr& sharp) const;
};
