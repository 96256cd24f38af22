#pragma once

// The installed faces under our font names, for platform sources only.

#include <QtGui/QFont>
#include <QtGui/QImage>
#include <map>
#include <string>
#include <vector>

#include "platform/graphics/UIFont.h"

struct FontFace {
    std::string fontName;
    std::string familyName;
    std::string styleName;
    // The face at an arbitrary size, to copy and resize.
    QFont font;
};

// Built once, on first use, from the font database. Font names are the family without
// spaces, then "-" and the style without spaces unless the style is the family's
// regular one ("DejaVuSans", "DejaVuSans-BoldOblique"). Alias families the font system
// maps onto another ("Sans Serif") are left out.
class FontCatalog {
public:
    static const FontCatalog& shared();

    // By font name, else by family name (its regular face), else the face the font
    // system substitutes for the name; the system face when even that is unknown.
    const FontFace& resolve(const std::string& name) const;
    const FontFace& systemFace(bool bold) const;
    std::vector<std::string> familyNames() const;
    std::vector<std::string> fontNames(const std::string& familyName) const;

private:
    FontCatalog();
    const FontFace* regularFace(const std::string& familyName) const;
    const FontFace* face(const std::string& familyName, const std::string& styleName) const;

    std::vector<FontFace> faces_;
    std::map<std::string, std::size_t> byName_;
    const FontFace* system_ = nullptr;
    const FontFace* boldSystem_ = nullptr;
};

// The font, sized in points for a 72-dots-per-inch device (pointResolutionDevice).
QFont qtFont(const UIFont& font);
// A device on which a point is a pixel, for measuring text.
const QImage& pointResolutionDevice();
