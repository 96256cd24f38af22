#include "core/ZOZuzazOzarozZoomToggle.h"

#include "core/_ZOZuzazOzarozViewController.h"

ZOZuzazOzarozZoomToggle::ZOZuzazOzarozZoomToggle(_ZOZuzazOzarozViewController& editor)
    : editor_(editor), doubleTap_(std::make_shared<UITapGestureRecognizer>()) {
    doubleTap_->setNumberOfTapsRequired(2);
    doubleTap_->setCancelsTouchesInView(false);
    doubleTap_->addTarget([this](UIGestureRecognizer&) { toggle(); });
    editor.scrollView()->addGestureRecognizer(doubleTap_);
    // At the fit there is nothing to scroll, so a desktop's wheel zooms there instead.
    editor.scrollView()->setZoomsWithWheelAtMinimum(true);
}

ZOZuzazOzarozZoomToggle::~ZOZuzazOzarozZoomToggle() {
    if (const auto view = doubleTap_->view()) {
        view->removeGestureRecognizer(doubleTap_);
    }
    if (const auto viewport = editor_.scrollView()) {
        viewport->setZoomsWithWheelAtMinimum(false);
    }
}

void ZOZuzazOzarozZoomToggle::toggle() {
    const auto viewport = editor_.scrollView();
    const UIImageViewPtr& picture = editor_.imageView();
    if (!viewport || !picture || viewport->maximumZoomScale() <= viewport->minimumZoomScale()) {
        return;
    }
    if (viewport->zoomScale() > viewport->minimumZoomScale()) {
        viewport->setZoomScale(viewport->minimumZoomScale(), true);
        return;
    }
    // The rectangle of the picture that fills the viewport at the largest zoom, around
    // the point tapped (in the picture's own, unzoomed coordinates).
    const CGPoint at = doubleTap_->locationInView(picture.get());
    const double zoom = viewport->maximumZoomScale() / viewport->zoomScale();
    const CGSize area{viewport->bounds().width() / zoom, viewport->bounds().height() / zoom};
    viewport->zoomToRect({at.x - area.width / 2, at.y - area.height / 2, area.width, area.height},
                         true);
}
