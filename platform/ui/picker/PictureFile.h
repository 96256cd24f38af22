#pragma once

#include <string>

#include "platform/graphics/DecodeRefusal.h"
#include "platform/graphics/UIImage.h"

// A picture file read for a screen: the picture, or a sentence for the user saying why
// there is none. Slow for big pictures: call it off the main thread.
class PictureFile {
public:
    struct Opened {
        UIImagePtr picture;
        // Empty when there is a picture.
        std::string failure;
    };

    static Opened open(const std::string& path);
    // Why reading path gave no picture: the file's name and the decoder's reason.
    static std::string failureReason(const std::string& path, const DecodeRefusal& refusal);
};
