#pragma once

#include "core/CLEditorServices.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/view/UIView.h"

// A tool's strip with an area for a button at its right end, both in a container that
// takes the editor strip's place and colour. Items beyond the strip's width show under
// the area. Slide the container in and out with CLToolAnimations.
struct CLMenuContainer {
    // Added to the editor's view. Without a side width there is no area and the strip
    // takes the whole width; the area is the container's colour at sideAlpha.
    static CLMenuContainer make(CLEditorServices& editor, double sideWidth, double sideAlpha);

    UIViewPtr view;
    UIScrollViewPtr strip;
    UIViewPtr sideArea;
};
