#include "tools/overlay/stickers/CLStickerTool.h"

#include "core/ZOZuzazOzarozTheme.h"

std::string CLStickerTool::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLStickerTool_DefaultTitle", "Sticker");
}

std::optional<ValueDictionary> CLStickerTool::optionalInfo() {
    return ValueDictionary{{"stickerPath", defaultStickerPath()}, {"deleteIconAssetsName", ""}};
}

std::string CLStickerTool::defaultStickerPath() {
    return bundleFolder(std::string(kClassName) + "/stickers");
}

std::string CLStickerTool::folder() const {
    return folderOption("stickerPath", defaultStickerPath());
}

CLImageBoxPtr CLStickerTool::makeBox(const UIImagePtr& image) const {
    return _CLStickerView::create(image, *this);
}
