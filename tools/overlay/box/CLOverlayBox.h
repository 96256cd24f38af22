#pragma once

#include <memory>

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/gestures/UIPanGestureRecognizer.h"
#include "platform/ui/view/UIButton.h"
#include "platform/ui/view/UIView.h"
#include "tools/overlay/box/CLActiveBoxSlot.h"
#include "tools/overlay/pickers/CLCircleView.h"

// A box over the picture that the user moves, turns, scales and deletes: its content
// (a text label, a sticker's image) sits 16 points inside the box's edges, scaled by
// scale(); a delete button is centred on the content's top-left corner and a round
// handle on its bottom-right one. Dragging the content moves the box; dragging the
// handle turns the box about its centre with the finger and scales it with the
// finger's distance from the centre, never below the box's minimum scale. Only the
// active box of its slot shows the button, the handle and a thin frame around the
// content; a touch on the box outside them and the content goes to what lies below.
//
// Derived boxes make their content, call the constructor and layoutAroundContent,
// then initGestures() once the box is owned by a shared pointer.
class CLOverlayBox : public UIView {
public:
    static constexpr double kMargin = 16;
    static constexpr double kButtonSide = 32;
    static constexpr double kStartSide = 132;
    static constexpr double kHandleRadius = 0.7;
    static constexpr double kHandleBorderWidth = 5;
    // The content's frame and corner radius, on screen whatever the scale.
    static constexpr double kFrameWidth = 1;
    static constexpr double kFrameCornerRadius = 3;

    // Where a box is: what a renderer needs to draw its content as the screen shows it.
    struct Placement {
        // In the box's parent's coordinates.
        CGPoint center;
        double rotation = 0;
        double scale = 1;
        // The content's own (unscaled) size.
        CGSize contentSize;

        // Maps the content's own coordinates into the parent's under context's transform.
        void applyTo(CGContext& context) const;
    };

    CLOverlayBox(UIViewPtr content, const UIImagePtr& deleteImage, CLActiveBoxSlot& slot,
                 double minimumScale);

    const UIViewPtr& contentView() const { return content_; }
    const UIButtonPtr& deleteButton() const { return deleteButton_; }
    const CLCircleViewPtr& circleView() const { return circleView_; }
    double minimumScale() const { return minimumScale_; }

    double scale() const { return scale_; }
    // Scales the content about the box's centre, turned by arg().
    void setScale(double scale);
    // The box's turn, in radians.
    double arg() const { return arg_; }
    void setArg(double arg);
    Placement placement() const;

    bool active() const { return !deleteButton_->isHidden(); }
    // Shows or hides the decorations (the slot calls it; use makeActive).
    void setAvtive(bool active);
    void makeActive();

    // The content at its own size, at the content's place; then scale.
    void layoutContent(CGSize size, double scale);

    UIViewPtr hitTest(CGPoint point, const UIEvent* event) override;

    // Gesture actions.
    void viewDidPan(UIPanGestureRecognizer& sender);
    void circleViewDidPan(UIPanGestureRecognizer& sender);
    virtual void viewDidTap();
    // Activates the next box of the same slot above this one, else the nearest below,
    // else none, and takes this box away.
    void pushedDeleteBtn();

protected:
    // At creation: the box fitted around the content at its own size, the button and
    // the handle on its corners, scale 1.
    void layoutAroundContent(CGSize size);
    void initGestures();

private:
    std::shared_ptr<CLOverlayBox> self();

    UIViewPtr content_;
    UIButtonPtr deleteButton_;
    CLCircleViewPtr circleView_;
    CLActiveBoxSlot* slot_;
    double minimumScale_;
    double scale_ = 1;
    double arg_ = 0;
    // A move's starting centre, or a handle drag's starting handle position.
    CGPoint initialPoint_;
    double initialArg_ = 0;
    double initialScale_ = 1;
    // Of the handle about the centre when its drag began.
    double startRadius_ = 0;
    double startAngle_ = 0;
};

using CLOverlayBoxPtr = std::shared_ptr<CLOverlayBox>;
