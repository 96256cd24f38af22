#include "tools/color/CLFilterTool.h"

#include "core/CLMenuStrip.h"
#include "core/CLToolAnimations.h"
#include "core/UIViewCLImageToolInfo.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "imaging/operations/UIImageUtility.h"
#include "platform/graphics/UIScreen.h"
#include "tools/color/CLDefaultEmptyFilter.h"
#include "tools/color/CLFilterBase.h"

std::atomic<bool> CLFilterTool::rendering_{false};

std::string CLFilterTool::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLFilterTool_DefaultTitle", "Filter");
}

bool CLFilterTool::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 5.0;
}

CLImageToolInfoArray CLFilterTool::subtools(const RuntimeClass& toolClass) {
    const ClassRegistry& registry =
        toolClass.registry() ? *toolClass.registry() : ClassRegistry::shared();
    return CLImageToolInfo::toolsWithToolClass(registry.classNamed(CLFilterBase::kClassName),
                                               registry);
}

UIImagePtr CLFilterTool::filteredImageWithToolName(const UIImagePtr& image,
                                                   const std::string& toolName,
                                                   const ClassRegistry& registry) {
    const auto* filter = dynamic_cast<const CLFilterBaseProtocol*>(registry.classNamed(toolName));
    return filter ? filter->applyFilter(image) : nullptr;
}

void CLFilterTool::setup() {
    const auto imageEditor = editor();
    if (!imageEditor) {
        return;
    }
    originalImage_ = imageEditor->imageView()->image();
    menuScroll_ = CLMenuStrip::makeToolStrip(*imageEditor);
    setFilterMenu();
    CLToolAnimations::slideInFromBelow(menuScroll_, *imageEditor->view());
}

void CLFilterTool::cleanup() {
    const auto imageEditor = editor();
    if (menuScroll_ && imageEditor) {
        CLToolAnimations::slideOutAndRemove(menuScroll_, *imageEditor->view());
    }
}

void CLFilterTool::setFilterMenu() {
    const std::weak_ptr<CLFilterTool> weakSelf =
        std::static_pointer_cast<CLFilterTool>(shared_from_this());
    const auto items = CLMenuStrip::fill(
        *menuScroll_, toolInfo()->sortedSubtools(),
        [weakSelf](UIGestureRecognizer& sender) {
            if (const auto tool = weakSelf.lock()) {
                tool->tappedFilterPanel(sender);
            }
        },
        CLMenuStrip::Spacing::Packed);

    const double side = kThumbnailSide * UIScreen::scale();
    const UIImagePtr source = UIImageUtility::aspectFill(originalImage_, CGSize(side, side));
    for (const CLToolbarMenuItemPtr& item : items) {
        const std::string toolName = item->toolInfo()->toolName();
        if (toolName == CLDefaultEmptyFilter::kClassName) {
            CLMenuStrip::markChoice(*menuScroll_, item.get());
        }
        if (!item->iconImage()) {
            thumbnails_.start(
                *this, CLBackgroundRender::Wait::Preview,
                [source, toolName, registry = &registry()] {
                    return filteredImageWithToolName(source, toolName, *registry);
                },
                [item](const UIImagePtr& thumbnail) { item->setIconImage(thumbnail); });
        }
    }
}

void CLFilterTool::tappedFilterPanel(UIGestureRecognizer& sender) {
    const auto item = sender.view();
    const CLImageToolInfoPtr info = item ? UIViewCLImageToolInfo::toolInfo(*item) : nullptr;
    if (!info) {
        return;
    }
    const bool started = render_.start(
        *this, CLBackgroundRender::Wait::UserWaits,
        [image = originalImage_, toolName = info->toolName(), registry = &registry()] {
            return filteredImageWithToolName(image, toolName, *registry);
        },
        [this, item](const UIImagePtr& filtered) {
            editor()->imageView()->setImage(filtered);
            CLMenuStrip::markChoice(*menuScroll_, item.get());
        });
    if (started) {
        CLToolAnimations::flash(*item);
    }
}
