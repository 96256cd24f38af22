#include "tools/overlay/stickers/CLFolderImageTool.h"

#include <algorithm>

#include "core/CLMenuStrip.h"
#include "core/CLToolAnimations.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "imaging/operations/UIImageUtility.h"
#include "platform/foundation/NSBundle.h"
#include "tools/overlay/box/CLOverlayRender.h"
#include "tools/overlay/stickers/CLStickerFolder.h"

bool CLFolderImageTool::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 5.0;
}

std::string CLFolderImageTool::bundleFolder(const std::string& relativePath) {
    const auto bundle = ZOZuzazOzarozTheme::theme().bundle();
    return bundle ? bundle->bundlePath() + "/" + relativePath : "";
}

UIImagePtr CLFolderImageTool::buildImage(const UIImagePtr& picture,
                                         const std::vector<CLImageBox::Snapshot>& boxes,
                                         double workingWidth) {
    return CLOverlayRender::buildImage(picture, workingWidth, [&boxes](CGContext& context) {
        for (const CLImageBox::Snapshot& box : boxes) {
            box.draw(context);
        }
    });
}

void CLFolderImageTool::setup() {
    const auto editor = this->editor();
    originalImage_ = editor->imageView()->image();
    editor->fixZoomScaleWithAnimated(true);

    menuScroll_ = CLMenuStrip::makeToolStrip(*editor);
    workingView_ = std::make_shared<UIView>(editor->imageView()->superview()->convertRectToView(
        editor->imageView()->frame(), editor->view().get()));
    workingView_->setClipsToBounds(true);
    editor->view()->addSubview(workingView_);

    setMenu();
    CLToolAnimations::slideInFromBelow(menuScroll_, *editor->view());
}

std::string CLFolderImageTool::folderOption(const std::string& key,
                                            const std::string& otherwise) const {
    const Value folder = option(key);
    return folder.type() == Value::Type::String ? folder.stringValue() : otherwise;
}

void CLFolderImageTool::setMenu() {
    const std::weak_ptr<CLImageToolBase> weakSelf = shared_from_this();
    thumbnails_.start(
        *this, CLBackgroundRender::Wait::Preview,
        [folder = folder()] { return CLStickerFolder::stickersAtPath(folder); },
        [weakSelf](const std::vector<CLStickerFolder::Sticker>& stickers) {
            const auto tool = std::static_pointer_cast<CLFolderImageTool>(weakSelf.lock());
            if (!tool) {
                return;
            }
            std::vector<CLMenuStrip::Entry> entries;
            for (const CLStickerFolder::Sticker& sticker : stickers) {
                entries.push_back({"", sticker.thumbnail});
            }
            const auto items = CLMenuStrip::fill(*tool->menuScroll_, entries,
                                                 tool->itemAction(&CLFolderImageTool::tappedPanel));
            for (std::size_t index = 0; index < items.size(); ++index) {
                CLStickerFolder::setFilePath(*items[index], stickers[index].filePath);
            }
        });
}

void CLFolderImageTool::tappedPanel(UIView& item) {
    const std::optional<std::string> path = CLStickerFolder::filePath(item);
    const UIImagePtr image = path ? UIImageUtility::fastImageWithContentsOfFile(*path) : nullptr;
    if (image) {
        const CLImageBoxPtr box = makeBox(image);
        const CGSize working = workingView_->bounds().size;
        const CGSize size = box->frame().size;
        box->setScale(std::min(working.width * kPlacementShare / size.width,
                               working.height * kPlacementShare / size.height));
        box->setCenter({working.width / 2, working.height / 2});
        workingView_->addSubview(box);
        box->makeActive();
    }
    CLToolAnimations::flash(item);
}

std::vector<CLImageBoxPtr> CLFolderImageTool::boxes() const {
    std::vector<CLImageBoxPtr> boxes;
    for (const UIViewPtr& view : workingView_->subviews()) {
        if (auto box = std::dynamic_pointer_cast<CLImageBox>(view)) {
            boxes.push_back(std::move(box));
        }
    }
    return boxes;
}

void CLFolderImageTool::executeWithCompletionBlock(CompletionBlock completion) {
    clearActiveBox();
    std::vector<CLImageBox::Snapshot> snapshots;
    for (const CLImageBoxPtr& box : boxes()) {
        snapshots.push_back(box->snapshot());
    }
    render_.execute(
        *this,
        [picture = originalImage_, snapshots = std::move(snapshots),
         width = workingView_->bounds().width()] { return buildImage(picture, snapshots, width); },
        std::move(completion));
}

void CLFolderImageTool::cleanup() {
    const auto editor = this->editor();
    editor->resetZoomScaleWithAnimated(true);
    workingView_->removeFromSuperview();
    CLToolAnimations::slideOutAndRemove(menuScroll_, *editor->view());
}
