#pragma once

#include <functional>

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIImage.h"

// The full-size result of an overlay tool: the picture with its boxes drawn over it as
// the working view shows them. The working view lies exactly over the displayed
// picture, so one of its points is picture width / working width of the picture's.
class CLOverlayRender {
public:
    // A new picture of picture's size and scale; drawBoxes draws into a context whose
    // coordinates are the working view's (boxes outside the picture are cut at its
    // edge). The picture itself when there is nothing to draw on. Any thread.
    static UIImagePtr buildImage(const UIImagePtr& picture, double workingWidth,
                                 const std::function<void(CGContext&)>& drawBoxes);
};
