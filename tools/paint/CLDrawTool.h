#pragma once

#include <memory>
#include <optional>

#include "core/CLBackgroundRender.h"
#include "core/CLImageToolBase.h"
#include "platform/graphics/UIColor.h"
#include "platform/ui/controls/UISlider.h"
#include "tools/paint/CLPaintPanel.h"
#include "tools/paint/CLPaintSurface.h"
#include "tools/paint/CLStrokeCanvas.h"

// Freehand drawing over the picture. One finger paints into a transparent overlay the
// size of the picture on screen, in the colour of the colour bar and the width of the
// width bar, or erases what was painted; two fingers pan and zoom. "OK" lays the
// overlay, stretched, over the full-size picture in the background.
class CLDrawTool : public CLImageToolBase {
public:
    static constexpr const char* kClassName = "CLDrawTool";
    static constexpr double kColorSliderTop = 5;
    static constexpr double kSliderGap = 5;
    // Where the colour bar's greys end, and its hues begin.
    static constexpr double kWhiteValue = 0.3;
    static constexpr double kFirstHueValue = 1.0 / 3;

    static std::string defaultTitle();
    static bool isAvailable() { return true; }
    static double defaultDockedNumber(const RuntimeClass&) { return 4.5; }
    static std::optional<ValueDictionary> optionalInfo();

    // The colour bar: greys from black at 0 to white from 0.3 on, then from 1/3 the
    // hues of its gradient, red, yellow, green, cyan, to blue at 1.
    static UIColor colorForValue(double value);
    // The colour bar's track: its gradient on a thin rounded bar, at the screen's scale.
    static UIImagePtr colorSliderBackground(CGSize size);
    // The picture with overlay stretched over it, at the picture's size and scale (just
    // the picture without an overlay). Safe from any thread.
    static UIImagePtr buildImage(const UIImagePtr& picture, const UIImagePtr& overlay);

    using CLImageToolBase::CLImageToolBase;

    void setup() override;
    void cleanup() override;
    void executeWithCompletionBlock(CompletionBlock completion) override;

    void colorSliderDidChange();
    // One segment into the overlay: paints, or erases in eraser mode.
    void drawLine(CGPoint from, CGPoint to);

    const std::shared_ptr<CLPaintPanel>& menuView() const { return menuView_; }
    const std::shared_ptr<UISlider>& colorSlider() const { return colorSlider_; }
    const UIImageViewPtr& drawingView() const { return surface_->drawingView(); }

private:
    void setMenu();

    UIImagePtr originalImage_;
    std::shared_ptr<CLPaintPanel> menuView_;
    std::shared_ptr<UISlider> colorSlider_;
    std::shared_ptr<CLPaintSurface> surface_;
    std::optional<CLStrokeCanvas> overlay_;
    CLBackgroundRender render_ = CLBackgroundRender::everyRequest();
};
