#include "tools/paint/CLPaintSurface.h"

#include "core/CLEditorServices.h"
#include "platform/ui/gestures/UITapGestureRecognizer.h"

std::shared_ptr<CLPaintSurface> CLPaintSurface::install(CLEditorServices& editor, Segment segment) {
    std::shared_ptr<CLPaintSurface> surface(new CLPaintSurface(std::move(segment)));
    surface->imageView_ = editor.imageView();
    surface->drawingView_ = std::make_shared<UIImageView>(surface->imageView_->bounds());
    surface->drawingView_->setUserInteractionEnabled(true);
    surface->addRecognizers();
    surface->imageView_->addSubview(surface->drawingView_);
    surface->saved_.imageViewInteraction = surface->imageView_->isUserInteractionEnabled();
    surface->imageView_->setUserInteractionEnabled(true);

    if (const UIScrollViewPtr viewport = editor.scrollView()) {
        surface->scrollView_ = viewport;
        UIPanGestureRecognizer& pan = *viewport->panGestureRecognizer();
        UIPinchGestureRecognizer& pinch = *viewport->pinchGestureRecognizer();
        surface->saved_.panMinimumTouches = pan.minimumNumberOfTouches();
        surface->saved_.panDelays = pan.delaysTouchesBegan();
        surface->saved_.pinchDelays = pinch.delaysTouchesBegan();
        pan.setMinimumNumberOfTouches(2);
        pan.setDelaysTouchesBegan(false);
        pinch.setDelaysTouchesBegan(false);
    }
    return surface;
}

void CLPaintSurface::addRecognizers() {
    const std::weak_ptr<CLPaintSurface> weakSelf = shared_from_this();
    auto pan = std::make_shared<UIPanGestureRecognizer>();
    pan->setMaximumNumberOfTouches(1);
    pan->addTarget([weakSelf](UIGestureRecognizer& sender) {
        if (const auto surface = weakSelf.lock()) {
            surface->drawingViewDidPan(static_cast<UIPanGestureRecognizer&>(sender));
        }
    });
    drawingView_->addGestureRecognizer(pan);
    auto tap = std::make_shared<UITapGestureRecognizer>();
    tap->addTarget([weakSelf](UIGestureRecognizer& sender) {
        if (const auto surface = weakSelf.lock()) {
            surface->drawingViewDidTap(sender);
        }
    });
    drawingView_->addGestureRecognizer(tap);
}

void CLPaintSurface::remove() {
    drawingView_->removeFromSuperview();
    imageView_->setUserInteractionEnabled(saved_.imageViewInteraction);
    if (const UIScrollViewPtr viewport = scrollView_.lock()) {
        viewport->panGestureRecognizer()->setMinimumNumberOfTouches(saved_.panMinimumTouches);
        viewport->panGestureRecognizer()->setDelaysTouchesBegan(saved_.panDelays);
        viewport->pinchGestureRecognizer()->setDelaysTouchesBegan(saved_.pinchDelays);
    }
}

void CLPaintSurface::drawingViewDidPan(UIPanGestureRecognizer& sender) {
    const CGPoint p = sender.locationInView(drawingView_.get());
    switch (sender.state()) {
        case UIGestureRecognizerState::Began: {
            // The pan begins once the finger has moved a little: the stroke starts
            // where it touched down.
            const CGPoint moved = sender.translationInView(drawingView_.get());
            prevDraggingPosition_ = {p.x - moved.x, p.y - moved.y};
            break;
        }
        case UIGestureRecognizerState::Changed:
            break;
        default:
            return;
    }
    segment_(prevDraggingPosition_, p);
    prevDraggingPosition_ = p;
}

void CLPaintSurface::drawingViewDidTap(UIGestureRecognizer& sender) {
    const CGPoint p = sender.locationInView(drawingView_.get());
    segment_(p, p);
}
