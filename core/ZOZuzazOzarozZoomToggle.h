#pragma once

#include <memory>

#include "platform/ui/gestures/UITapGestureRecognizer.h"

class _ZOZuzazOzarozViewController;

// Double tap (or double click) on the picture, for an editor that turns it on: from the
// fitted picture to its largest zoom (its own size, or covering the viewport) around the
// point tapped, and from any zoom back to the fit. Nothing while a tool locks the zoom.
// A desktop's plain wheel zooms the fitted picture, and scrolls it once zoomed in.
class ZOZuzazOzarozZoomToggle {
public:
    explicit ZOZuzazOzarozZoomToggle(_ZOZuzazOzarozViewController& editor);
    ~ZOZuzazOzarozZoomToggle();

private:
    void toggle();

    _ZOZuzazOzarozViewController& editor_;
    std::shared_ptr<UITapGestureRecognizer> doubleTap_;
};
