#include "tools/color/CLFilterTool.h"

#include "core/CLToolAnimations.h"
#include "core/CLToolbarMenuItem.h"
#include "core/UIViewCLImageToolInfo.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "imaging/UIDeviceSystemVersion.h"
#include "imaging/UIImageUtility.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/UIScreen.h"
#include "tools/color/CLFilterBase.h"

std::atomic<bool> CLFilterTool::rendering_{false};

std::string CLFilterTool::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLFilterTool_DefaultTitle", "Filter");
}

bool CLFilterTool::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 5.0;
}

CLImageToolInfoArray CLFilterTool::subtools() {
    const ClassRegistry& registry = ClassRegistry::shared();
    return CLImageToolInfo::toolsWithToolClass(registry.classNamed(CLFilterBase::kClassName),
                                               registry);
}

UIImagePtr CLFilterTool::filteredImageWithToolName(const UIImagePtr& image,
                                                   const std::string& toolName) {
    const auto* filter =
        dynamic_cast<const CLFilterBaseProtocol*>(ClassRegistry::shared().classNamed(toolName));
    return filter ? filter->applyFilter(image) : nullptr;
}

UIImagePtr CLFilterTool::filteredImageWithToolInfo(const UIImagePtr& image,
                                                   const CLImageToolInfoPtr& toolInfo) {
    return toolInfo ? filteredImageWithToolName(image, toolInfo->toolName()) : nullptr;
}

void CLFilterTool::setup() {
    const auto imageEditor = editor();
    if (!imageEditor) {
        return;
    }
    originalImage_ = imageEditor->imageView()->image();
    const auto strip = imageEditor->menuView();
    menuScroll_ = std::make_shared<UIScrollView>(strip ? strip->frame() : CGRect());
    if (strip) {
        menuScroll_->setBackgroundColor(strip->backgroundColor());
    }
    menuScroll_->setShowsHorizontalScrollIndicator(false);
    imageEditor->view()->addSubview(menuScroll_);
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
    const double side = kThumbnailSide * UIScreen::scale();
    const UIImagePtr thumbnailSource =
        UIImageUtility::aspectFill(originalImage_, CGSize(side, side));
    const std::weak_ptr<CLFilterTool> weakSelf =
        std::static_pointer_cast<CLFilterTool>(shared_from_this());
    double x = 0;
    const double height = menuScroll_->frame().size.height;
    for (const CLImageToolInfoPtr& info : toolInfo()->sortedSubtools()) {
        if (!info->available()) {
            continue;
        }
        const auto item = ZOZuzazOzarozTheme::menuItemWithFrameTargetActionToolInfo(
            CGRect(x, 0, 70, height),
            [weakSelf](UIGestureRecognizer& sender) {
                if (const auto tool = weakSelf.lock()) {
                    tool->tappedFilterPanel(sender);
                }
            },
            info);
        menuScroll_->addSubview(item);
        if (!item->iconImage()) {
            startThumbnailJob(item, thumbnailSource);
        }
        x += 70;
    }
    menuScroll_->setContentSize(CGSize(std::max(x, menuScroll_->frame().size.width + 1), 0));
}

void CLFilterTool::startThumbnailJob(const std::shared_ptr<CLToolbarMenuItem>& item,
                                     const UIImagePtr& source) {
    const std::string toolName = item->toolInfo() ? item->toolInfo()->toolName() : "";
    DispatchQueue::global().async([item, source, toolName] {
        UIImagePtr thumbnail = filteredImageWithToolName(source, toolName);
        DispatchQueue::main().async(
            [item, thumbnail = std::move(thumbnail)] { item->setIconImage(thumbnail); });
    });
}

void CLFilterTool::tappedFilterPanel(UIGestureRecognizer& sender) {
    const auto item = sender.view();
    if (!item || rendering_.exchange(true)) {
        return;
    }
    CLToolAnimations::flash(*item);
    const auto self = std::static_pointer_cast<CLFilterTool>(shared_from_this());
    const CLImageToolInfoPtr info = UIViewCLImageToolInfo::toolInfo(*item);
    const std::string toolName = info ? info->toolName() : "";
    DispatchQueue::global().async([self, toolName] {
        UIImagePtr filtered = filteredImageWithToolName(self->originalImage_, toolName);
        self->deliverOnMainIfCurrent(
            [filtered = std::move(filtered)](_ZOZuzazOzarozViewController& editor) {
                editor.imageView()->setImage(filtered);
            });
        rendering_ = false;
    });
}
