#include "tools/paint/CLDrawTool.h"

#include "core/CLToolAnimations.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "platform/graphics/UIBezierPath.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIScreen.h"

std::string CLDrawTool::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLDrawTool_DefaultTitle", "Draw");
}

std::optional<ValueDictionary> CLDrawTool::optionalInfo() {
    return ValueDictionary{{"eraserIconAssetsName", ""}};
}

UIColor CLDrawTool::colorForValue(double value) {
    if (value < kFirstHueValue) {
        return UIColor::colorWithWhite(value / kWhiteValue);
    }
    // The gradient runs red, yellow, green, cyan, blue over the last two thirds: the
    // hue climbs one for one with the value, to 2/3 (blue) at the end.
    return UIColor::colorWithHue(value - kFirstHueValue, 1, 1);
}

UIImagePtr CLDrawTool::colorSliderBackground(CGSize size) {
    const double w = size.width;
    const double h = size.height;
    UIGraphicsBeginImageContextWithOptions(size, false, 0);
    const CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context) {
        UIGraphicsEndImageContext();
        return nullptr;
    }
    UIBezierPath::bezierPathWithRoundedRect({5, (h - 10) / 2, w - 10, 5}, 5).addClip();
    const CGGradientRef gradient = CGGradient::createWithColors(
        {UIColor::blackColor(), UIColor::whiteColor(), UIColor::redColor(), UIColor::yellowColor(),
         UIColor::greenColor(), UIColor::cyanColor(), UIColor::blueColor()},
        {0, kWhiteValue, kFirstHueValue, 0.5, 2.0 / 3, 5.0 / 6, 1});
    context->drawLinearGradient(gradient, {5, 0}, {w - 5, 0}, kCGGradientDrawsAfterEndLocation);
    UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

UIImagePtr CLDrawTool::buildImage(const UIImagePtr& picture, const UIImagePtr& overlay) {
    if (!picture) {
        return nullptr;
    }
    const CGSize size = picture->size();
    UIGraphicsBeginImageContextWithOptions(size, false, picture->scale());
    picture->drawAtPoint({0, 0});
    if (overlay) {
        overlay->drawInRect({{0, 0}, size});
    }
    UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

void CLDrawTool::setup() {
    const auto editor = this->editor();
    originalImage_ = editor->imageView()->image();

    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    surface_ = CLPaintSurface::install(*editor, [weakSelf](CGPoint from, CGPoint to) {
        if (const auto tool = std::static_pointer_cast<CLDrawTool>(weakSelf.lock())) {
            tool->drawLine(from, to);
        }
    });
    overlay_.emplace(surface_->drawingView()->frame().size, UIScreen::scale());

    setMenu();
    editor->view()->addSubview(menuView_);
    CLToolAnimations::slideInFromBelow(menuView_, *editor->view());
}

void CLDrawTool::setMenu() {
    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    menuView_ =
        CLPaintPanel::create(*editor(), kColorSliderTop + CLPaintPanel::kSliderHeight + kSliderGap,
                             imageForKeyDefaultImageName("eraserIconAssetsName", "btn_eraser.png"));
    menuView_->setEraserSwitched([weakSelf](bool erasing) {
        const auto tool = std::static_pointer_cast<CLDrawTool>(weakSelf.lock());
        if (!tool) {
            return;
        }
        if (erasing) {
            tool->menuView_->setStrokeColor(ZOZuzazOzarozTheme::theme().toolbarTextColor());
        } else {
            tool->colorSliderDidChange();
        }
    });

    colorSlider_ = CLPaintPanel::defaultSliderWithWidth(menuView_->sliderWidth());
    colorSlider_->setFrame(
        {{CLPaintPanel::kSliderLeft, kColorSliderTop}, colorSlider_->frame().size});
    colorSlider_->addTarget(
        [weakSelf](UIControl&) {
            if (const auto tool = std::static_pointer_cast<CLDrawTool>(weakSelf.lock())) {
                tool->colorSliderDidChange();
            }
        },
        UIControlEventValueChanged);
    colorSlider_->setBackgroundColor(
        UIColor::colorWithPatternImage(colorSliderBackground(colorSlider_->frame().size)));
    colorSlider_->setValue(0);
    menuView_->addSubview(colorSlider_);
    colorSliderDidChange();
}

void CLDrawTool::colorSliderDidChange() {
    if (menuView_->isErasing()) {
        return;
    }
    const UIColor color = colorForValue(colorSlider_->value());
    menuView_->setStrokeColor(color);
    colorSlider_->setThumbTintColor(color);
}

void CLDrawTool::drawLine(CGPoint from, CGPoint to) {
    const bool erasing = menuView_->isErasing();
    overlay_->drawLine(from, to, menuView_->lineWidth(),
                       menuView_->strokePreview()->backgroundColor(),
                       erasing ? CGBlendMode::Clear : CGBlendMode::Normal);
    surface_->drawingView()->setImage(overlay_->image());
}

void CLDrawTool::executeWithCompletionBlock(CompletionBlock completion) {
    render_.execute(
        *this,
        [picture = originalImage_, overlay = surface_->drawingView()->image()] {
            return buildImage(picture, overlay);
        },
        std::move(completion));
}

void CLDrawTool::cleanup() {
    const auto editor = this->editor();
    surface_->remove();
    CLToolAnimations::slideOutAndRemove(menuView_, *editor->view());
}
