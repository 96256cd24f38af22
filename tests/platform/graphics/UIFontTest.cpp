#include "platform/graphics/UIFont.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(UIFontTest, SystemFontsAreDejaVuSans) {
    const UIFont regular = UIFont::systemFontOfSize(14);
    EXPECT_EQ(regular.familyName(), "DejaVu Sans");
    EXPECT_EQ(regular.fontName(), "DejaVuSans");
    const UIFont bold = UIFont::boldSystemFontOfSize(20);
    EXPECT_EQ(bold.fontName(), "DejaVuSans-Bold");
    EXPECT_NE(regular, bold.fontWithSize(14));
    EXPECT_EQ(UIFont::systemFontOfSize(0).pointSize(), 12);

    // The line height scales with the size.
    const double small = regular.lineHeight();
    EXPECT_GT(small, 14);
    EXPECT_LT(small, 14 * 1.5);
    EXPECT_NEAR(UIFont::systemFontOfSize(28).lineHeight(), 2 * small, 0.6);
    EXPECT_NEAR(bold.ascender() + bold.descender(), bold.lineHeight(), 1.0);
}

TEST(UIFontTest, FamiliesListInstalledFacesWhoseNamesResolveBack) {
    const std::vector<std::string> families = UIFont::familyNames();
    EXPECT_TRUE(std::is_sorted(families.begin(), families.end()));
    EXPECT_NE(std::find(families.begin(), families.end(), "DejaVu Sans"), families.end());
    EXPECT_NE(std::find(families.begin(), families.end(), "DejaVu Serif"), families.end());
    // Aliases the font system maps onto another family are not installed faces.
    EXPECT_EQ(std::find(families.begin(), families.end(), "Sans Serif"), families.end());

    const std::vector<std::string> sans = UIFont::fontNamesForFamilyName("DejaVu Sans");
    EXPECT_NE(std::find(sans.begin(), sans.end(), "DejaVuSans"), sans.end());
    EXPECT_NE(std::find(sans.begin(), sans.end(), "DejaVuSans-Bold"), sans.end());
    EXPECT_TRUE(UIFont::fontNamesForFamilyName("No Such Family").empty());

    for (const std::string& family : families) {
        for (const std::string& name : UIFont::fontNamesForFamilyName(family)) {
            const UIFont font = UIFont::fontWithName(name, 14);
            EXPECT_EQ(font.fontName(), name);
            EXPECT_EQ(font.familyName(), family);
        }
    }
}

TEST(UIFontTest, UnknownNamesResolveToAnInstalledFace) {
    const UIFont font = UIFont::fontWithName("HiraKakuProN-W3", 14);
    EXPECT_FALSE(font.fontName().empty());
    EXPECT_EQ(font.pointSize(), 14);
    const std::vector<std::string> names = UIFont::fontNamesForFamilyName(font.familyName());
    EXPECT_NE(std::find(names.begin(), names.end(), font.fontName()), names.end());
    // A family name gives its regular face.
    EXPECT_EQ(UIFont::fontWithName("DejaVu Serif", 10).fontName(), "DejaVuSerif");
}
