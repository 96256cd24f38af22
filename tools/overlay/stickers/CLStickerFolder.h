#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/UIImage.h"
#include "platform/ui/view/UIView.h"

// A folder of sticker pictures, as the sticker strips and the category screen show it:
// every entry that reads as a picture, in the order the file system lists them.
class CLStickerFolder {
public:
    static constexpr double kThumbnailSide = 50;
    static constexpr const char* kFilePathKey = "filePath";

    struct Sticker {
        std::string filePath;
        // The picture fitted into kThumbnailSide × kThumbnailSide.
        UIImagePtr thumbnail;
    };

    // Nothing for a folder that can't be read; entries that are not pictures are left
    // out. Any thread.
    static std::vector<Sticker> stickersAtPath(const std::string& folder);

    // The file an item places, kept in its user info as {"filePath": path}.
    static void setFilePath(UIView& item, const std::string& filePath);
    static std::optional<std::string> filePath(const UIView& item);
};
