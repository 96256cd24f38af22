#pragma once

#include <functional>
#include <memory>

#include "platform/geometry/CGPoint.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/gestures/UIPanGestureRecognizer.h"
#include "platform/ui/view/UIImageView.h"

class CLEditorServices;

// One-finger painting over the editor's picture. The drawing view lies inside the
// editor's image view with its bounds and takes one finger: a drag paints segments
// from where the finger touched down, a tap paints a dot, in the image view's own
// unzoomed points. Meanwhile the viewport's pan needs two fingers and neither of its
// recognisers holds touches back, so two fingers still pan and zoom the picture.
// remove() puts the image view and the viewport back as they were.
class CLPaintSurface : public std::enable_shared_from_this<CLPaintSurface> {
public:
    using Segment = std::function<void(CGPoint from, CGPoint to)>;

    static std::shared_ptr<CLPaintSurface> install(CLEditorServices& editor, Segment segment);
    void remove();

    void drawingViewDidPan(UIPanGestureRecognizer& sender);
    void drawingViewDidTap(UIGestureRecognizer& sender);

    const UIImageViewPtr& drawingView() const { return drawingView_; }

private:
    // What the surface changed, to put back.
    struct Saved {
        bool imageViewInteraction = false;
        std::size_t panMinimumTouches = 1;
        bool panDelays = false;
        bool pinchDelays = false;
    };

    explicit CLPaintSurface(Segment segment) : segment_(std::move(segment)) {}
    void addRecognizers();

    Segment segment_;
    UIImageViewPtr drawingView_;
    UIImageViewPtr imageView_;
    std::weak_ptr<UIScrollView> scrollView_;
    Saved saved_;
    CGPoint prevDraggingPosition_;
};
