#pragma once

#include <optional>

#include "platform/geometry/CGRect.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/view/UIImageView.h"

// The editor's viewport: a scroll view that zooms one image view by its transform.
// Where the picture sits and how far it may be zoomed, and applying that to the
// views. Sizes are in points.
class ZOZuzazOzarozViewport {
public:
    // Locking the zoom shrinks the picture to this share of the minimum scale.
    static constexpr double kLockedZoomShare = 0.95;

    // Fits imageView to the viewport at the current zoom scale, centred; a picture
    // without area (or, without a picture, a frame without area) leaves it alone.
    static void fitImageView(const UIScrollView& viewport, UIImageView& imageView);
    // Locks the zoom at kLockedZoomShare of the minimum scale.
    static void lockZoom(UIScrollView& viewport, bool animated);
    // Allows zooming from 1 to maximumZoomScale and returns to 1.
    static void releaseZoom(UIScrollView& viewport, const UIImageView& imageView, bool animated);
    // Centres imageView in the viewport less its content insets, keeping its size.
    static void centreImageView(const UIScrollView& viewport, UIImageView& imageView);

    // The picture scaled to fit the viewport, times zoomScale, centred (never at a
    // negative offset); nothing for a picture without area.
    static std::optional<CGRect> fittedFrame(CGSize picture, CGSize viewport, double zoomScale);

    // The largest zoom: enough for the image view (of size shown) to cover the
    // viewport, or to show the picture at its own point size when that is more, and at
    // least 1. An image view without area can't be zoomed: 1.
    static double maximumZoomScale(CGSize viewport, CGSize shown, CGSize picture);

    // Where a view of size sits inside an area of size inner: centred, never at a
    // negative offset.
    static CGPoint centredOrigin(CGSize inner, CGSize size);
};
