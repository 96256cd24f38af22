#pragma once

#include <array>
#include <atomic>
#include <memory>

#include "core/CLBackgroundRender.h"
#include "core/CLImageToolBase.h"
#include "platform/ui/view/UIButton.h"
#include "tools/tonecurve/CLToneCurveView.h"

// Bends a five-point tone curve on a translucent panel that rises from the bottom of
// the editor; the panel folds down to the strip and back. When a drag ends (or the
// curve is reset) a display-size preview renders in the background through the
// engine's "CIToneCurve"; "OK" renders the same at full size.
class CLToneCurveTool : public CLImageToolBase, public CLToneCurveGridDelegate {
public:
    static constexpr const char* kClassName = "CLToneCurveTool";
    static constexpr double kPanelHeight = 280;
    using Points = std::array<Vector, CLToneCurveView::kPointCount>;

    static std::string defaultTitle();
    static bool isAvailable();
    static std::optional<ValueDictionary> optionalInfo();

    // image through the curve of points. Safe from any thread.
    static UIImagePtr filteredImage(const UIImagePtr& image, const Points& points);
    static bool isRendering() { return rendering_.load(); }

    using CLImageToolBase::CLImageToolBase;

    void setup() override;
    void cleanup() override;
    void executeWithCompletionBlock(CompletionBlock completion) override;
    void toneCurveDidChange(CLToneCurveView& view) override;

    void pushedHideBtn();
    void pushedResetBtn();

    const UIViewPtr& menuContainer() const { return menuContainer_; }
    const CLToneCurveViewPtr& tonecurveView() const { return tonecurveView_; }
    const std::shared_ptr<UIButton>& hideButton() const { return hideButton_; }
    const std::shared_ptr<UIButton>& resetButton() const { return resetButton_; }

private:
    std::shared_ptr<UIButton> makeButton(const CGRect& frame, const std::string& key,
                                         const std::string& defaultImageName,
                                         void (CLToneCurveTool::*action)());

    static std::atomic<bool> rendering_;

    UIImagePtr originalImage_;
    UIImagePtr thumbnailImage_;
    UIViewPtr menuContainer_;
    CLToneCurveViewPtr tonecurveView_;
    std::shared_ptr<UIButton> hideButton_;
    std::shared_ptr<UIButton> resetButton_;
    CLBackgroundRender render_ =
        CLBackgroundRender::dropWhileBusy(rendering_, CLBackgroundRender::Refused::CaughtUp);
};
