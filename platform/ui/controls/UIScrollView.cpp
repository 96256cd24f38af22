#include "platform/ui/controls/UIScrollView.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/gestures/UIGestureRecognizerDelegate.h"

using State = UIGestureRecognizerState;

namespace {

CGPoint clampToRange(CGPoint offset, const CGRect& range) {
    return {std::clamp(offset.x, range.minX(), range.maxX()),
            std::clamp(offset.y, range.minY(), range.maxY())};
}

// One coordinate of a drag: free inside [least, most], half speed beyond when bouncing.
double dragAxis(double wanted, double least, double most, bool bounces) {
    if (wanted < least) {
        return bounces ? least - (least - wanted) / 2 : least;
    }
    if (wanted > most) {
        return bounces ? most + (wanted - most) / 2 : most;
    }
    return wanted;
}

// One coordinate of a paged resting place: the nearest page, or the next one in the
// direction of a flick, never more than one page from where the drag started.
double pageAxis(double offset, double start, double speed, double pageSize) {
    if (pageSize <= 0) {
        return offset;
    }
    const double startPage = std::round(start / pageSize);
    double page = std::round(offset / pageSize);
    if (std::abs(speed) >= UIScrollView::kMinimumFlickSpeed && page == startPage) {
        page += speed > 0 ? 1 : -1;
    }
    return std::clamp(page, startPage - 1, startPage + 1) * pageSize;
}

}  // namespace

// The scroll view's own say over its recognisers: the pan begins only when there is
// something to scroll, the pinch only with a view to zoom, and the two work together.
class UIScrollView::GestureRules : public UIGestureRecognizerDelegate {
public:
    explicit GestureRules(UIScrollView& scrollView) : scrollView_(scrollView) {}

    std::optional<bool> gestureRecognizerShouldBegin(UIGestureRecognizer& recognizer) override {
        if (&recognizer == scrollView_.pan_.get()) {
            return scrollView_.canScrollHorizontally() || scrollView_.canScrollVertically();
        }
        return scrollView_.viewForZooming() != nullptr;
    }

    std::optional<bool> gestureRecognizerShouldRecognizeSimultaneouslyWith(
        UIGestureRecognizer& recognizer, UIGestureRecognizer& other) override {
        const auto owns = [this](const UIGestureRecognizer& r) {
            return &r == scrollView_.pan_.get() || &r == scrollView_.pinch_.get();
        };
        return owns(recognizer) && owns(other);
    }

private:
    UIScrollView& scrollView_;
};

UIScrollView::UIScrollView(const CGRect& frame)
    : UIView(frame),
      rules_(std::make_shared<GestureRules>(*this)),
      pan_(std::make_shared<UIPanGestureRecognizer>()),
      pinch_(std::make_shared<UIPinchGestureRecognizer>()) {
    setClipsToBounds(true);
    pan_->setDelegate(rules_);
    pan_->setDelaysTouchesBegan(true);
    pinch_->setDelegate(rules_);
    // The recognisers may outlive the scroll view inside a running gesture; their view
    // then reads null and the actions do nothing.
    pan_->addTarget([this](UIGestureRecognizer& r) {
        if (r.view().get() == this) {
            handlePan();
        }
    });
    pinch_->addTarget([this](UIGestureRecognizer& r) {
        if (r.view().get() == this) {
            handlePinch();
        }
    });
    updatePinchAvailability();
    addGestureRecognizer(pan_);
    addGestureRecognizer(pinch_);
}

UIScrollView::~UIScrollView() = default;

// Scrolling.

void UIScrollView::setBounds(const CGRect& bounds) {
    const CGPoint oldOffset = contentOffset();
    UIView::setBounds(bounds);
    if (contentOffset() != oldOffset) {
        if (const auto delegate = delegate_.lock()) {
            delegate->scrollViewDidScroll(*this);
        }
    }
}

void UIScrollView::setContentOffset(CGPoint offset) {
    setBounds({offset, bounds().size});
}

void UIScrollView::setContentOffset(CGPoint offset, bool animated) {
    if (!animated) {
        setContentOffset(offset);
        return;
    }
    stopMotion();
    UIView::animate(kAnimationDuration, [&] { setContentOffset(offset); });
}

void UIScrollView::scrollRectToVisible(const CGRect& rect, bool animated) {
    const CGRect visible = bounds();
    CGPoint offset = visible.origin;
    if (rect.minX() < visible.minX()) {
        offset.x = rect.minX();
    } else if (rect.maxX() > visible.maxX()) {
        offset.x = rect.maxX() - visible.width();
    }
    if (rect.minY() < visible.minY()) {
        offset.y = rect.minY();
    } else if (rect.maxY() > visible.maxY()) {
        offset.y = rect.maxY() - visible.height();
    }
    setContentOffset(clampToRange(offset, contentOffsetRange()), animated);
}

CGRect UIScrollView::contentOffsetRange() const {
    const double minX = -contentInset_.left;
    const double minY = -contentInset_.top;
    const double maxX = std::max(minX, contentSize_.width + contentInset_.right - bounds().width());
    const double maxY =
        std::max(minY, contentSize_.height + contentInset_.bottom - bounds().height());
    return {minX, minY, maxX - minX, maxY - minY};
}

bool UIScrollView::canScrollHorizontally() const {
    return alwaysBounceHorizontal_ || contentOffsetRange().width() > 0;
}

bool UIScrollView::canScrollVertically() const {
    return alwaysBounceVertical_ || contentOffsetRange().height() > 0;
}

void UIScrollView::setScrollEnabled(bool enabled) {
    scrollEnabled_ = enabled;
    pan_->setEnabled(enabled);
}

bool UIScrollView::delaysContentTouches() const {
    return pan_->delaysTouchesBegan();
}

void UIScrollView::setDelaysContentTouches(bool delays) {
    pan_->setDelaysTouchesBegan(delays);
}

// Dragging.

void UIScrollView::handlePan() {
    switch (pan_->state()) {
        case State::Began:
            stopMotion();
            dragging_ = true;
            dragStartOffset_ = contentOffset();
            if (const auto delegate = delegate_.lock()) {
                delegate->scrollViewWillBeginDragging(*this);
            }
            panChanged();
            return;
        case State::Changed:
            panChanged();
            return;
        case State::Ended:
        case State::Cancelled:
            endDragging();
            return;
        default:
            return;
    }
}

void UIScrollView::panChanged() {
    if (zooming_) {
        // The pinch moves the content while it zooms; the drag takes over from here.
        dragStartOffset_ = contentOffset();
        pan_->setTranslation({}, this);
        return;
    }
    const CGPoint moved = pan_->translationInView(this);
    setContentOffset(draggedOffset({dragStartOffset_.x - moved.x, dragStartOffset_.y - moved.y}));
}

CGPoint UIScrollView::draggedOffset(CGPoint wanted) const {
    const CGRect range = contentOffsetRange();
    CGPoint offset = contentOffset();
    if (canScrollHorizontally()) {
        offset.x = dragAxis(wanted.x, range.minX(), range.maxX(), bounces_);
    }
    if (canScrollVertically()) {
        offset.y = dragAxis(wanted.y, range.minY(), range.maxY(), bounces_);
    }
    return offset;
}

CGPoint UIScrollView::pagedOffset(CGPoint offset, CGPoint velocity) const {
    CGPoint paged = offset;
    if (canScrollHorizontally()) {
        paged.x = pageAxis(offset.x, dragStartOffset_.x, velocity.x, bounds().width());
    }
    if (canScrollVertically()) {
        paged.y = pageAxis(offset.y, dragStartOffset_.y, velocity.y, bounds().height());
    }
    return clampToRange(paged, contentOffsetRange());
}

void UIScrollView::endDragging() {
    dragging_ = false;
    CGPoint velocity;
    if (pan_->state() == State::Ended) {
        const CGPoint finger = pan_->velocityInView(this);
        velocity = {canScrollHorizontally() ? -finger.x : 0, canScrollVertically() ? -finger.y : 0};
    }
    const CGPoint offset = contentOffset();
    std::optional<CGPoint> restingPlace;
    if (pagingEnabled_) {
        restingPlace = pagedOffset(offset, velocity);
    } else if (clampToRange(offset, contentOffsetRange()) != offset) {
        restingPlace = clampToRange(offset, contentOffsetRange());
    }
    const bool flicked = std::hypot(velocity.x, velocity.y) >= kMinimumFlickSpeed;
    const bool decelerate = restingPlace ? *restingPlace != offset : flicked;
    if (const auto delegate = delegate_.lock()) {
        delegate->scrollViewDidEndDraggingWillDecelerate(*this, decelerate);
    }
    if (!decelerate) {
        return;
    }
    const double now = AnimationClock::shared().now();
    startMotion(restingPlace ? ScrollMotion::glide(contentOffset(), *restingPlace, now)
                             : ScrollMotion::flick(velocity, now));
}

// Moving on by itself.

void UIScrollView::startMotion(ScrollMotion motion) {
    stopMotion();
    motion_ = motion;
    const unsigned generation = motionGeneration_;
    const std::weak_ptr<UIView> weak = weak_from_this();
    AnimationClock::shared().addFrameCallback([weak, generation](double now) {
        const auto self = std::static_pointer_cast<UIScrollView>(weak.lock());
        return self && self->stepMotion(now, generation);
    });
}

void UIScrollView::stopMotion() {
    motion_.reset();
    ++motionGeneration_;
}

bool UIScrollView::stepMotion(double now, unsigned generation) {
    if (generation != motionGeneration_ || !motion_) {
        return false;
    }
    const CGPoint next = motion_->step(now, contentOffset(), contentOffsetRange());
    const bool finished = motion_->isFinished();
    setContentOffset(next);
    if (generation != motionGeneration_) {
        return false;
    }
    if (!finished) {
        return true;
    }
    motion_.reset();
    if (const auto delegate = delegate_.lock()) {
        delegate->scrollViewDidEndDecelerating(*this);
    }
    return false;
}

// Zooming.

std::shared_ptr<UIView> UIScrollView::viewForZooming() {
    const auto delegate = delegate_.lock();
    return delegate ? delegate->viewForZoomingInScrollView(*this).value_or(nullptr) : nullptr;
}

void UIScrollView::setMinimumZoomScale(double scale) {
    minimumZoomScale_ = scale;
    updatePinchAvailability();
}

void UIScrollView::setMaximumZoomScale(double scale) {
    maximumZoomScale_ = scale;
    updatePinchAvailability();
}

void UIScrollView::updatePinchAvailability() {
    pinch_->setEnabled(maximumZoomScale_ > minimumZoomScale_);
}

void UIScrollView::setZoomScale(double scale) {
    setZoomScale(scale, false);
}

void UIScrollView::setZoomScale(double scale, bool animated) {
    if (scale == zoomScale_) {
        return;
    }
    const CGPoint place{bounds().width() / 2, bounds().height() / 2};
    const CGPoint middle{contentOffset().x + place.x, contentOffset().y + place.y};
    const auto view = viewForZooming();
    const CGPoint anchor = view ? view->convertPointFromView(middle, this) : CGPoint{};
    zoomAnimated(scale, anchor, place, animated);
}

bool UIScrollView::wheelZooms() const {
    return zoomsWithWheelAtMinimum_ && maximumZoomScale_ > minimumZoomScale_ &&
           zoomScale_ <= minimumZoomScale_;
}

void UIScrollView::zoomToRect(const CGRect& rect, bool animated) {
    if (rect.isEmpty()) {
        return;
    }
    const double scale =
        std::min(bounds().width() / rect.width(), bounds().height() / rect.height());
    zoomAnimated(scale, {rect.midX(), rect.midY()}, {bounds().width() / 2, bounds().height() / 2},
                 animated);
}

void UIScrollView::zoomAnimated(double scale, CGPoint anchor, CGPoint place, bool animated) {
    if (!animated) {
        applyZoom(scale, anchor, place);
        return;
    }
    stopMotion();
    const auto view = viewForZooming();
    UIView::animate(
        kAnimationDuration, [&] { applyZoom(scale, anchor, place); },
        [weak = weak_from_this(), view](bool) {
            const auto self = std::static_pointer_cast<UIScrollView>(weak.lock());
            if (!self) {
                return;
            }
            if (const auto delegate = self->delegate()) {
                delegate->scrollViewDidEndZoomingWithViewAtScale(*self, view.get(),
                                                                 self->zoomScale());
            }
        });
}

void UIScrollView::applyZoom(double scale, CGPoint anchor, CGPoint place) {
    zoomScale_ = std::clamp(scale, std::min(minimumZoomScale_, maximumZoomScale_),
                            std::max(minimumZoomScale_, maximumZoomScale_));
    const auto view = viewForZooming();
    if (!view) {
        return;
    }
    view->setTransform(CGAffineTransform::makeScale(zoomScale_, zoomScale_));
    // The zoomed view sits at the content's top-left; its frame is the content.
    const CGRect frame = view->frame();
    const CGPoint center = view->center();
    view->setCenter({center.x - frame.minX(), center.y - frame.minY()});
    contentSize_ = frame.size;
    // With its frame at the origin, a point q of the view is at (q - bounds origin) × scale.
    const CGPoint origin = view->bounds().origin;
    const CGPoint anchorInContent{(anchor.x - origin.x) * zoomScale_,
                                  (anchor.y - origin.y) * zoomScale_};
    setContentOffset(clampToRange({anchorInContent.x - place.x, anchorInContent.y - place.y},
                                  contentOffsetRange()));
    if (const auto delegate = delegate_.lock()) {
        delegate->scrollViewDidZoom(*this);
    }
}

void UIScrollView::handlePinch() {
    const auto view = viewForZooming();
    const CGPoint finger = pinch_->locationInView(this);
    const CGPoint place{finger.x - contentOffset().x, finger.y - contentOffset().y};
    switch (pinch_->state()) {
        case State::Began:
            if (!view) {
                return;
            }
            stopMotion();
            zooming_ = true;
            pinchStartScale_ = zoomScale_;
            pinchAnchor_ = view->convertPointFromView(finger, this);
            if (const auto delegate = delegate_.lock()) {
                delegate->scrollViewWillBeginZooming(*this, view.get());
            }
            applyZoom(pinchStartScale_ * pinch_->scale(), pinchAnchor_, place);
            return;
        case State::Changed:
            if (zooming_) {
                applyZoom(pinchStartScale_ * pinch_->scale(), pinchAnchor_, place);
            }
            return;
        case State::Ended:
        case State::Cancelled:
            if (!zooming_) {
                return;
            }
            zooming_ = false;
            if (const auto delegate = delegate_.lock()) {
                delegate->scrollViewDidEndZoomingWithViewAtScale(*this, view.get(), zoomScale_);
            }
            return;
        default:
            return;
    }
}
