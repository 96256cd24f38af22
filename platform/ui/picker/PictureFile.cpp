#include "platform/ui/picker/PictureFile.h"

#include <filesystem>

#include "platform/graphics/ImageDecoder.h"
#include "platform/ui/screens/UILocalizedString.h"

PictureFile::Opened PictureFile::open(const std::string& path) {
    ImageDecoder::Result decoded = ImageDecoder::decodeFile(path, {});
    if (!decoded.image) {
        return {nullptr, failureReason(path, decoded.refusal)};
    }
    return {std::move(decoded.image), {}};
}

std::string PictureFile::failureReason(const std::string& path, const DecodeRefusal& refusal) {
    const std::string name = std::filesystem::path(path).filename().string();
    return UILocalizedString::format("Picture_CantOpen", "\u201c%@\u201d couldn't be opened.",
                                     {name}) +
           " " + refusal.localizedText(UILocalizedString::text);
}
