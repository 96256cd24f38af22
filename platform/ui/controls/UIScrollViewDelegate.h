#pragma once

#include <memory>
#include <optional>

class UIScrollView;
class UIView;

// What a scroll view tells its delegate. Every operation is optional: reports have
// empty defaults; an operation with an answer returns std::nullopt when the delegate
// does not implement it.
class UIScrollViewDelegate {
public:
    virtual ~UIScrollViewDelegate() = default;

    // Every change of the content offset.
    virtual void scrollViewDidScroll(UIScrollView&) {}
    // Every change of the zoom scale.
    virtual void scrollViewDidZoom(UIScrollView&) {}
    // The view that zooming scales; without one the scroll view does not zoom.
    virtual std::optional<std::shared_ptr<UIView>> viewForZoomingInScrollView(UIScrollView&) {
        return std::nullopt;
    }
    virtual void scrollViewWillBeginDragging(UIScrollView&) {}
    // The finger has lifted; decelerate tells whether the content goes on moving.
    virtual void scrollViewDidEndDraggingWillDecelerate(UIScrollView&, bool /*decelerate*/) {}
    // The content has come to rest after moving on by itself.
    virtual void scrollViewDidEndDecelerating(UIScrollView&) {}
    virtual void scrollViewWillBeginZooming(UIScrollView&, UIView* /*view*/) {}
    // A pinch or an animated zoom has ended at scale.
    virtual void scrollViewDidEndZoomingWithViewAtScale(UIScrollView&, UIView* /*view*/,
                                                        double /*scale*/) {}
};
