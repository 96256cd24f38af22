#pragma once

#include <memory>

#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIImage.h"

// What the picture operations do when they draw a bitmap into a bitmap context, done
// directly on the pixels: the bitmap stretched to a drawing size, a window of it taken,
// and the window turned upright for an orientation.
struct BitmapPlacement {
    int drawWidth = 0;  // the stretched bitmap, in its own (stored) orientation
    int drawHeight = 0;
    int windowX = 0;  // the window in the stretched bitmap, rows counted from the top;
    int windowY = 0;  // parts of it beyond the stretched bitmap stay transparent
    int windowWidth = 0;
    int windowHeight = 0;
};

class BitmapDrawing {
public:
    // A premultiplied bitmap of the window turned by the orientation (its width and
    // height exchanged for quarter turns); null when a size is not acceptable.
    static std::shared_ptr<CGImage> draw(const CGImage& source, const BitmapPlacement& placement,
                                         UIImageOrientation orientation);

    // The pixels of the upright picture inside the rectangle (in upright pixels; parts
    // beyond the picture stay transparent), without stretching.
    static std::shared_ptr<CGImage> cropUpright(const CGImage& source,
                                                UIImageOrientation orientation, int x, int y,
                                                int width, int height);

    // The whole bitmap stood upright at its own pixel size, premultiplied; the source
    // itself when it already is.
    static CGImageRef upright(const CGImageRef& source, UIImageOrientation orientation);
};
