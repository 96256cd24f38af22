#pragma once

#include <string>
#include <vector>

#include "platform/geometry/CGRect.h"
#include "platform/graphics/UIImage.h"

// The effect tool's menu thumbnails: one square crop of a sample photo, shown as each
// effect renders it, so the strip previews what every effect does.
class EffectThumbnails {
public:
    struct Thumbnail {
        std::string effectClass;  // also the file name, without ".png"
        UIImagePtr image;
    };

    // Crop (in the photo's points) scaled to pixelSide × pixelSide, then filtered; a
    // null picture in a thumbnail marks an effect the engine failed to render.
    static std::vector<Thumbnail> render(const UIImagePtr& photo, const CGRect& crop,
                                         int pixelSide);
};
