#include "tools/tonecurve/CLToneCurveTool.h"

#include <numbers>

#include "core/CLToolAnimations.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/engine/CIContext.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "imaging/operations/UIImageUtility.h"
#include "platform/ui/animation/CABasicAnimation.h"

namespace {

constexpr double kButtonSide = 30;

}  // namespace

std::atomic<bool> CLToneCurveTool::rendering_{false};

std::string CLToneCurveTool::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLToneCurveTool_DefaultTitle",
                                                          "ToneCurve");
}

bool CLToneCurveTool::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 5.0;
}

std::optional<ValueDictionary> CLToneCurveTool::optionalInfo() {
    return ValueDictionary{{"arrowIconAssetsName", ""}, {"resetIconAssetsName", ""}};
}

UIImagePtr CLToneCurveTool::filteredImage(const UIImagePtr& image, const Points& points) {
    ValueDictionary inputs;
    for (std::size_t i = 0; i < points.size(); ++i) {
        inputs["inputPoint" + std::to_string(i)] = points[i];
    }
    return CIContext::contextWithOptions({{kCIContextUseSoftwareRenderer, false}})
        ->filteredImage("CIToneCurve", image, inputs);
}

void CLToneCurveTool::setup() {
    const auto editor = this->editor();
    const UIViewPtr& root = editor->view();
    originalImage_ = editor->imageView()->image();
    thumbnailImage_ = UIImageUtility::resize(originalImage_, editor->imageView()->frame().size);
    editor->imageView()->setImage(thumbnailImage_);

    const double width = root->bounds().width();
    menuContainer_ = std::make_shared<UIView>(
        CGRect{0, root->bounds().height() - kPanelHeight, width, kPanelHeight});
    menuContainer_->setBackgroundColor(UIColor::colorWithWhite(1, 0.6));
    root->addSubview(menuContainer_);

    tonecurveView_ = CLToneCurveView::create(menuContainer_, {10, 20, width - 80, 240});
    tonecurveView_->setDelegate(std::static_pointer_cast<CLToneCurveTool>(shared_from_this()));
    tonecurveView_->setBackgroundColor(UIColor::clearColor());
    tonecurveView_->setGridColor(UIColor::colorWithWhite(0, 0.2));
    tonecurveView_->setPointColor(UIColor::colorWithWhite(0.5, 1));
    tonecurveView_->setLineColor(UIColor::colorWithWhite(0.5, 1));
    tonecurveView_->setContinuous(false);

    const CGRect curve = tonecurveView_->frame();
    hideButton_ =
        makeButton({curve.maxX() + 20, 15, kButtonSide, kButtonSide}, "arrowIconAssetsName",
                   "btn_arrow.png", &CLToneCurveTool::pushedHideBtn);
    resetButton_ =
        makeButton({curve.maxX() + 20, curve.maxY() - 30, kButtonSide, kButtonSide},
                   "resetIconAssetsName", "btn_reset.png", &CLToneCurveTool::pushedResetBtn);
    CLToolAnimations::slideInFromBelow(menuContainer_, *root);
}

std::shared_ptr<UIButton> CLToneCurveTool::makeButton(const CGRect& frame, const std::string& key,
                                                      const std::string& defaultImageName,
                                                      void (CLToneCurveTool::*action)()) {
    auto button = UIButton::buttonWithType(UIButtonType::Custom);
    button->setFrame(frame);
    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    button->addTarget(
        [weakSelf, action](UIControl&) {
            if (const auto tool = std::static_pointer_cast<CLToneCurveTool>(weakSelf.lock())) {
                (tool.get()->*action)();
            }
        },
        UIControlEventTouchUpInside);
    button->setImage(imageForKeyDefaultImageName(key, defaultImageName), UIControlStateNormal);
    menuContainer_->addSubview(button);
    return button;
}

void CLToneCurveTool::toneCurveDidChange(CLToneCurveView& view) {
    render_.start(
        *this, CLBackgroundRender::Wait::Preview,
        [thumbnail = thumbnailImage_, points = view.points()] {
            return filteredImage(thumbnail, points);
        },
        [this](const UIImagePtr& preview) { editor()->imageView()->setImage(preview); });
}

void CLToneCurveTool::executeWithCompletionBlock(CompletionBlock completion) {
    render_.execute(
        *this,
        [original = originalImage_, points = tonecurveView_->points()] {
            return filteredImage(original, points);
        },
        std::move(completion));
}

void CLToneCurveTool::pushedHideBtn() {
    const auto editor = this->editor();
    const bool shown = menuContainer_->transform().isIdentity();
    const double down = editor->view()->bounds().height() - menuContainer_->frame().minY() -
                        editor->menuView()->bounds().height();
    UIView::animate(CLToolAnimations::kDuration, [&] {
        if (shown) {
            menuContainer_->setTransform(CGAffineTransform::makeTranslation(0, down));
            hideButton_->setTransform(CGAffineTransform::makeRotation(std::numbers::pi));
        } else {
            menuContainer_->setTransform(CGAffineTransform::identity());
            hideButton_->setTransform(CGAffineTransform::identity());
        }
    });
    tonecurveView_->setUserInteractionEnabled(!shown);
}

void CLToneCurveTool::pushedResetBtn() {
    tonecurveView_->resetPoints();
    CABasicAnimation spin = CABasicAnimation::animationWithKeyPath("transform.rotation.z");
    spin.setToValue(static_cast<double>(static_cast<float>(-2 * std::numbers::pi)));
    spin.setDuration(CLToolAnimations::kDuration);
    spin.setRepeatCount(1);
    spin.setTimingFunction(
        CAMediaTimingFunction::functionWithName(CAMediaTimingFunction::Name::EaseOut));
    resetButton_->layer().addAnimation(spin, "rotationAnimation");
}

void CLToneCurveTool::cleanup() {
    CLToolAnimations::slideOutAndRemove(menuContainer_, *editor()->view());
}
