#pragma once

#include <memory>
#include <optional>

#include "core/CLBackgroundRender.h"
#include "core/CLImageToolBase.h"
#include "tools/paint/CLPaintPanel.h"
#include "tools/paint/CLPaintSurface.h"
#include "tools/paint/CLStrokeCanvas.h"

// Colour splash: the picture turns grey and one finger paints its own colours back, or
// paints the grey back with the eraser; two fingers pan and zoom. What is painted is a
// mask, white where colour shows, which cuts a grey copy laid over the colour picture.
// "OK" makes the same at full size in the background.
class CLSplashTool : public CLImageToolBase {
public:
    static constexpr const char* kClassName = "CLSplashTool";
    // The grey copy shown while painting has this many pixels per point of the view.
    static constexpr double kGrayPreviewScale = 2;

    static std::string defaultTitle();
    static bool isAvailable() { return true; }
    static double defaultDockedNumber(const RuntimeClass&) { return 4.6; }
    static std::optional<ValueDictionary> optionalInfo();

    // The grey copy to show in a view of viewSize: the picture fitted into twice that
    // size in pixels, grey, standing as the picture stands.
    static UIImagePtr grayPreviewImage(const UIImagePtr& picture, CGSize viewSize);
    // The picture at its size and scale with its full-resolution grey copy laid over it
    // where mask (stretched over it) is dark; without a mask, the whole grey copy, as
    // the screen shows before the first stroke. Safe from any thread.
    static UIImagePtr buildImage(const UIImagePtr& picture, const UIImagePtr& mask);

    using CLImageToolBase::CLImageToolBase;

    void setup() override;
    void cleanup() override;
    void executeWithCompletionBlock(CompletionBlock completion) override;

    // One segment into the mask: white reveals the colour, black in eraser mode hides it.
    void drawLine(CGPoint from, CGPoint to);

    const std::shared_ptr<CLPaintPanel>& menuView() const { return menuView_; }
    const UIImageViewPtr& drawingView() const { return surface_->drawingView(); }
    const UIImagePtr& grayImage() const { return grayImage_; }
    // Null until the first stroke.
    const UIImagePtr& maskImage() const { return maskImage_; }

private:
    UIImagePtr originalImage_;
    UIImagePtr grayImage_;
    UIImagePtr maskImage_;
    std::shared_ptr<CLPaintPanel> menuView_;
    std::shared_ptr<CLPaintSurface> surface_;
    std::optional<CLStrokeCanvas> mask_;
    CLBackgroundRender render_ = CLBackgroundRender::everyRequest();
};
