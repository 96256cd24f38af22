#include "platform/ui/view/UIView.h"

#include <algorithm>

#include "platform/ui/animation/ViewAnimationTransaction.h"
#include "platform/ui/view/AutoresizingLayout.h"
#include "platform/ui/view/PlanarProjection.h"
#include "platform/ui/view/UIViewDrawingCache.h"
#include "platform/ui/window/UIWindow.h"

namespace {

constexpr double kMinimumHitAlpha = 0.01;

CGRect boundingBox(const CGPoint (&corners)[4]) {
    CGRect box = CGRect::null();
    for (const CGPoint& corner : corners) {
        box = box.unionWith(CGRect{corner, CGSize{}});
    }
    return box;
}

template <typename Convert>
CGRect convertCorners(const CGRect& rect, Convert convert) {
    if (rect.isNull()) {
        return rect;
    }
    const CGRect r = rect.standardized();
    const CGPoint corners[4] = {
        convert(CGPoint{r.minX(), r.minY()}), convert(CGPoint{r.maxX(), r.minY()}),
        convert(CGPoint{r.minX(), r.maxY()}), convert(CGPoint{r.maxX(), r.maxY()})};
    return boundingBox(corners);
}

}  // namespace

UIView::UIView(const CGRect& frame)
    : bounds_{CGPoint{}, frame.standardized().size},
      center_{frame.standardized().midX(), frame.standardized().midY()},
      drawingCache_(std::make_unique<DrawingCache>()),
      layer_(*this) {}

UIView::~UIView() {
    for (const UIViewPtr& subview : subviews_) {
        subview->superview_ = nullptr;
    }
    for (const auto& setView : gestureRecognizerViewSetters_) {
        setView(nullptr);
    }
}

// Geometry.

CGRect UIView::frame() const {
    const CGSize size = bounds_.size;
    if (transform_.isIdentity()) {
        return {center_.x - size.width / 2, center_.y - size.height / 2, size.width, size.height};
    }
    const PlanarProjection projection(transform_);
    const CGRect centred{-size.width / 2, -size.height / 2, size.width, size.height};
    return convertCorners(centred, [&](CGPoint p) {
        const CGPoint q = projection.apply(p);
        return CGPoint{q.x + center_.x, q.y + center_.y};
    });
}

void UIView::setFrame(const CGRect& frame) {
    const CGRect f = frame.standardized();
    setBounds({bounds_.origin, f.size});
    setCenter({f.midX(), f.midY()});
}

void UIView::setBounds(const CGRect& bounds) {
    const CGRect newBounds{bounds.origin, bounds.standardized().size};
    if (newBounds == bounds_) {
        return;
    }
    layer_.willChangeValue("bounds", bounds_, newBounds);
    const CGSize oldSize = bounds_.size;
    bounds_ = newBounds;
    if (oldSize != bounds_.size) {
        boundsSizeDidChange(oldSize);
    }
    setNeedsRedraw();
}

void UIView::setCenter(CGPoint center) {
    if (center == center_) {
        return;
    }
    layer_.willChangeValue("position", center_, center);
    center_ = center;
    setNeedsRedraw();
}

CGAffineTransform UIView::transform() const {
    return transform_.affineTransform();
}

void UIView::setTransform(const CGAffineTransform& transform) {
    setLayerTransform(CATransform3D::makeAffineTransform(transform));
}

void UIView::setLayerTransform(const CATransform3D& transform) {
    if (transform == transform_) {
        return;
    }
    layer_.willChangeValue("transform", transform_, transform);
    transform_ = transform;
    setNeedsRedraw();
}

// Look.

void UIView::setAlpha(double alpha) {
    alpha = std::clamp(alpha, 0.0, 1.0);
    if (alpha == alpha_) {
        return;
    }
    layer_.willChangeValue("opacity", alpha_, alpha);
    alpha_ = alpha;
    setNeedsRedraw();
}

void UIView::setHidden(bool hidden) {
    if (hidden == hidden_) {
        return;
    }
    hidden_ = hidden;
    setNeedsRedraw();
}

void UIView::setClipsToBounds(bool clips) {
    if (clips == clipsToBounds_) {
        return;
    }
    clipsToBounds_ = clips;
    setNeedsRedraw();
}

void UIView::setBackgroundColor(const UIColor& color) {
    if (color == backgroundColor_) {
        return;
    }
    layer_.willChangeValue("backgroundColor", backgroundColor_, color);
    backgroundColor_ = color;
    setNeedsRedraw();
}

void UIView::setContentMode(UIViewContentMode mode) {
    if (mode == contentMode_) {
        return;
    }
    contentMode_ = mode;
    setNeedsRedraw();
}

UIViewPtr UIView::viewWithTag(int tag) {
    if (tag_ == tag) {
        return shared_from_this();
    }
    for (const UIViewPtr& subview : subviews_) {
        if (UIViewPtr found = subview->viewWithTag(tag)) {
            return found;
        }
    }
    return nullptr;
}

// The tree.

UIViewPtr UIView::superview() const {
    return superview_ ? superview_->weak_from_this().lock() : nullptr;
}

std::shared_ptr<UIWindow> UIView::window() const {
    const UIView* root = this;
    while (root->superview_ != nullptr) {
        root = root->superview_;
    }
    if (auto* window = dynamic_cast<const UIWindow*>(root)) {
        return std::const_pointer_cast<UIWindow>(
            std::static_pointer_cast<const UIWindow>(window->weak_from_this().lock()));
    }
    return nullptr;
}

void UIView::addSubview(const UIViewPtr& view) {
    insertSubview(view, subviews_.size());
}

void UIView::insertSubviewAtIndex(const UIViewPtr& view, std::size_t index) {
    insertSubview(view, index);
}

void UIView::insertSubviewBelowSubview(const UIViewPtr& view, const UIViewPtr& sibling) {
    const auto found = std::find(subviews_.begin(), subviews_.end(), sibling);
    if (found == subviews_.end() || view == sibling) {
        addSubview(view);
        return;
    }
    std::size_t index = static_cast<std::size_t>(found - subviews_.begin());
    if (view && view->superview_ == this) {
        const auto current = std::find(subviews_.begin(), subviews_.end(), view);
        if (current < found) {
            --index;
        }
    }
    insertSubview(view, index);
}

void UIView::insertSubviewAboveSubview(const UIViewPtr& view, const UIViewPtr& sibling) {
    const auto found = std::find(subviews_.begin(), subviews_.end(), sibling);
    if (found == subviews_.end() || view == sibling) {
        addSubview(view);
        return;
    }
    std::size_t index = static_cast<std::size_t>(found - subviews_.begin()) + 1;
    if (view && view->superview_ == this) {
        const auto current = std::find(subviews_.begin(), subviews_.end(), view);
        if (current < found) {
            --index;
        }
    }
    insertSubview(view, index);
}

void UIView::bringSubviewToFront(const UIViewPtr& view) {
    if (view && view->superview_ == this) {
        insertSubview(view, subviews_.size());
    }
}

void UIView::sendSubviewToBack(const UIViewPtr& view) {
    if (view && view->superview_ == this) {
        insertSubview(view, 0);
    }
}

void UIView::exchangeSubviewAtIndex(std::size_t index1, std::size_t index2) {
    if (index1 >= subviews_.size() || index2 >= subviews_.size() || index1 == index2) {
        return;
    }
    std::swap(subviews_[index1], subviews_[index2]);
    setNeedsRedraw();
}

void UIView::insertSubview(const UIViewPtr& view, std::size_t index) {
    if (!view || view.get() == this || isDescendantOfView(view.get())) {
        return;
    }
    UIView* const oldSuperview = view->superview_;
    if (oldSuperview == this) {
        // Only the order changes: no hooks run.
        subviews_.erase(std::find(subviews_.begin(), subviews_.end(), view));
        subviews_.insert(
            subviews_.begin() + static_cast<std::ptrdiff_t>(std::min(index, subviews_.size())),
            view);
        setNeedsRedraw();
        return;
    }
    const std::shared_ptr<UIWindow> oldWindow = view->window();
    if (oldSuperview) {
        oldSuperview->detachSubview(*view);
    }
    subviews_.insert(
        subviews_.begin() + static_cast<std::ptrdiff_t>(std::min(index, subviews_.size())), view);
    view->superview_ = this;
    view->attachPendingGestureRecognizers();
    view->notifyWindowChange(oldWindow);
    view->didMoveToSuperview();
    didAddSubview(view);
    view->setNeedsLayout();
    setNeedsRedraw();
}

void UIView::detachSubview(const UIView& view) {
    const auto found =
        std::find_if(subviews_.begin(), subviews_.end(),
                     [&](const UIViewPtr& subview) { return subview.get() == &view; });
    if (found == subviews_.end()) {
        return;
    }
    const UIViewPtr keep = *found;
    willRemoveSubview(keep);
    // The hook may have changed the list.
    std::erase(subviews_, keep);
    keep->superview_ = nullptr;
    setNeedsRedraw();
}

void UIView::removeFromSuperview() {
    UIView* const parent = superview_;
    if (parent == nullptr) {
        return;
    }
    // The superview's reference may be the last one.
    const UIViewPtr self = weak_from_this().lock();
    const std::shared_ptr<UIWindow> oldWindow = window();
    parent->detachSubview(*this);
    notifyWindowChange(oldWindow);
    didMoveToSuperview();
}

void UIView::notifyWindowChange(const std::shared_ptr<UIWindow>& oldWindow) {
    if (window() == oldWindow) {
        return;
    }
    didMoveToWindow();
    const auto subviews = subviews_;
    for (const UIViewPtr& subview : subviews) {
        subview->notifyWindowChange(oldWindow);
    }
}

bool UIView::isDescendantOfView(const UIView* view) const {
    for (const UIView* current = this; current != nullptr;) {
        if (current == view) {
            return true;
        }
        current = current->superview_;
    }
    return false;
}

void UIView::didAddSubview(const UIViewPtr&) {}

void UIView::willRemoveSubview(const UIViewPtr&) {}

void UIView::didMoveToSuperview() {}

void UIView::didMoveToWindow() {}

// Conversions.

CGPoint UIView::pointToSuperview(CGPoint point) const {
    const CGPoint local{point.x - bounds_.midX(), point.y - bounds_.midY()};
    const CGPoint moved =
        transform_.isIdentity() ? local : PlanarProjection(transform_).apply(local);
    return {moved.x + center_.x, moved.y + center_.y};
}

CGPoint UIView::pointFromSuperview(CGPoint point) const {
    CGPoint local{point.x - center_.x, point.y - center_.y};
    if (!transform_.isIdentity()) {
        const auto inverse = PlanarProjection(transform_).inverted();
        local = inverse ? inverse->apply(local) : CGPoint{};
    }
    return {local.x + bounds_.midX(), local.y + bounds_.midY()};
}

CGPoint UIView::pointToRoot(CGPoint point) const {
    for (const UIView* view = this; view->superview_ != nullptr; view = view->superview_) {
        point = view->pointToSuperview(point);
    }
    return point;
}

CGPoint UIView::pointFromRoot(CGPoint point) const {
    if (superview_ != nullptr) {
        return pointFromSuperview(superview_->pointFromRoot(point));
    }
    return point;
}

CGPoint UIView::convertPointToView(CGPoint point, const UIView* view) const {
    const CGPoint inRoot = pointToRoot(point);
    return view ? view->pointFromRoot(inRoot) : inRoot;
}

CGPoint UIView::convertPointFromView(CGPoint point, const UIView* view) const {
    const CGPoint inRoot = view ? view->pointToRoot(point) : point;
    return pointFromRoot(inRoot);
}

CGRect UIView::convertRectToView(const CGRect& rect, const UIView* view) const {
    return convertCorners(rect, [&](CGPoint p) { return convertPointToView(p, view); });
}

CGRect UIView::convertRectFromView(const CGRect& rect, const UIView* view) const {
    return convertCorners(rect, [&](CGPoint p) { return convertPointFromView(p, view); });
}

// Touches.

UIViewPtr UIView::hitTest(CGPoint point, const UIEvent* event) {
    if (hidden_ || !userInteractionEnabled_ || alpha_ < kMinimumHitAlpha ||
        layer_.blocksInteraction() || !pointInside(point, event)) {
        return nullptr;
    }
    const auto subviews = subviews_;
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
        if (UIViewPtr hit = (*it)->hitTest((*it)->pointFromSuperview(point), event)) {
            return hit;
        }
    }
    return shared_from_this();
}

bool UIView::pointInside(CGPoint point, const UIEvent*) const {
    return bounds_.contains(point);
}

void UIView::touchesBegan(const UITouchSet& touches, const UIEvent& event) {
    if (superview_ != nullptr) {
        superview_->touchesBegan(touches, event);
    }
}

void UIView::touchesMoved(const UITouchSet& touches, const UIEvent& event) {
    if (superview_ != nullptr) {
        superview_->touchesMoved(touches, event);
    }
}

void UIView::touchesEnded(const UITouchSet& touches, const UIEvent& event) {
    if (superview_ != nullptr) {
        superview_->touchesEnded(touches, event);
    }
}

void UIView::touchesCancelled(const UITouchSet& touches, const UIEvent& event) {
    if (superview_ != nullptr) {
        superview_->touchesCancelled(touches, event);
    }
}

void UIView::appendGestureRecognizer(std::shared_ptr<UIGestureRecognizer> recognizer,
                                     RecognizerViewSetter setView) {
    if (std::find(gestureRecognizers_.begin(), gestureRecognizers_.end(), recognizer) !=
        gestureRecognizers_.end()) {
        return;
    }
    gestureRecognizers_.push_back(std::move(recognizer));
    gestureRecognizerViewSetters_.push_back(std::move(setView));
    if (const UIViewPtr self = weak_from_this().lock()) {
        gestureRecognizerViewSetters_.back()(self);
    } else {
        gestureRecognizersPendingAttach_ = true;
    }
}

void UIView::eraseGestureRecognizer(const UIGestureRecognizer* recognizer) {
    for (std::size_t i = 0; i < gestureRecognizers_.size(); ++i) {
        if (gestureRecognizers_[i].get() == recognizer) {
            const RecognizerViewSetter setView = std::move(gestureRecognizerViewSetters_[i]);
            const auto position = static_cast<std::ptrdiff_t>(i);
            gestureRecognizers_.erase(gestureRecognizers_.begin() + position);
            gestureRecognizerViewSetters_.erase(gestureRecognizerViewSetters_.begin() + position);
            setView(nullptr);
            return;
        }
    }
}

void UIView::attachPendingGestureRecognizers() {
    if (!gestureRecognizersPendingAttach_) {
        return;
    }
    if (const UIViewPtr self = weak_from_this().lock()) {
        gestureRecognizersPendingAttach_ = false;
        for (const auto& setView : gestureRecognizerViewSetters_) {
            setView(self);
        }
    }
}

// Drawing and layout.

void UIView::setNeedsDisplay() {
    drawingCache_->valid = false;
    setNeedsRedraw();
}

void UIView::drawRect(CGContext&, const CGRect&) {
    drawingCache_->drawsNothing = true;
}

void UIView::presentationValueDidChange(const std::string&) {
    setNeedsDisplay();
}

void UIView::setNeedsRedraw() {
    UIView* root = this;
    while (root->superview_ != nullptr) {
        root = root->superview_;
    }
    root->treeNeedsRedraw();
}

void UIView::treeNeedsRedraw() {}

CGSize UIView::sizeThatFits(CGSize) const {
    return bounds_.size;
}

void UIView::sizeToFit() {
    const CGRect current = frame();
    const CGSize size = sizeThatFits(bounds_.size);
    setFrame({current.origin, size});
}

void UIView::setNeedsLayout() {
    needsLayout_ = true;
    setNeedsRedraw();
}

void UIView::layoutIfNeeded() {
    if (needsLayout_) {
        needsLayout_ = false;
        layoutSubviews();
    }
    const auto subviews = subviews_;
    for (const UIViewPtr& subview : subviews) {
        subview->layoutIfNeeded();
    }
}

void UIView::layoutSubviews() {}

void UIView::boundsSizeDidChange(CGSize oldSize) {
    if (autoresizesSubviews_) {
        resizeSubviews(oldSize);
    }
    setNeedsLayout();
    drawingCache_->valid = false;
}

void UIView::resizeSubviews(CGSize oldSize) {
    const auto subviews = subviews_;
    for (const UIViewPtr& subview : subviews) {
        const unsigned mask = subview->autoresizingMask();
        if (mask != UIViewAutoresizingNone) {
            subview->setFrame(
                AutoresizingLayout::resizedFrame(subview->frame(), mask, oldSize, bounds_.size));
        }
    }
}

// Attachments.

void UIView::setAssociatedValue(const std::string& key, std::shared_ptr<void> value) {
    if (value) {
        associatedValues_.insert_or_assign(key, std::move(value));
    } else {
        associatedValues_.erase(key);
    }
}

std::shared_ptr<void> UIView::associatedValue(const std::string& key) const {
    const auto found = associatedValues_.find(key);
    return found == associatedValues_.end() ? nullptr : found->second;
}

// Animations.

void UIView::animate(double duration, double delay, unsigned options,
                     const std::function<void()>& animations,
                     std::function<void(bool finished)> completion) {
    ViewAnimationTransaction::run({duration, delay, options}, animations, std::move(completion));
}

void UIView::animate(double duration, const std::function<void()>& animations,
                     std::function<void(bool finished)> completion) {
    animate(duration, 0, UIViewAnimationOptionNone, animations, std::move(completion));
}

CGRect UIView::presentationBounds() const {
    if (!layer_.hasAnimations()) {
        return bounds_;
    }
    return layer_.presentationValueForKey("bounds")->rect();
}

CGPoint UIView::presentationCenter() const {
    if (!layer_.hasAnimations()) {
        return center_;
    }
    return layer_.presentationValueForKey("position")->point();
}

CATransform3D UIView::presentationLayerTransform() const {
    if (!layer_.hasAnimations()) {
        return transform_;
    }
    return layer_.presentationValueForKey("transform")->transform();
}

double UIView::presentationAlpha() const {
    if (!layer_.hasAnimations()) {
        return alpha_;
    }
    return layer_.presentationValueForKey("opacity")->number();
}

UIColor UIView::presentationBackgroundColor() const {
    if (!layer_.hasAnimations()) {
        return backgroundColor_;
    }
    return layer_.presentationValueForKey("backgroundColor")->color();
}
