#include "platform/ui/picker/PictureFile.h"

#include <filesystem>

#include "platform/graphics/ImageDecoder.h"
#include "platform/ui/screens/UILocalizedString.h"

PictureFile::Opened PictureFile::open(const std::string& path) {
    UIImagePtr picture = ImageDecoder::decodeFile(path);
    if (!picture) {
        return {nullptr, failureReason(path)};
    }
    return {std::move(picture), {}};
}

std::string PictureFile::failureReason(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    return UILocalizedString::format("Picture_CantOpen", "\u201c%@\u201d couldn't be opened.",
                                     {name});
}
