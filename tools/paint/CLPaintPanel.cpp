#include "tools/paint/CLPaintPanel.h"

#include <algorithm>
#include <numbers>

#include "core/CLEditorServices.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "platform/graphics/UIBezierPath.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/ui/gestures/UITapGestureRecognizer.h"

std::shared_ptr<CLPaintPanel> CLPaintPanel::create(CLEditorServices& editor, double widthSliderTop,
                                                   UIImagePtr eraserImage) {
    const UIScrollViewPtr strip = editor.menuView();
    auto panel = std::make_shared<CLPaintPanel>(strip->frame());
    panel->setBackgroundColor(strip->backgroundColor());
    panel->setMenu(widthSliderTop, std::move(eraserImage));
    return panel;
}

std::shared_ptr<UISlider> CLPaintPanel::defaultSliderWithWidth(double width) {
    auto slider = std::make_shared<UISlider>(CGRect{0, 0, width, kSliderHeight});
    slider->setMinimumTrackImage(nullptr, UIControlStateNormal);
    slider->setMaximumTrackImage(nullptr, UIControlStateNormal);
    slider->setThumbImage(nullptr, UIControlStateNormal);
    slider->setThumbTintColor(UIColor::whiteColor());
    return slider;
}

UIImagePtr CLPaintPanel::widthSliderBackground(CGSize size) {
    const double r = size.height * 0.5 * 0.6;
    const double cy = size.height * 0.5 - 2;
    const double xr = size.width - r - 1;
    constexpr double kQuarter = std::numbers::pi / 2;

    UIGraphicsBeginImageContextWithOptions(size, false, 0);
    UIBezierPath wedge;
    wedge.addArcWithCenter({6, cy}, 1, -kQuarter, kQuarter, false);
    wedge.addLineToPoint({xr, cy + r});
    wedge.addArcWithCenter({xr, cy}, r, kQuarter, 3 * kQuarter, false);
    wedge.addLineToPoint({6, cy - 1});
    wedge.closePath();
    ZOZuzazOzarozTheme::theme().toolbarTextColor().colorWithAlphaComponent(0.5).setFill();
    wedge.fill();
    UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

float CLPaintPanel::lineWidthForValue(double value) {
    return std::max(static_cast<float>(value * kMaximumLineWidth), 1.0f);
}

void CLPaintPanel::setMenu(double widthSliderTop, UIImagePtr eraserImage) {
    const std::weak_ptr<UIView> weakSelf = shared_from_this();
    const auto self = [weakSelf] {
        return std::static_pointer_cast<CLPaintPanel>(weakSelf.lock());
    };

    widthSlider_ = defaultSliderWithWidth(sliderWidth());
    widthSlider_->setFrame({{kSliderLeft, widthSliderTop}, widthSlider_->frame().size});
    widthSlider_->addTarget(
        [self](UIControl&) {
            if (const auto panel = self()) {
                panel->widthSliderDidChange();
            }
        },
        UIControlEventValueChanged);
    widthSlider_->setValue(kWidthSliderStart);
    widthSlider_->setBackgroundColor(
        UIColor::colorWithPatternImage(widthSliderBackground(widthSlider_->frame().size)));
    addSubview(widthSlider_);

    const CGRect previewFrame{0, 0, kPreviewSide, kPreviewSide};
    const CGPoint previewCentre{bounds().width() - kPreviewCentreFromRight,
                                bounds().height() * 0.5};
    strokePreview_ = std::make_shared<UIView>(previewFrame);
    strokePreview_->layer().setCornerRadius(kPreviewSide / 2);
    strokePreview_->layer().setBorderWidth(1);
    strokePreview_->layer().setBorderColor(ZOZuzazOzarozTheme::theme().toolbarTextColor());
    strokePreview_->setCenter(previewCentre);
    addSubview(strokePreview_);

    strokePreviewBackground_ = std::make_shared<UIView>(strokePreview_->frame());
    strokePreviewBackground_->layer().setCornerRadius(kPreviewSide / 2);
    strokePreviewBackground_->setAlpha(0.3);
    auto tap = std::make_shared<UITapGestureRecognizer>();
    tap->addTarget([self](UIGestureRecognizer&) {
        if (const auto panel = self()) {
            panel->strokePreviewDidTap();
        }
    });
    strokePreviewBackground_->addGestureRecognizer(tap);
    insertSubviewAboveSubview(strokePreviewBackground_, strokePreview_);

    eraserIcon_ = std::make_shared<UIImageView>(strokePreview_->frame());
    eraserIcon_->setImage(std::move(eraserImage));
    eraserIcon_->setHidden(true);
    addSubview(eraserIcon_);

    widthSliderDidChange();
    setClipsToBounds(false);
}

void CLPaintPanel::setStrokeColor(const UIColor& color) {
    strokePreview_->setBackgroundColor(color);
    strokePreviewBackground_->setBackgroundColor(color);
}

void CLPaintPanel::widthSliderDidChange() {
    const double scale = std::max(widthSlider_->value(), kSmallestPreviewScale);
    strokePreview_->setTransform(CGAffineTransform::makeScale(scale, scale));
    strokePreview_->layer().setBorderWidth(kPreviewRing / scale);
}

void CLPaintPanel::strokePreviewDidTap() {
    eraserIcon_->setHidden(!eraserIcon_->isHidden());
    if (eraserSwitched_) {
        eraserSwitched_(isErasing());
    }
}
