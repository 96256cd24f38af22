#include "tools/overlay/stickers/CLStickerFolder.h"

#include "core/UIViewCLImageToolInfo.h"
#include "imaging/operations/UIImageUtility.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Value.h"

std::vector<CLStickerFolder::Sticker> CLStickerFolder::stickersAtPath(const std::string& folder) {
    std::vector<Sticker> stickers;
    for (const std::string& name : NSFileManager::contentsOfDirectoryAtPath(folder)) {
        std::string path = folder + "/" + name;
        if (const UIImagePtr image = UIImageUtility::fastImageWithContentsOfFile(path)) {
            stickers.push_back({std::move(path), UIImageUtility::aspectFit(
                                                     image, {kThumbnailSide, kThumbnailSide})});
        }
    }
    return stickers;
}

void CLStickerFolder::setFilePath(UIView& item, const std::string& filePath) {
    UIViewCLImageToolInfo::setUserInfo(
        item, std::make_shared<ValueDictionary>(ValueDictionary{{kFilePathKey, filePath}}));
}

std::optional<std::string> CLStickerFolder::filePath(const UIView& item) {
    const auto info = UIViewCLImageToolInfo::userInfo(item).as<ValueDictionary>();
    const auto found = info ? info->find(kFilePathKey) : ValueDictionary::const_iterator();
    if (!info || found == info->end() || found->second.type() != Value::Type::String) {
        return std::nullopt;
    }
    return found->second.stringValue();
}
