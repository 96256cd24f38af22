#include "tools/color/CLAdjustmentTool.h"

#include <numbers>

#include "core/CLBackedSlider.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/engine/CIContext.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "imaging/operations/UIImageUtility.h"

namespace {

constexpr CGSize kSliderSize{240, 35};
// The level slider sits this far above the strip, the upright ones this far above it
// and this far in from the edges.
constexpr double kSaturationLift = 30;
constexpr double kUprightLift = 150;
constexpr double kUprightInset = 20;

}  // namespace

std::atomic<bool> CLAdjustmentTool::rendering_{false};

std::string CLAdjustmentTool::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLAdjustmentTool_DefaultTitle",
                                                          "Adjustment");
}

bool CLAdjustmentTool::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 5.0;
}

std::optional<ValueDictionary> CLAdjustmentTool::optionalInfo() {
    return ValueDictionary{
        {"saturationIconAssetsName", ""},
        {"brightnessIconAssetsName", ""},
        {"contrastIconAssetsName", ""},
    };
}

UIImagePtr CLAdjustmentTool::filteredImage(const UIImagePtr& image, const Values& values) {
    return CIContext::contextWithOptions({{kCIContextUseSoftwareRenderer, false}})
        ->filteredImage(image,
                        {
                            {"CIColorControls", {{"inputSaturation", values.saturation}}},
                            {"CIExposureAdjust", {{"inputEV", 2 * values.brightness}}},
                            {"CIGammaAdjust", {{"inputPower", values.contrast * values.contrast}}},
                        });
}

void CLAdjustmentTool::setup() {
    const auto editor = this->editor();
    originalImage_ = editor->imageView()->image();
    thumbnailImage_ = UIImageUtility::resize(originalImage_, editor->imageView()->frame().size);
    editor->fixZoomScaleWithAnimated(true);
    setupSlider();
}

std::shared_ptr<UISlider> CLAdjustmentTool::sliderWithValue(double value, double minimum,
                                                            double maximum) {
    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    return CLBackedSlider::make(
        kSliderSize, static_cast<float>(value), static_cast<float>(minimum),
        static_cast<float>(maximum),
        [weakSelf](UIControl&) {
            if (const auto tool = std::static_pointer_cast<CLAdjustmentTool>(weakSelf.lock())) {
                tool->sliderDidChange();
            }
        },
        *editor()->view());
}

void CLAdjustmentTool::setIconForSlider(UISlider& slider, const std::string& key,
                                        const std::string& defaultIconName) const {
    const UIImagePtr icon = imageForKeyDefaultImageName(key, defaultIconName);
    slider.setThumbImage(icon, UIControlStateNormal);
    slider.setThumbImage(icon, UIControlStateHighlighted);
}

void CLAdjustmentTool::setupSlider() {
    const auto editor = this->editor();
    const double width = editor->view()->bounds().width();
    const auto upright = CGAffineTransform::makeRotation(-std::numbers::pi / 2);

    saturationSlider_ = sliderWithValue(1, 0, 2);
    const UIViewPtr saturation = saturationSlider_->superview();
    saturation->setCenter({width / 2, editor->menuView()->frame().minY() - kSaturationLift});
    setIconForSlider(*saturationSlider_, "saturationIconAssetsName", "saturation.png");

    brightnessSlider_ = sliderWithValue(0, -1, 1);
    const UIViewPtr brightness = brightnessSlider_->superview();
    brightness->setCenter({kUprightInset, saturation->frame().minY() - kUprightLift});
    brightness->setTransform(upright);
    setIconForSlider(*brightnessSlider_, "brightnessIconAssetsName", "brightness.png");

    contrastSlider_ = sliderWithValue(1, 0.5, 1.5);
    const UIViewPtr contrast = contrastSlider_->superview();
    contrast->setCenter({width - kUprightInset, brightness->center().y});
    contrast->setTransform(upright);
    setIconForSlider(*contrastSlider_, "contrastIconAssetsName", "contrast.png");
}

CLAdjustmentTool::Values CLAdjustmentTool::values() const {
    return {static_cast<float>(saturationSlider_->value()),
            static_cast<float>(brightnessSlider_->value()),
            static_cast<float>(contrastSlider_->value())};
}

void CLAdjustmentTool::sliderDidChange() {
    render_.start(
        *this, CLBackgroundRender::Wait::Preview,
        [thumbnail = thumbnailImage_, values = values()] {
            return filteredImage(thumbnail, values);
        },
        [this](const UIImagePtr& preview) { editor()->imageView()->setImage(preview); });
}

void CLAdjustmentTool::executeWithCompletionBlock(CompletionBlock completion) {
    render_.execute(
        *this,
        [original = originalImage_, values = values()] { return filteredImage(original, values); },
        std::move(completion));
}

void CLAdjustmentTool::cleanup() {
    for (const auto& slider : {saturationSlider_, brightnessSlider_, contrastSlider_}) {
        slider->superview()->removeFromSuperview();
    }
    editor()->resetZoomScaleWithAnimated(true);
}
