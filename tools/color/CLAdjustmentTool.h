#pragma once

#include <atomic>
#include <memory>

#include "core/CLBackgroundRender.h"
#include "core/CLImageToolBase.h"
#include "platform/ui/controls/UISlider.h"

// Saturation, brightness and contrast, with three sliders over the picture: a level
// one above the strip and two upright ones at the left and right edges. Every change
// renders a display-size preview in the background; "OK" renders the same at full size.
class CLAdjustmentTool : public CLImageToolBase {
public:
    static constexpr const char* kClassName = "CLAdjustmentTool";

    // The three slider values a render reads.
    struct Values {
        float saturation = 1;
        float brightness = 0;
        float contrast = 1;
    };

    static std::string defaultTitle();
    static bool isAvailable();
    static std::optional<ValueDictionary> optionalInfo();

    // One pass of "CIColorControls" (saturation), "CIExposureAdjust" (2 × brightness
    // stops) and "CIGammaAdjust" (contrast squared). Safe from any thread.
    static UIImagePtr filteredImage(const UIImagePtr& image, const Values& values);
    // True while a preview renders; the newest change meanwhile renders after it.
    static bool isRendering() { return rendering_.load(); }

    using CLImageToolBase::CLImageToolBase;

    void setup() override;
    void cleanup() override;
    void executeWithCompletionBlock(CompletionBlock completion) override;

    void sliderDidChange();
    Values values() const;

    const std::shared_ptr<UISlider>& saturationSlider() const { return saturationSlider_; }
    const std::shared_ptr<UISlider>& brightnessSlider() const { return brightnessSlider_; }
    const std::shared_ptr<UISlider>& contrastSlider() const { return contrastSlider_; }

private:
    std::shared_ptr<UISlider> sliderWithValue(double value, double minimum, double maximum);
    void setIconForSlider(UISlider& slider, const std::string& key,
                          const std::string& defaultIconName) const;
    void setupSlider();

    static std::atomic<bool> rendering_;

    UIImagePtr originalImage_;
    UIImagePtr thumbnailImage_;
    std::shared_ptr<UISlider> saturationSlider_;
    std::shared_ptr<UISlider> brightnessSlider_;
    std::shared_ptr<UISlider> contrastSlider_;
    CLBackgroundRender render_ =
        CLBackgroundRender::dropWhileBusy(rendering_, CLBackgroundRender::Refused::CaughtUp);
};
