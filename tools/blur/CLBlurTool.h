#pragma once

#include <atomic>
#include <memory>

#include "core/CLBackgroundRender.h"
#include "core/CLImageToolBase.h"
#include "platform/ui/controls/UIScrollView.h"
#include "platform/ui/controls/UISlider.h"
#include "platform/ui/gestures/UIGestureRecognizerDelegate.h"
#include "platform/ui/gestures/UIPanGestureRecognizer.h"
#include "platform/ui/gestures/UIPinchGestureRecognizer.h"
#include "platform/ui/gestures/UIRotationGestureRecognizer.h"
#include "tools/blur/CLBlurBand.h"
#include "tools/blur/CLBlurCircle.h"
#include "tools/blur/CLBlurComposer.h"

// Blurs the whole picture, everything outside a circle, or everything outside a
// straight band ("Blur & Focus"). A slider sets the strength, a strip the mode; in
// circle and band mode the sharp zone is placed with taps, drags, pinches and turns on
// a view over the picture. A display-size preview follows in the background; "OK"
// renders the same at full size.
class CLBlurTool : public CLImageToolBase, public UIGestureRecognizerDelegate {
public:
    static constexpr const char* kClassName = "CLBlurTool";
    static constexpr double kStartLevel = 0.2;
    static constexpr double kMinimumBandScale = 0.2;
    static constexpr double kMaximumBandScale = 2.0;

    static std::string defaultTitle();
    static bool isAvailable();
    static std::optional<ValueDictionary> optionalInfo();
    // True while a preview composition runs; changes meanwhile wait for it.
    static bool isComposing() { return composing_.load(); }

    using CLImageToolBase::CLImageToolBase;

    void setup() override;
    void cleanup() override;
    void executeWithCompletionBlock(CompletionBlock completion) override;

    void sliderDidChange();
    void buildThumbnailImage();
    void tappedBlurMenu(UIView& item);
    void tapHandlerView(UIGestureRecognizer& sender);
    void pinchHandlerView(UIPinchGestureRecognizer& sender);
    void rotateHandlerView(UIRotationGestureRecognizer& sender);
    std::optional<bool> gestureRecognizerShouldRecognizeSimultaneouslyWith(
        UIGestureRecognizer&, UIGestureRecognizer&) override {
        return true;
    }

    // What a render needs now, from the indicators and the mode.
    CLBlurComposer composer() const;

    int blurType() const { return blurType_; }
    const std::shared_ptr<UISlider>& blurSlider() const { return blurSlider_; }
    const UIScrollViewPtr& menuScroll() const { return menuScroll_; }
    const UIViewPtr& handlerView() const { return handlerView_; }
    const std::shared_ptr<CLBlurCircle>& circleView() const { return circleView_; }
    const std::shared_ptr<CLBlurBand>& bandView() const { return bandView_; }
    const CGRect& bandImageRect() const { return bandImageRect_; }

private:
    void setBlurMenu();
    void setHandlerView();
    void setDefaultParams();

    static std::atomic<bool> composing_;

    UIImagePtr originalImage_;
    UIImagePtr thumbnailImage_;
    UIImagePtr blurImage_;
    std::shared_ptr<UISlider> blurSlider_;
    UIScrollViewPtr menuScroll_;
    UIViewPtr handlerView_;
    std::shared_ptr<CLBlurCircle> circleView_;
    std::shared_ptr<CLBlurBand> bandView_;
    CGRect bandImageRect_;
    int blurType_ = CLBlurComposer::kNormal;
    UIImagePtr circleMask_;
    UIImagePtr bandMask_;
    // Where a pinch or turn started from.
    double pinchStartScale_ = 1;
    CGRect pinchStartFrame_;
    double rotationStart_ = 0;
    CLBackgroundRender blur_ = CLBackgroundRender::latestWins();
    CLBackgroundRender compose_ =
        CLBackgroundRender::dropWhileBusy(composing_, CLBackgroundRender::Refused::CaughtUp);
};
