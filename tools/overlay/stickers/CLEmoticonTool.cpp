#include "tools/overlay/stickers/CLEmoticonTool.h"

#include "core/ZOZuzazOzarozTheme.h"

std::string CLEmoticonTool::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLEmoticonTool_DefaultTitle",
                                                          "Emoticons");
}

std::optional<ValueDictionary> CLEmoticonTool::optionalInfo() {
    return ValueDictionary{{"EmoticonPath", defaultEmoticonPath()}, {"deleteIconAssetsName", ""}};
}

std::string CLEmoticonTool::defaultEmoticonPath() {
    return bundleFolder(std::string(kClassName) + "/Emoticons");
}

std::string CLEmoticonTool::folder() const {
    return folderOption("EmoticonPath", defaultEmoticonPath());
}

CLImageBoxPtr CLEmoticonTool::makeBox(const UIImagePtr& image) const {
    return _CLEmoticonView::create(image, *this);
}
