#include "tools/paint/CLSplashTool.h"

#include "core/CLToolAnimations.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIImageUtility.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIScreen.h"

std::string CLSplashTool::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLSplashTool_DefaultTitle", "Splash");
}

std::optional<ValueDictionary> CLSplashTool::optionalInfo() {
    return ValueDictionary{{"eraserIconAssetsName", ""}};
}

UIImagePtr CLSplashTool::grayPreviewImage(const UIImagePtr& picture, CGSize viewSize) {
    return UIImageUtility::grayScaleImage(UIImageUtility::aspectFit(
        picture, {kGrayPreviewScale * viewSize.width, kGrayPreviewScale * viewSize.height}));
}

UIImagePtr CLSplashTool::buildImage(const UIImagePtr& picture, const UIImagePtr& mask) {
    if (!picture) {
        return nullptr;
    }
    // The grey copy at one point per pixel, so it loses no detail of a picture whose
    // scale is above 1.
    const UIImagePtr gray = UIImageUtility::grayScaleImage(
        UIImage::imageWithCGImage(picture->CGImage(), 1, picture->imageOrientation()));
    const UIImagePtr cut = mask ? UIImageUtility::maskedImage(gray, mask) : gray;
    const CGSize size = picture->size();
    UIGraphicsBeginImageContextWithOptions(size, false, picture->scale());
    picture->drawAtPoint({0, 0});
    if (cut) {
        cut->drawInRect({{0, 0}, size});
    }
    UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

void CLSplashTool::setup() {
    const auto editor = this->editor();
    originalImage_ = editor->imageView()->image();
    maskImage_ = nullptr;

    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    surface_ = CLPaintSurface::install(*editor, [weakSelf](CGPoint from, CGPoint to) {
        if (const auto tool = std::static_pointer_cast<CLSplashTool>(weakSelf.lock())) {
            tool->drawLine(from, to);
        }
    });
    const UIImageViewPtr& drawingView = surface_->drawingView();
    drawingView->setContentMode(UIViewContentMode::ScaleAspectFit);
    grayImage_ = grayPreviewImage(originalImage_, drawingView->frame().size);
    drawingView->setImage(grayImage_);

    const double height = editor->menuView()->frame().height();
    menuView_ =
        CLPaintPanel::create(*editor, height * 0.5 - CLPaintPanel::kSliderHeight * 0.5,
                             imageForKeyDefaultImageName("eraserIconAssetsName", "btn_eraser.png"));
    menuView_->setStrokeColor(ZOZuzazOzarozTheme::theme().toolbarTextColor());
    editor->view()->addSubview(menuView_);
    CLToolAnimations::slideInFromBelow(menuView_, *editor->view());
}

void CLSplashTool::drawLine(CGPoint from, CGPoint to) {
    if (!mask_) {
        // Until the first stroke the whole picture is grey.
        mask_.emplace(surface_->drawingView()->frame().size, UIScreen::scale(),
                      CGPixelFormat::Grey8);
    }
    const bool erasing = menuView_->isErasing();
    mask_->drawLine(from, to, menuView_->lineWidth(),
                    erasing ? UIColor::blackColor() : UIColor::whiteColor(), CGBlendMode::Normal);
    maskImage_ = mask_->image();
    surface_->drawingView()->setImage(UIImageUtility::maskedImage(grayImage_, maskImage_));
}

void CLSplashTool::executeWithCompletionBlock(CompletionBlock completion) {
    render_.execute(
        *this, [picture = originalImage_, mask = maskImage_] { return buildImage(picture, mask); },
        std::move(completion));
}

void CLSplashTool::cleanup() {
    const auto editor = this->editor();
    surface_->remove();
    CLToolAnimations::slideOutAndRemove(menuView_, *editor->view());
}
