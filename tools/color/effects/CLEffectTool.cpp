#include "tools/color/effects/CLEffectTool.h"

#include "core/CLMenuStrip.h"
#include "core/CLToolAnimations.h"
#include "core/UIViewCLImageToolInfo.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "imaging/operations/UIImageUtility.h"

std::atomic<bool> CLEffectTool::rendering_{false};

std::string CLEffectTool::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLEffectTool_DefaultTitle", "Effect");
}

bool CLEffectTool::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 5.0;
}

CLImageToolInfoArray CLEffectTool::subtools(const RuntimeClass& toolClass) {
    const ClassRegistry& registry =
        toolClass.registry() ? *toolClass.registry() : ClassRegistry::shared();
    return CLImageToolInfo::toolsWithToolClass(registry.classNamed(CLEffectBase::kClassName),
                                               registry);
}

void CLEffectTool::setup() {
    const auto imageEditor = editor();
    if (!imageEditor) {
        return;
    }
    const UIImageViewPtr& imageView = imageEditor->imageView();
    originalImage_ = imageView->image();
    thumbnailImage_ = UIImageUtility::resize(originalImage_, imageView->frame().size);
    imageEditor->fixZoomScaleWithAnimated(true);
    menuScroll_ = CLMenuStrip::makeToolStrip(*imageEditor);
    setEffectMenu();
    CLToolAnimations::slideInFromBelow(menuScroll_, *imageEditor->view());
}

void CLEffectTool::cleanup() {
    if (selectedEffect_) {
        selectedEffect_->cleanup();
    }
    const auto imageEditor = editor();
    if (!imageEditor) {
        return;
    }
    imageEditor->resetZoomScaleWithAnimated(true);
    if (menuScroll_) {
        CLToolAnimations::slideOutAndRemove(menuScroll_, *imageEditor->view());
    }
}

void CLEffectTool::executeWithCompletionBlock(CompletionBlock completion) {
    const CLEffectBase::Render render =
        selectedEffect_ ? selectedEffect_->effectRender() : CLEffectBase::Render();
    selections_.execute(
        *this, [render, image = originalImage_] { return render ? render(image) : image; },
        std::move(completion));
}

void CLEffectTool::setEffectMenu() {
    const std::weak_ptr<CLEffectTool> weakSelf =
        std::static_pointer_cast<CLEffectTool>(shared_from_this());
    const auto items = CLMenuStrip::fill(
        *menuScroll_, toolInfo()->sortedSubtools(),
        [weakSelf](UIGestureRecognizer& sender) {
            if (const auto tool = weakSelf.lock()) {
                tool->tappedMenu(sender);
            }
        },
        CLMenuStrip::Spacing::Packed);
    if (!selectedMenu_ && !items.empty()) {
        setSelectedMenu(items.front());
    }
}

void CLEffectTool::tappedMenu(UIGestureRecognizer& sender) {
    const auto item = std::dynamic_pointer_cast<CLToolbarMenuItem>(sender.view());
    if (!item) {
        return;
    }
    CLToolAnimations::flash(*item);
    setSelectedMenu(item);
}

void CLEffectTool::setSelectedMenu(const CLToolbarMenuItemPtr& item) {
    const auto imageEditor = editor();
    if (!item || item == selectedMenu_ || !imageEditor) {
        return;
    }
    const CLImageToolInfoPtr info = item->toolInfo();
    const auto* factory =
        info ? CLEffectFactory::of(registry().classNamed(info->toolName())) : nullptr;
    if (!factory) {
        return;
    }
    selectedMenu_ = item;
    CLMenuStrip::markChoice(*menuScroll_, item.get());
    const UIImageViewPtr& imageView = imageEditor->imageView();
    setSelectedEffect(factory->makeInstance(imageView->superview(), imageView->frame(), info));
}

void CLEffectTool::setSelectedEffect(const CLEffectBasePtr& effect) {
    if (effect == selectedEffect_) {
        return;
    }
    if (selectedEffect_) {
        selectedEffect_->cleanup();
    }
    selectedEffect_ = effect;
    if (selectedEffect_) {
        selectedEffect_->setDelegate(
            std::dynamic_pointer_cast<CLEffectDelegate>(shared_from_this()));
    }
    buildThumbnailImage(selections_);
}

void CLEffectTool::effectParameterDidChange(CLEffectBase& effect) {
    if (&effect == selectedEffect_.get()) {
        buildThumbnailImage(changes_);
    }
}

void CLEffectTool::buildThumbnailImage(CLBackgroundRender& policy) {
    if (!selectedEffect_) {
        return;
    }
    const UIImagePtr& source =
        selectedEffect_->needsThumbnailPreview() ? thumbnailImage_ : originalImage_;
    const std::uint64_t preview = ++previewsAsked_;
    policy.start(
        *this, CLBackgroundRender::Wait::Preview,
        [render = selectedEffect_->effectRender(), source] { return render(source); },
        [this, preview,
         effect = std::weak_ptr<CLEffectBase>(selectedEffect_)](const UIImagePtr& image) {
            if (selectedEffect_ && effect.lock() == selectedEffect_ && preview > previewShown_) {
                previewShown_ = preview;
                editor()->imageView()->setImage(image);
            }
        });
}
