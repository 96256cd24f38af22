#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/UIImage.h"

// Emoticon pictures drawn from the colour emoji font with the platform's text drawing.
class EmoticonRenderer {
public:
    struct Emoticon {
        std::string name;  // file name, without ".png"
        std::string text;  // the emoji, UTF-8
    };

    // The list file: one "name emoji" pair a line; '#' starts a comment line. Null,
    // with a message, when the file can't be read or a line is malformed.
    static std::optional<std::vector<Emoticon>> readList(const std::string& path,
                                                         std::string& error);

    // A transparent square of pixelSide pixels with the emoji centred in it. Null when
    // no colour glyph was drawn (the font is missing and the text system fell back to
    // an outline face or an empty box, drawn in black).
    static UIImagePtr render(const Emoticon& emoticon, int pixelSide);
};
