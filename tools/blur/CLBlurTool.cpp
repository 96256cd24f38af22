#include "tools/blur/CLBlurTool.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/CLBackedSlider.h"
#include "core/CLMenuStrip.h"
#include "core/CLToolAnimations.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "imaging/operations/UIImageUtility.h"
#include "platform/graphics/CGImage.h"
#include "platform/ui/gestures/UITapGestureRecognizer.h"

namespace {

constexpr CLMenuStrip::ItemSpec kModes[] = {
    {"CLBlurEffect_MenuItemNormal", "Normal", "nonrmalIconAssetsName", "btn_normal.png"},
    {"CLBlurEffect_MenuItemCircle", "Cirlcle", "circleIconAssetsName", "btn_circle.png"},
    {"CLBlurEffect_MenuItemBand", "Band", "bandIconAssetsName", "btn_band.png"},
};

constexpr CGSize kSliderSize{260, 30};
constexpr double kSliderLift = 30;

}  // namespace

std::atomic<bool> CLBlurTool::composing_{false};

std::string CLBlurTool::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLBlurEffect_DefaultTitle",
                                                          "Blur & Focus");
}

bool CLBlurTool::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 5.0;
}

std::optional<ValueDictionary> CLBlurTool::optionalInfo() {
    return ValueDictionary{
        {"nonrmalIconAssetsName", ""}, {"circleIconAssetsName", ""}, {"bandIconAssetsName", ""}};
}

void CLBlurTool::setup() {
    const auto editor = this->editor();
    blurType_ = CLBlurComposer::kNormal;
    originalImage_ = editor->imageView()->image();
    thumbnailImage_ = UIImageUtility::resize(originalImage_, editor->imageView()->frame().size);
    circleMask_ = ZOZuzazOzarozTheme::imageNamedImage(kClassName, "circle.png");
    bandMask_ = ZOZuzazOzarozTheme::imageNamedImage(kClassName, "band.png");
    editor->fixZoomScaleWithAnimated(true);

    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    blurSlider_ = CLBackedSlider::make(
        kSliderSize, kStartLevel, 0, 1,
        [weakSelf](UIControl&) {
            if (const auto tool = std::static_pointer_cast<CLBlurTool>(weakSelf.lock())) {
                tool->sliderDidChange();
            }
        },
        *editor->view());
    blurSlider_->setContinuous(false);
    blurSlider_->superview()->setCenter(
        {editor->view()->bounds().width() / 2, editor->menuView()->frame().minY() - kSliderLift});

    handlerView_ = std::make_shared<UIView>(editor->imageView()->frame());
    editor->imageView()->superview()->addSubview(handlerView_);
    setHandlerView();
    compose_.setBusySignHost(handlerView_);

    menuScroll_ = CLMenuStrip::makeToolStrip(*editor);
    setBlurMenu();
    CLToolAnimations::slideInFromBelow(menuScroll_, *editor->view());
    setDefaultParams();
    sliderDidChange();
}

void CLBlurTool::setBlurMenu() {
    const auto items = CLMenuStrip::fill(*menuScroll_, CLMenuStrip::entries(*this, kModes),
                                         itemAction(&CLBlurTool::tappedBlurMenu));
    CLMenuStrip::markChoice(*menuScroll_, items.front().get());
}

void CLBlurTool::setHandlerView() {
    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    const std::weak_ptr<UIGestureRecognizerDelegate> delegate =
        std::static_pointer_cast<CLBlurTool>(shared_from_this());
    const auto forward = [weakSelf](auto handler) {
        return [weakSelf, handler](UIGestureRecognizer& sender) {
            if (const auto tool = std::static_pointer_cast<CLBlurTool>(weakSelf.lock())) {
                handler(*tool, sender);
            }
        };
    };
    auto tap = std::make_shared<UITapGestureRecognizer>();
    tap->addTarget(
        forward([](CLBlurTool& tool, UIGestureRecognizer& g) { tool.tapHandlerView(g); }));
    auto pan = std::make_shared<UIPanGestureRecognizer>();
    pan->setMaximumNumberOfTouches(1);
    pan->addTarget(
        forward([](CLBlurTool& tool, UIGestureRecognizer& g) { tool.tapHandlerView(g); }));
    auto pinch = std::make_shared<UIPinchGestureRecognizer>();
    pinch->addTarget(forward([](CLBlurTool& tool, UIGestureRecognizer& g) {
        tool.pinchHandlerView(static_cast<UIPinchGestureRecognizer&>(g));
    }));
    auto rotation = std::make_shared<UIRotationGestureRecognizer>();
    rotation->addTarget(forward([](CLBlurTool& tool, UIGestureRecognizer& g) {
        tool.rotateHandlerView(static_cast<UIRotationGestureRecognizer&>(g));
    }));
    for (const std::shared_ptr<UIGestureRecognizer>& recognizer :
         std::initializer_list<std::shared_ptr<UIGestureRecognizer>>{tap, pan, pinch, rotation}) {
        if (recognizer != pan) {
            recognizer->setDelegate(delegate);
        }
        handlerView_->addGestureRecognizer(recognizer);
    }
}

void CLBlurTool::setDefaultParams() {
    const double w = handlerView_->bounds().width();
    const double h = handlerView_->bounds().height();
    const double side = 1.5 * std::min(w, h);
    circleView_ =
        std::make_shared<CLBlurCircle>(CGRect{w / 2 - side / 2, h / 2 - side / 2, side, side});
    circleView_->setBackgroundColor(UIColor::clearColor());
    circleView_->setColor(UIColor::whiteColor());

    const double diagonal = std::hypot(w, h);
    bandView_ = std::make_shared<CLBlurBand>(CGRect{0, 0, diagonal, h});
    bandView_->setCenter({w / 2, h / 2});
    bandView_->setBackgroundColor(UIColor::clearColor());
    bandView_->setColor(UIColor::whiteColor());

    const double k = originalImage_->CGImage()->width() / editor()->imageView()->frame().width();
    bandImageRect_ = {(w / 2 - diagonal / 2) * k, 0, diagonal * k, h * k};
}

CLBlurComposer CLBlurTool::composer() const {
    return {
        .mode = blurType_,
        .circleFrame = circleView_->frame(),
        .bandRotation = bandView_->rotation(),
        .bandScale = bandView_->scale(),
        .bandOffset = bandView_->offset(),
        .bandImageRect = bandImageRect_,
        .viewWidth = handlerView_->bounds().width(),
        .originalWidth = static_cast<double>(originalImage_->CGImage()->width()),
        .circleMask = circleMask_,
        .bandMask = bandMask_,
    };
}

void CLBlurTool::sliderDidChange() {
    blur_.start(
        *this, CLBackgroundRender::Wait::Preview,
        [thumbnail = thumbnailImage_, level = blurSlider_->value()] {
            return UIImageUtility::gaussBlur(thumbnail, level);
        },
        [this](const UIImagePtr& blurred) {
            blurImage_ = blurred;
            buildThumbnailImage();
        });
}

void CLBlurTool::buildThumbnailImage() {
    if (!blurImage_) {
        return;
    }
    compose_.start(
        *this, CLBackgroundRender::Wait::Preview,
        [thumbnail = thumbnailImage_, blurred = blurImage_, composer = composer()] {
            return composer.buildResultImage(thumbnail, blurred);
        },
        [this](const UIImagePtr& preview) { editor()->imageView()->setImage(preview); });
}

void CLBlurTool::tappedBlurMenu(UIView& item) {
    CLMenuStrip::markChoice(*menuScroll_, &item);
    CLToolAnimations::flash(item);
    if (item.tag() == blurType_) {
        return;
    }
    blurType_ = item.tag();
    circleView_->removeFromSuperview();
    bandView_->removeFromSuperview();
    if (blurType_ != CLBlurComposer::kNormal) {
        const std::shared_ptr<CLFadingIndicator> shown =
            blurType_ == CLBlurComposer::kCircle ? std::shared_ptr<CLFadingIndicator>(circleView_)
                                                 : bandView_;
        handlerView_->addSubview(shown);
        shown->showThenFade();
    }
    buildThumbnailImage();
}

void CLBlurTool::tapHandlerView(UIGestureRecognizer& sender) {
    const CGPoint at = sender.locationInView(handlerView_.get());
    const double w = handlerView_->bounds().width();
    const double h = handlerView_->bounds().height();
    if (blurType_ == CLBlurComposer::kCircle) {
        circleView_->setCenter(at);
    } else if (blurType_ == CLBlurComposer::kBand) {
        const double r = bandView_->rotation();
        bandView_->setOffset((at.y - h / 2) * std::cos(r) - (at.x - w / 2) * std::sin(r));
    } else {
        return;
    }
    buildThumbnailImage();
}

void CLBlurTool::pinchHandlerView(UIPinchGestureRecognizer& sender) {
    const bool began = sender.state() == UIGestureRecognizerState::Began;
    if (blurType_ == CLBlurComposer::kBand) {
        if (began) {
            pinchStartScale_ = bandView_->scale();
        }
        bandView_->setScale(
            std::clamp(pinchStartScale_ * sender.scale(), kMinimumBandScale, kMaximumBandScale));
    } else if (blurType_ == CLBlurComposer::kCircle) {
        if (began) {
            pinchStartFrame_ = circleView_->frame();
        }
        const CGSize area = handlerView_->bounds().size;
        double side = std::min(sender.scale() * pinchStartFrame_.width(),
                               3 * std::max(area.width, area.height));
        side = std::max(side, 0.3 * std::min(area.width, area.height));
        const CGRect& start = pinchStartFrame_;
        circleView_->setFrame({start.minX() + (start.width() - side) / 2,
                               start.minY() + (start.height() - side) / 2, side, side});
    } else {
        return;
    }
    buildThumbnailImage();
}

void CLBlurTool::rotateHandlerView(UIRotationGestureRecognizer& sender) {
    if (blurType_ != CLBlurComposer::kBand) {
        return;
    }
    if (sender.state() == UIGestureRecognizerState::Began) {
        rotationStart_ = bandView_->rotation();
    }
    const double quarter = std::numbers::pi / 2;
    bandView_->setRotation(std::clamp(rotationStart_ + sender.rotation(), -quarter, quarter));
    buildThumbnailImage();
}

void CLBlurTool::executeWithCompletionBlock(CompletionBlock completion) {
    compose_.execute(
        *this,
        [original = originalImage_, level = blurSlider_->value(), composer = composer()] {
            return composer.buildResultImage(original, UIImageUtility::gaussBlur(original, level));
        },
        std::move(completion));
}

void CLBlurTool::cleanup() {
    const auto editor = this->editor();
    editor->resetZoomScaleWithAnimated(true);
    blurSlider_->superview()->removeFromSuperview();
    handlerView_->removeFromSuperview();
    CLToolAnimations::slideOutAndRemove(menuScroll_, *editor->view());
}
