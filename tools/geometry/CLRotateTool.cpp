#include "tools/geometry/CLRotateTool.h"

#include <cmath>

#include "core/CLBackedSlider.h"
#include "core/CLMenuStrip.h"
#include "core/CLToolAnimations.h"
#include "core/CLToolbarMenuItem.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/engine/CIContext.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "imaging/operations/UIImageUtility.h"

namespace {

constexpr CLMenuStrip::ItemSpec kMenu[] = {
    {"CLRotateTool_MenuItemRotateTitle", " ", "rotateIconAssetsName", "btn_rotate.png"},
    {"CLRotateTool_MenuItemFlipTitle1", " ", "flipHorizontalIconAssetsName", "btn_flip1.png"},
    {"CLRotateTool_MenuItemFlipTitle2", " ", "flipVerticalIconAssetsName", "btn_flip2.png"},
};

}  // namespace

std::string CLRotateTool::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLRotateTool_DefaultTitle", "Rotate");
}

bool CLRotateTool::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 5.0;
}

std::optional<ValueDictionary> CLRotateTool::optionalInfo() {
    return ValueDictionary{
        {"rotateIconAssetsName", ""},       {"flipHorizontalIconAssetsName", ""},
        {"flipVerticalIconAssetsName", ""}, {"fineRotationEnabled", false},
        {"cropRotateEnabled", false},
    };
}

UIImagePtr CLRotateTool::buildImage(const UIImagePtr& image, const CLRotateState& state,
                                    CGSize initialSize, bool cropRotate) {
    const CGAffineTransform turn =
        state.transform(CATransform3D::identity(), false).affineTransform();
    const UIImagePtr turned =
        CIContext::contextWithOptions({{kCIContextUseSoftwareRenderer, false}})
            ->filteredImage("CIAffineTransform", image, {{"inputTransform", turn}});
    return cropRotate && turned ? cropAdjustImage(turned, image, initialSize, -state.angle())
                                : turned;
}

UIImagePtr CLRotateTool::cropAdjustImage(const UIImagePtr& rendered, const UIImagePtr& input,
                                         CGSize initialSize, double angle) {
    const double k = CLRotateState::coveredFraction(initialSize, angle);
    // In pixels: the render has scale 1 whatever the input's.
    const double w = k * input->size().width * input->scale();
    const double h = k * input->size().height * input->scale();
    const CGSize size = rendered->size();
    return UIImageUtility::crop(rendered, {(size.width - w) / 2, (size.height - h) / 2, w, h});
}

void CLRotateTool::setup() {
    const auto editor = this->editor();
    executed_ = false;
    state_ = CLRotateState{.fine = option("fineRotationEnabled").boolValue()};
    cropRotate_ = option("cropRotateEnabled").boolValue();
    editor->fixZoomScaleWithAnimated(true);

    const UIImageViewPtr& imageView = editor->imageView();
    initialRect_ = imageView->frame();
    gridView_ = CLRotatePanel::create(imageView->superview(), initialRect_);
    gridView_->setBackgroundColor(UIColor::clearColor());
    gridView_->setGridColor(UIColor::darkGrayColor().colorWithAlphaComponent(0.8));
    gridView_->setBgColor(editor->view()->backgroundColor().colorWithAlphaComponent(0.8));
    gridView_->setClipsToBounds(false);
    render_.setBusySignHost(gridView_);

    makeSlider();
    menuScroll_ = CLMenuStrip::makeToolStrip(*editor);
    setMenu();
    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    CLToolAnimations::slideInFromBelow(menuScroll_, *editor->view(), [weakSelf] {
        // A tool left before its strip arrived must leave the editor's view alone.
        const auto tool = std::static_pointer_cast<CLRotateTool>(weakSelf.lock());
        if (tool && tool->editor() && tool->editor()->isCurrentTool(*tool)) {
            tool->showRotatingView();
        }
    });
}

void CLRotateTool::makeSlider() {
    const auto editor = this->editor();
    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    rotateSlider_ = CLBackedSlider::make(
        {kSliderWidth, kSliderHeight}, 0, -state_.sliderLimit(), state_.sliderLimit(),
        [weakSelf](UIControl& slider) {
            if (const auto tool = std::static_pointer_cast<CLRotateTool>(weakSelf.lock())) {
                tool->state_.sliderValue = static_cast<UISlider&>(slider).value();
                tool->rotateStateDidChange();
            }
        },
        *editor->view());
    rotateSlider_->superview()->setCenter(
        {editor->view()->bounds().width() / 2, editor->menuView()->frame().minY() - kSliderLift});
}

void CLRotateTool::setMenu() {
    CLMenuStrip::fill(*menuScroll_, CLMenuStrip::entries(*this, kMenu),
                      itemAction(&CLRotateTool::tappedMenu));
}

void CLRotateTool::showRotatingView() {
    const auto editor = this->editor();
    rotateImageView_ = std::make_shared<UIImageView>(initialRect_);
    rotateImageView_->setImage(editor->imageView()->image());
    gridView_->superview()->insertSubviewBelowSubview(rotateImageView_, gridView_);
    editor->imageView()->setHidden(true);
    rotateStateDidChange();
}

void CLRotateTool::tappedMenu(UIView& item) {
    CLToolAnimations::flash(item);
    switch (item.tag()) {
        case kQuarterTurn:
            state_.quarterTurn();
            rotateSlider_->setValue(state_.sliderValue);
            gridView_->setHidden(true);
            break;
        case kFlipHorizontal:
            state_.flipHorizontal = 1 - state_.flipHorizontal;
            break;
        case kFlipVertical:
            state_.flipVertical = 1 - state_.flipVertical;
            break;
        default:
            return;
    }
    UIView::animate(
        CLToolAnimations::kDuration, [this] { rotateStateDidChange(); },
        [grid = std::weak_ptr<UIView>(gridView_)](bool) {
            if (const auto shown = grid.lock()) {
                shown->setHidden(false);
            }
        });
}

void CLRotateTool::rotateStateDidChange() {
    if (!rotateImageView_) {
        return;
    }
    const double theta = state_.angle();
    const CGSize size = initialRect_.size;
    const CGSize turned = CLRotateState::turnedSize(size, theta);
    const CGSize panel = gridView_->bounds().size;
    const double scale = cropRotate_ ? 1 / CLRotateState::coveredFraction(size, theta)
                                     : kFitMargin * std::min(panel.width / turned.width,
                                                             panel.height / turned.height);
    rotateImageView_->setLayerTransform(
        state_.transform(CATransform3D::identity(), true).scaledBy(scale, scale, 1));
    if (!cropRotate_) {
        gridView_->setGridRect(rotateImageView_->frame());
    }
}

void CLRotateTool::executeWithCompletionBlock(CompletionBlock completion) {
    const auto editor = this->editor();
    render_.execute(
        *this,
        [image = editor->imageView()->image(), state = state_, size = initialRect_.size,
         crop = cropRotate_] { return buildImage(image, state, size, crop); },
        [this, completion](UIImagePtr image, std::optional<CLImageToolError> error,
                           ValueDictionary info) {
            executed_ = true;
            completion(std::move(image), std::move(error), std::move(info));
        });
}

void CLRotateTool::cleanup() {
    const auto editor = this->editor();
    rotateSlider_->superview()->removeFromSuperview();
    gridView_->removeFromSuperview();
    const UIImageViewPtr& imageView = editor->imageView();
    if (executed_ && rotateImageView_) {
        editor->resetZoomScaleWithAnimated(false);
        editor->fixZoomScaleWithAnimated(false);
        rotateImageView_->setLayerTransform(CATransform3D::identity());
        rotateImageView_->setFrame(imageView->frame());
        rotateImageView_->setImage(imageView->image());
    }
    editor->resetZoomScaleWithAnimated(false);
    const double below = editor->view()->bounds().height() - menuScroll_->frame().minY();
    UIView::animate(
        CLToolAnimations::kDuration,
        [&] {
            menuScroll_->setTransform(CGAffineTransform::makeTranslation(0, below));
            if (rotateImageView_) {
                rotateImageView_->setLayerTransform(CATransform3D::identity());
                rotateImageView_->setFrame(imageView->frame());
            }
        },
        [strip = menuScroll_, turning = rotateImageView_, imageView](bool) {
            strip->removeFromSuperview();
            if (turning) {
                turning->removeFromSuperview();
            }
            imageView->setHidden(false);
        });
}
