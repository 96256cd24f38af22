#pragma once

#include <string>
#include <vector>

#include "platform/graphics/UIImage.h"

// Writes generated pictures as PNG files under one resources folder, making folders
// as needed, and remembers what it wrote (for the contact sheet).
class ResourceWriter {
public:
    struct Written {
        std::string path;  // relative to the resources folder
        UIImagePtr image;
    };

    explicit ResourceWriter(std::string root);

    // False, with a message, when the picture is null or the file can't be written.
    bool writePNG(const UIImagePtr& image, const std::string& relativePath, std::string& error);

    const std::vector<Written>& written() const { return written_; }

private:
    std::string root_;
    std::vector<Written> written_;
};
