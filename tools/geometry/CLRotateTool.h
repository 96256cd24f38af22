#pragma once

#include <memory>

#include "core/CLBackgroundRender.h"
#include "core/CLImageToolBase.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/controls/UISlider.h"
#include "platform/ui/view/UIImageView.h"
#include "tools/geometry/CLRotatePanel.h"
#include "tools/geometry/CLRotateState.h"

// Turns the picture by any angle and mirrors it. While the tool is current a second
// image view shows the picture under the live transform in place of the editor's, a
// thin frame outlines the turned picture (or, with crop-rotate, the frame that will be
// kept), a slider sets the angle and a strip offers a quarter turn and the two mirrors.
// "OK" renders the full-size picture under the same transform in the background.
class CLRotateTool : public CLImageToolBase {
public:
    static constexpr const char* kClassName = "CLRotateTool";
    static constexpr double kSliderWidth = 260;
    static constexpr double kSliderHeight = 30;
    // The backing's centre sits this far above the strip.
    static constexpr double kSliderLift = 30;
    // Without crop-rotate the turned picture keeps this share of the viewing area.
    static constexpr double kFitMargin = 0.95;

    enum MenuTag { kQuarterTurn = 0, kFlipHorizontal = 1, kFlipVertical = 2 };

    static std::string defaultTitle();
    static bool isAvailable();
    static std::optional<ValueDictionary> optionalInfo();

    // The full-size picture turned and mirrored as state says, with transparent
    // corners; with crop-rotate cut back to the largest centred rectangle of the
    // starting frame's aspect. Safe from any thread.
    static UIImagePtr buildImage(const UIImagePtr& image, const CLRotateState& state,
                                 CGSize initialSize, bool cropRotate);
    // The centred rectangle of input's proportions, as large as fits inside the turned
    // picture rendered.
    static UIImagePtr cropAdjustImage(const UIImagePtr& rendered, const UIImagePtr& input,
                                      CGSize initialSize, double angle);

    using CLImageToolBase::CLImageToolBase;

    void setup() override;
    void cleanup() override;
    void executeWithCompletionBlock(CompletionBlock completion) override;

    void tappedMenu(UIView& item);
    // Recomputes the live transform and the outline.
    void rotateStateDidChange();

    const CLRotateState& state() const { return state_; }
    const std::shared_ptr<UISlider>& rotateSlider() const { return rotateSlider_; }
    const UIScrollViewPtr& menuScroll() const { return menuScroll_; }
    const CLRotatePanelPtr& gridView() const { return gridView_; }
    const UIImageViewPtr& rotateImageView() const { return rotateImageView_; }

private:
    void makeSlider();
    void setMenu();
    void showRotatingView();

    bool executed_ = false;
    bool cropRotate_ = false;
    CGRect initialRect_;
    CLRotateState state_;
    std::shared_ptr<UISlider> rotateSlider_;
    UIScrollViewPtr menuScroll_;
    CLRotatePanelPtr gridView_;
    UIImageViewPtr rotateImageView_;
    CLBackgroundRender render_ = CLBackgroundRender::everyRequest();
};
