#pragma once

#include <memory>
#include <optional>

#include "platform/ui/view/UIView.h"
#include "tools/overlay/pickers/CLCircleView.h"

class _CLHueCircleView;

// Hears every change of the hue circle's colour. Optional: the default does nothing.
class _CLHueCircleViewDelegate {
public:
    virtual ~_CLHueCircleViewDelegate() = default;
    virtual void hueCircleViewDidChange(_CLHueCircleView& /*hueCircle*/) {}
};

// The colour picker's hue ring with a draggable marker. The marker's angle about the
// centre is the hue (measured from +x towards +y, as the screen's y runs down), its
// distance from the centre over the ring's radius the brightness; saturation and
// alpha are set from outside. Hue and brightness are read back from the marker's
// position every time. A tap anywhere, or a drag of the marker, moves the marker
// there, kept within the ring.
class _CLHueCircleView : public UIView {
public:
    struct Components {
        double hue;
        double saturation;
        double brightness;
        double alpha;
    };

    // The marker's side and its disc as a part of it.
    static constexpr double kMarkerSide = 40;
    static constexpr double kMarkerRadius = 0.6;
    static constexpr double kMarkerBorderWidth = 3;
    // Segments of the drawn ring; each overlaps the next by half a segment.
    static constexpr int kRingSegments = 320;

    // Adds its tap and pan recognisers, so it is made through create.
    static std::shared_ptr<_CLHueCircleView> create(const CGRect& frame);

    std::shared_ptr<_CLHueCircleViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<_CLHueCircleViewDelegate> delegate) {
        delegate_ = std::move(delegate);
    }
    const CLCircleViewPtr& circleView() const { return circleView_; }

    // In (0, 1]: a marker on the +x axis reads 1.
    double hue() const;
    // The marker's distance from the centre over the ring's radius, at most 1.
    double brightness() const;
    double saturation() const { return saturation_; }
    double alpha() const { return alpha_; }
    // The marker's colour: hue, saturation, brightness and alpha together.
    const UIColor& color() const { return circleView_->color(); }
    // From the colour's hue, saturation, brightness and alpha, or, for a grey, from
    // hue 0, saturation 0 and brightness the grey level; a pattern changes nothing.
    void setColor(const UIColor& color);
    // A brightness of 0 keeps the saturation at 1, so that a brighter colour chosen
    // later shows its hue at full strength.
    void setColorWithHueSaturationBrightnessAlpha(double hue, double saturation, double brightness,
                                                  double alpha);
    void setColorSaturation(double saturation);
    void setColorAlpha(double alpha);
    // A colour's components as the ring takes them: a grey has hue 0, saturation 0 and
    // its grey level as brightness; a pattern has none.
    static std::optional<Components> componentsOfColor(const UIColor& color);
    // The ring's radius: 0.4 of the smaller side.
    double circleRadius() const;
    // Moves the marker to point (this view's coordinates), at most the ring's radius
    // from the centre at the point's angle.
    void setCircleViewToPoint(CGPoint point);

    void setFrame(const CGRect& frame) override;
    void drawRect(CGContext& context, const CGRect& rect) override;

    struct Token {};
    _CLHueCircleView(Token, const CGRect& frame);

private:
    CGPoint ringCenter() const;
    void placeMarker(double angle, double distance);
    void colorStateDidChange();

    CLCircleViewPtr circleView_;
    double saturation_ = 1.0;
    double alpha_ = 1.0;
    std::weak_ptr<_CLHueCircleViewDelegate> delegate_;
};

using _CLHueCircleViewPtr = std::shared_ptr<_CLHueCircleView>;
