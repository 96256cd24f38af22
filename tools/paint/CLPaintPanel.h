#pragma once

#include <functional>
#include <memory>

#include "platform/graphics/UIImage.h"
#include "platform/ui/controls/UISlider.h"
#include "platform/ui/view/UIImageView.h"
#include "platform/ui/view/UIView.h"

class CLEditorServices;

// The painting tools' panel over the editor's strip, with its frame and colour: the
// width bar with its wedge, and at the right the stroke preview, a disc whose size
// shows the width, on a switch between painting and erasing. The draw tool adds its
// colour bar above the width bar.
class CLPaintPanel : public UIView {
public:
    static constexpr double kSliderHeight = 34;
    static constexpr double kSliderLeft = 10;
    // Room at the right for the preview, and the sliders' margins.
    static constexpr double kSliderWidthLeftOver = 70 + 20;
    static constexpr double kPreviewSide = 65;
    static constexpr double kPreviewCentreFromRight = 35;
    static constexpr double kWidthSliderStart = 0.1;
    // The widest stroke, at the width bar's end.
    static constexpr double kMaximumLineWidth = 65;
    static constexpr double kSmallestPreviewScale = 0.05;
    // The preview's ring, in points on screen whatever its scale.
    static constexpr double kPreviewRing = 2;

    // A panel with its width bar at widthSliderTop, not yet on screen: add it to the
    // editor's view and slide it in.
    static std::shared_ptr<CLPaintPanel> create(CLEditorServices& editor, double widthSliderTop,
                                                UIImagePtr eraserImage);

    // A bar of the panel: (0, 0, width, 34), no track pictures, a white thumb.
    static std::shared_ptr<UISlider> defaultSliderWithWidth(double width);
    // A wedge from a thin rounded tip at the left to a round end at the right, in the
    // toolbar text colour at alpha 0.5, at the screen's scale.
    static UIImagePtr widthSliderBackground(CGSize size);
    // Points of a stroke for a width bar value, in single precision as drawn: at least 1.
    static float lineWidthForValue(double value);

    explicit CLPaintPanel(const CGRect& frame) : UIView(frame) {}

    double sliderWidth() const { return bounds().width() - kSliderWidthLeftOver; }
    float lineWidth() const { return lineWidthForValue(widthSlider_->value()); }
    // The eraser is on while its icon shows.
    bool isErasing() const { return !eraserIcon_->isHidden(); }
    // The preview's colour and that of the disc behind it.
    void setStrokeColor(const UIColor& color);
    // Called after each switch between painting and erasing.
    void setEraserSwitched(std::function<void(bool erasing)> switched) {
        eraserSwitched_ = std::move(switched);
    }

    void widthSliderDidChange();
    void strokePreviewDidTap();

    const std::shared_ptr<UISlider>& widthSlider() const { return widthSlider_; }
    const UIViewPtr& strokePreview() const { return strokePreview_; }
    const UIViewPtr& strokePreviewBackground() const { return strokePreviewBackground_; }
    const UIImageViewPtr& eraserIcon() const { return eraserIcon_; }

private:
    void setMenu(double widthSliderTop, UIImagePtr eraserImage);

    std::shared_ptr<UISlider> widthSlider_;
    UIViewPtr strokePreview_;
    UIViewPtr strokePreviewBackground_;
    UIImageViewPtr eraserIcon_;
    std::function<void(bool erasing)> eraserSwitched_;
};
