#pragma once

#include <string>
#include <vector>

// A typeface at a size in points. A value type; every font names an installed face:
// an unknown name resolves to the face the font system substitutes for it, never to
// nothing. Font names are the faces' PostScript-style names ("DejaVuSans",
// "DejaVuSans-Bold"), unique per face, as fontNamesForFamilyName lists them.
// Sizes that are not positive give 12 points, the platform's default. Needs the
// Runtime (the GUI application) to exist, as all font use does.
class UIFont {
public:
    // The system font is DejaVu Sans (Book, or Bold), the face every set-up installs;
    // where it is missing, the font system's general font.
    static UIFont systemFontOfSize(double pointSize);
    static UIFont boldSystemFontOfSize(double pointSize);
    // By font name (as fontNamesForFamilyName lists) or family name (its regular face).
    static UIFont fontWithName(const std::string& name, double pointSize);

    // Installed families, sorted; and the font names of one family, sorted (empty for
    // an unknown family).
    static std::vector<std::string> familyNames();
    static std::vector<std::string> fontNamesForFamilyName(const std::string& familyName);

    UIFont fontWithSize(double pointSize) const;

    const std::string& fontName() const { return fontName_; }
    const std::string& familyName() const { return familyName_; }
    // The face's style in the font system ("Book", "Bold Oblique").
    const std::string& styleName() const { return styleName_; }
    double pointSize() const { return pointSize_; }
    // Distance from one baseline to the next: ascender + descender + leading, in points.
    double lineHeight() const;
    double ascender() const;
    // Positive: the distance the face reaches below the baseline.
    double descender() const;

    // Fonts are equal when they name the same face at the same size.
    friend bool operator==(const UIFont& a, const UIFont& b) {
        return a.fontName_ == b.fontName_ && a.pointSize_ == b.pointSize_;
    }

private:
    UIFont(std::string fontName, std::string familyName, std::string styleName, double pointSize);

    std::string fontName_;
    std::string familyName_;
    std::string styleName_;
    double pointSize_;
};
