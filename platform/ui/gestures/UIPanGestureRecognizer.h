#pragma once

#include <deque>
#include <limits>

#include "platform/ui/gestures/UIGestureRecognizer.h"

// A continuous gesture: fingers (between the minimum and the maximum number) drag
// together. It begins once their centroid has moved kBeginDistance points from where
// it touched down, and changes with every move; it ends when fewer than the minimum
// remain. With more fingers down than the maximum before it begins, it fails; after
// it has begun, fingers beyond the maximum are ignored.
//
// The translation is measured from where the fingers touched down, so a dragged
// object stays under the finger; adding or lifting a finger does not make it jump.
class UIPanGestureRecognizer : public UIGestureRecognizer {
public:
    static constexpr double kBeginDistance = 10;

    std::size_t minimumNumberOfTouches() const { return minimumTouches_; }
    void setMinimumNumberOfTouches(std::size_t count) { minimumTouches_ = count < 1 ? 1 : count; }
    std::size_t maximumNumberOfTouches() const { return maximumTouches_; }
    void setMaximumNumberOfTouches(std::size_t count) { maximumTouches_ = count < 1 ? 1 : count; }

    // In view's coordinates (null: the window's).
    CGPoint translationInView(const UIView* view) const;
    void setTranslation(CGPoint translation, const UIView* view);
    // Points per second over the last moments of the movement, in view's coordinates.
    CGPoint velocityInView(const UIView* view) const;

protected:
    void touchesBegan(const UITouchSet& touches, const UIEvent& event) override;
    void touchesMoved(const UITouchSet& touches, const UIEvent& event) override;
    void touchesEnded(const UITouchSet& touches, const UIEvent& event) override;
    void didReset() override;

private:
    struct Sample {
        double time;
        CGPoint location;
    };

    std::size_t countedTouches() const;
    CGPoint centroid() const;
    // Keeps the translation where it was while the set of fingers changes.
    void rebaseAfter(CGPoint previousCentroid);
    void addSample();
    void follow();

    std::size_t minimumTouches_ = 1;
    std::size_t maximumTouches_ = std::numeric_limits<std::size_t>::max();
    // The translation is the centroid minus this point (window coordinates).
    CGPoint origin_;
    std::deque<Sample> samples_;
};
