#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/geometry/CATransform3D.h"
#include "platform/geometry/CGAffineTransform.h"
#include "platform/geometry/CGRect.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIColor.h"
#include "platform/ui/view/CALayer.h"
#include "platform/ui/view/UIEvent.h"
#include "platform/ui/view/UITouch.h"

class UIGestureRecognizer;
class UIWindow;
class UIView;
using UIViewPtr = std::shared_ptr<UIView>;

// How a view's content (an image view's picture, a drawn view's bitmap) is placed in
// its bounds, numbered as the platform numbers them.
enum class UIViewContentMode {
    ScaleToFill,
    ScaleAspectFit,
    ScaleAspectFill,
    Redraw,
    Center,
    Top,
    Bottom,
    Left,
    Right,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
};

// Which of a view's margins and sizes stretch when its superview's bounds size changes.
enum UIViewAutoresizing : unsigned {
    UIViewAutoresizingNone = 0,
    UIViewAutoresizingFlexibleLeftMargin = 1u << 0,
    UIViewAutoresizingFlexibleWidth = 1u << 1,
    UIViewAutoresizingFlexibleRightMargin = 1u << 2,
    UIViewAutoresizingFlexibleTopMargin = 1u << 3,
    UIViewAutoresizingFlexibleHeight = 1u << 4,
    UIViewAutoresizingFlexibleBottomMargin = 1u << 5,
};

enum UIViewAnimationOptions : unsigned {
    UIViewAnimationOptionNone = 0,
    // Start from what is on screen now instead of the property's (end) value.
    UIViewAnimationOptionBeginFromCurrentState = 1u << 2,
    // Let the animating views take touches meanwhile (they take none otherwise).
    UIViewAnimationOptionAllowUserInteraction = 1u << 1,
    UIViewAnimationOptionCurveEaseInOut = 0u << 16,
    UIViewAnimationOptionCurveEaseIn = 1u << 16,
    UIViewAnimationOptionCurveEaseOut = 2u << 16,
    UIViewAnimationOptionCurveLinear = 3u << 16,
};

// A rectangle of the screen: a node of the view tree, with its frame in the
// superview's coordinates, its own coordinate space (bounds), a transform about its
// centre, a look (background, alpha, border, corner radius, clipping) and optional
// drawing of its own. Views belong to the main thread.
//
// Views are shared objects: make them with std::make_shared (or a subclass's create);
// a constructor may already build and add subviews.
// A superview holds its subviews strongly; a view knows its superview weakly.
class UIView : public std::enable_shared_from_this<UIView> {
public:
    explicit UIView(const CGRect& frame = CGRect{});
    virtual ~UIView();
    UIView(const UIView&) = delete;
    UIView& operator=(const UIView&) = delete;

    // Geometry. Under a transform other than the identity the frame is the bounding
    // box of the transformed bounds, and setting it sets the bounds size and the centre.
    CGRect frame() const;
    virtual void setFrame(const CGRect& frame);
    const CGRect& bounds() const { return bounds_; }
    virtual void setBounds(const CGRect& bounds);
    CGPoint center() const { return center_; }
    virtual void setCenter(CGPoint center);
    // The 2-D part of the layer transform; setting it replaces the layer transform.
    CGAffineTransform transform() const;
    virtual void setTransform(const CGAffineTransform& transform);
    // The 3-D transform about the centre (with perspective in m34).
    const CATransform3D& layerTransform() const { return transform_; }
    virtual void setLayerTransform(const CATransform3D& transform);

    // Look.
    double alpha() const { return alpha_; }
    virtual void setAlpha(double alpha);
    bool isHidden() const { return hidden_; }
    virtual void setHidden(bool hidden);
    bool clipsToBounds() const { return clipsToBounds_; }
    void setClipsToBounds(bool clips);
    // Clear by default; pattern colours tile from the view's top-left corner.
    const UIColor& backgroundColor() const { return backgroundColor_; }
    virtual void setBackgroundColor(const UIColor& color);
    UIViewContentMode contentMode() const { return contentMode_; }
    void setContentMode(UIViewContentMode mode);
    // Border, corner radius, masking, explicit animations.
    CALayer& layer() { return layer_; }
    const CALayer& layer() const { return layer_; }

    // Identity and input.
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    // This view or the first of its descendants (depth first) with the tag.
    UIViewPtr viewWithTag(int tag);
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    virtual void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
    bool isMultipleTouchEnabled() const { return multipleTouchEnabled_; }
    void setMultipleTouchEnabled(bool enabled) { multipleTouchEnabled_ = enabled; }

    // Autoresizing: applied to the subviews when this view's bounds size changes.
    unsigned autoresizingMask() const { return autoresizingMask_; }
    void setAutoresizingMask(unsigned mask) { autoresizingMask_ = mask; }
    bool autoresizesSubviews() const { return autoresizesSubviews_; }
    void setAutoresizesSubviews(bool autoresizes) { autoresizesSubviews_ = autoresizes; }

    // The tree. Subviews are in back-to-front order.
    // Null while the superview is still being constructed.
    UIViewPtr superview() const;
    // A subclass may keep views of its own out of the list it answers.
    virtual std::vector<UIViewPtr> subviews() const { return subviews_; }
    // Every subview, whatever subviews() answers: what is drawn and touched.
    const std::vector<UIViewPtr>& allSubviews() const { return subviews_; }
    // The window at the root of the tree, or null.
    std::shared_ptr<UIWindow> window() const;
    // Adding a view that has another superview moves it; adding a view to itself or
    // to one of its own descendants does nothing.
    virtual void addSubview(const UIViewPtr& view);
    virtual void insertSubviewAtIndex(const UIViewPtr& view, std::size_t index);
    virtual void insertSubviewBelowSubview(const UIViewPtr& view, const UIViewPtr& sibling);
    virtual void insertSubviewAboveSubview(const UIViewPtr& view, const UIViewPtr& sibling);
    virtual void bringSubviewToFront(const UIViewPtr& view);
    virtual void sendSubviewToBack(const UIViewPtr& view);
    virtual void exchangeSubviewAtIndex(std::size_t index1, std::size_t index2);
    virtual void removeFromSuperview();
    // True for this view and its descendants.
    bool isDescendantOfView(const UIView* view) const;

    // Coordinate conversion between any two views (null: the coordinates of the
    // tree's root, the window when there is one). Transforms of every view on the
    // way apply, perspective included; rectangles become the bounding box of their
    // converted corners.
    CGPoint convertPointToView(CGPoint point, const UIView* view) const;
    CGPoint convertPointFromView(CGPoint point, const UIView* view) const;
    CGRect convertRectToView(const CGRect& rect, const UIView* view) const;
    CGRect convertRectFromView(const CGRect& rect, const UIView* view) const;

    // Hit testing, in this view's coordinates. Hidden views, views with alpha below
    // 0.01 and views with user interaction off take no touches, nor do their subviews.
    virtual UIViewPtr hitTest(CGPoint point, const UIEvent* event);
    virtual bool pointInside(CGPoint point, const UIEvent* event) const;

    // Touches that began in this view (see UIResponder on the platform). The default
    // passes them on to the superview.
    virtual void touchesBegan(const UITouchSet& touches, const UIEvent& event);
    virtual void touchesMoved(const UITouchSet& touches, const UIEvent& event);
    virtual void touchesEnded(const UITouchSet& touches, const UIEvent& event);
    virtual void touchesCancelled(const UITouchSet& touches, const UIEvent& event);

    // Gesture recognisers see the touches of this view and its descendants first.
    // The recogniser learns its view through its setView(std::shared_ptr<UIView>):
    // this view once it is owned (a recogniser added in a constructor learns it when
    // the view is first added to a superview), null when removed or when the view
    // goes away. Adding one twice keeps one entry.
    template <typename Recognizer>
    void addGestureRecognizer(const std::shared_ptr<Recognizer>& recognizer) {
        if (!recognizer) {
            return;
        }
        const std::weak_ptr<Recognizer> weak = recognizer;
        appendGestureRecognizer(recognizer, [weak](const UIViewPtr& view) {
            if (const auto attached = weak.lock()) {
                attached->setView(view);
            }
        });
    }
    template <typename Recognizer>
    void removeGestureRecognizer(const std::shared_ptr<Recognizer>& recognizer) {
        eraseGestureRecognizer(recognizer.get());
    }
    const std::vector<std::shared_ptr<UIGestureRecognizer>>& gestureRecognizers() const {
        return gestureRecognizers_;
    }

    // Own drawing. drawRect draws in bounds coordinates (y down) into a bitmap that is
    // kept until setNeedsDisplay. The base implementation draws nothing, and a view
    // whose drawRect ends up there has no bitmap at all.
    virtual void setNeedsDisplay();
    virtual void drawRect(CGContext& context, const CGRect& rect);

    // Size and layout.
    virtual CGSize sizeThatFits(CGSize size) const;
    void sizeToFit();
    void setNeedsLayout();
    bool needsLayout() const { return needsLayout_; }
    // Lays out this view (when needed) and then its subviews, top-down.
    void layoutIfNeeded();
    virtual void layoutSubviews();

    // Hooks of the tree, called after the change (willRemoveSubview before it).
    virtual void didAddSubview(const UIViewPtr& subview);
    virtual void willRemoveSubview(const UIViewPtr& subview);
    virtual void didMoveToSuperview();
    virtual void didMoveToWindow();

    // Values attached to the view by key (the platform's associated objects).
    void setAssociatedValue(const std::string& key, std::shared_ptr<void> value);
    std::shared_ptr<void> associatedValue(const std::string& key) const;

    // Animates the property changes made by animations: they take their new values at
    // once, and the screen follows over duration seconds after delay. completion (may
    // be empty) runs once on the main queue: finished is false when another animation
    // of one of the same properties replaced this one before it ended.
    static void animate(double duration, double delay, unsigned options,
                        const std::function<void()>& animations,
                        std::function<void(bool finished)> completion = {});
    static void animate(double duration, const std::function<void()>& animations,
                        std::function<void(bool finished)> completion = {});

    // What the screen shows now: the properties as running animations present them.
    CGRect presentationBounds() const;
    CGPoint presentationCenter() const;
    CATransform3D presentationLayerTransform() const;
    double presentationAlpha() const;
    UIColor presentationBackgroundColor() const;

    // Called as an animation of one of the layer's own keys (CALayer::setValueForKey)
    // moves on; the default redraws the view (setNeedsDisplay).
    virtual void presentationValueDidChange(const std::string& keyPath);

    // The renderer's bookkeeping of the view's own drawing.
    struct DrawingCache;
    DrawingCache& drawingCache() { return *drawingCache_; }
    // True when something this view shows has changed since the window last drew it.
    void setNeedsRedraw();

protected:
    // Called on the root of the tree when something in it needs painting again (the
    // window schedules a paint).
    virtual void treeNeedsRedraw();

private:
    using RecognizerViewSetter = std::function<void(const UIViewPtr& view)>;
    void appendGestureRecognizer(std::shared_ptr<UIGestureRecognizer> recognizer,
                                 RecognizerViewSetter setView);
    void eraseGestureRecognizer(const UIGestureRecognizer* recognizer);
    void attachPendingGestureRecognizers();
    void insertSubview(const UIViewPtr& view, std::size_t index);
    void detachSubview(const UIView& view);
    void notifyWindowChange(const std::shared_ptr<UIWindow>& oldWindow);
    void boundsSizeDidChange(CGSize oldSize);
    void resizeSubviews(CGSize oldSize);
    // Points of this view's bounds to its superview's coordinates, and back.
    CGPoint pointToSuperview(CGPoint point) const;
    CGPoint pointFromSuperview(CGPoint point) const;
    CGPoint pointToRoot(CGPoint point) const;
    CGPoint pointFromRoot(CGPoint point) const;

    // The superview owns this view, and clears this when it goes away.
    UIView* superview_ = nullptr;
    std::vector<UIViewPtr> subviews_;
    CGRect bounds_;
    CGPoint center_;
    CATransform3D transform_;
    double alpha_ = 1.0;
    bool hidden_ = false;
    bool clipsToBounds_ = false;
    UIColor backgroundColor_ = UIColor::clearColor();
    UIViewContentMode contentMode_ = UIViewContentMode::ScaleToFill;
    int tag_ = 0;
    bool userInteractionEnabled_ = true;
    bool multipleTouchEnabled_ = false;
    unsigned autoresizingMask_ = UIViewAutoresizingNone;
    bool autoresizesSubviews_ = true;
    bool needsLayout_ = true;
    std::vector<std::shared_ptr<UIGestureRecognizer>> gestureRecognizers_;
    // Set each recogniser's view, by position.
    std::vector<RecognizerViewSetter> gestureRecognizerViewSetters_;
    bool gestureRecognizersPendingAttach_ = false;
    std::unordered_map<std::string, std::shared_ptr<void>> associatedValues_;
    std::unique_ptr<DrawingCache> drawingCache_;
    CALayer layer_;
};
