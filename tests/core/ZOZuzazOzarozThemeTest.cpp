#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/ZOZuzazOzarozTheme.h"
#include "platform/foundation/StringsTable.h"
#include "platform/ui/view/UIActivityIndicatorView.h"
#include "tests/core/BundleFixture.h"

namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

std::vector<std::string> keysOfTable(const std::string& path) {
    // Lines of the form "key" = "value"; the tables keep one entry to a line.
    std::ifstream file(path);
    std::vector<std::string> keys;
    for (std::string line; std::getline(file, line);) {
        const std::size_t close = line.find('"', 1);
        if (line.starts_with('"') && close != std::string::npos &&
            line.find('=', close) != std::string::npos) {
            keys.push_back(line.substr(1, close - 1));
        }
    }
    return keys;
}

TEST(ZOZuzazOzarozTheme, Defaults) {
    const auto& theme = ZOZuzazOzarozTheme::theme();
    EXPECT_EQ(theme.toolbarColor(), UIColor::colorWithWhite(1, 0.8));
    EXPECT_EQ(theme.toolbarSelectedButtonColor(), UIColor::colorWithRed(0, 1, 1, 0.2));
    EXPECT_EQ(theme.toolbarTextFont().fontName(), UIFont::systemFontOfSize(10).fontName());
    EXPECT_EQ(theme.statusBarStyle(), 0);
    EXPECT_EQ(theme.delegate(), nullptr);
}

// A main bundle of the application's own with a resource bundle inside, both with a
// string table.
class LocalizationTest : public testing::Test {
protected:
    void SetUp() override {
        main_ = fs::path(testing::TempDir()) / "core-localization-app";
        fs::remove_all(main_);
        writeFile(main_ / "en.lproj/Localizable.strings", R"("Shared" = "From the app";)");
        writeFile(main_ / "ZOZuzazOzaroz.bundle/en.lproj/Localizable.strings",
                  "\"Shared\" = \"From the bundle\";\n\"BundleOnly\" = \"Bundle text\";\n");
        NSBundle::setMainBundlePath(main_.string());
        NSBundle::setPreferredLanguage("en");
    }
    void TearDown() override {
        NSBundle::setMainBundlePath("");
        NSBundle::setPreferredLanguage("");
        fs::remove_all(main_);
    }

    fs::path main_;
};

TEST_F(LocalizationTest, ApplicationTableWinsThenBundleThenDefault) {
    using Theme = ZOZuzazOzarozTheme;
    EXPECT_EQ(Theme::localizedStringWithDefault("Shared", "Default"), "From the app");
    EXPECT_EQ(Theme::localizedStringWithDefault("BundleOnly", "Default"), "Bundle text");
    EXPECT_EQ(Theme::localizedStringWithDefault("Missing", "Default"), "Default");
    EXPECT_EQ(Theme::localizedStringWithDefault("Missing", ""), "Missing");
    ASSERT_NE(Theme::theme().bundle(), nullptr);
    EXPECT_EQ(Theme::theme().bundle()->bundlePath(), (main_ / "ZOZuzazOzaroz.bundle").string());

    // Without a resource bundle only the application's table and the defaults remain.
    fs::remove_all(main_ / "ZOZuzazOzaroz.bundle");
    EXPECT_EQ(Theme::theme().bundle(), nullptr);
    EXPECT_EQ(Theme::localizedStringWithDefault("Shared", "Default"), "From the app");
    EXPECT_EQ(Theme::localizedStringWithDefault("BundleOnly", "Default"), "Default");
    EXPECT_EQ(Theme::localizedStringWithDefault("BundleOnly", ""), "BundleOnly");
    EXPECT_EQ(Theme::imageNamedImage("CLFilterTool", "icon.png"), nullptr);
}

using BundleStringsTest = AppResourcesTest;

TEST_F(BundleStringsTest, TablesAreCompleteInEnglishAndGerman) {
    const auto english = keysOfTable(kResourceBundle + "/en.lproj/Localizable.strings");
    const auto german = StringsTable::loadFile(kResourceBundle + "/de.lproj/Localizable.strings");
    ASSERT_GT(english.size(), 50u);
    EXPECT_EQ(german.size(), english.size());
    for (const auto& key : english) {
        EXPECT_NE(german.find(key), nullptr) << key;
    }

    using Theme = ZOZuzazOzarozTheme;
    EXPECT_EQ(Theme::localizedStringWithDefault("CLBlurEffect_DefaultTitle", ""), "Blur & Focus");
    EXPECT_EQ(Theme::localizedStringWithDefault("CLHighlightSadowEffect_DefaultTitle", ""),
              "Highlight");
    NSBundle::setPreferredLanguage("de-DE");
    EXPECT_EQ(Theme::localizedStringWithDefault("ZOZuzazOzaroz_BackBtnTitle", ""), "Zurück");
    EXPECT_EQ(Theme::localizedStringWithDefault("CLDrawTool_DefaultTitle", ""), "Zeichnen");
}

TEST_F(BundleStringsTest, IconsComeFromTheClassAndColourFolders) {
    auto& theme = ZOZuzazOzarozTheme::theme();
    EXPECT_NE(ZOZuzazOzarozTheme::imageNamedImage("CLTextTool", "btn_font.png"), nullptr);
    EXPECT_EQ(ZOZuzazOzarozTheme::imageNamedImage("CLTextTool", "btn_none.png"), nullptr);
    EXPECT_EQ(ZOZuzazOzarozTheme::imageNamedImage("CLFilterTool", "btn_font.png"), nullptr);

    theme.setToolIconColor("no-such-colour");
    EXPECT_EQ(ZOZuzazOzarozTheme::imageNamedImage("CLTextTool", "btn_font.png"), nullptr);
    theme.setToolIconColor("black");
}

struct IndicatorDelegate : ZOZuzazOzarozThemeDelegate {
    std::optional<UIViewPtr> imageEditorThemeActivityIndicatorView() override { return view; }
    UIViewPtr view = std::make_shared<UIView>(CGRect{0, 0, 10, 10});
};

TEST(ZOZuzazOzarozTheme, IndicatorIsTheDelegatesOrADarkSpinner) {
    const auto made = ZOZuzazOzarozTheme::indicatorView();
    const auto spinner = std::dynamic_pointer_cast<UIActivityIndicatorView>(made);
    ASSERT_NE(spinner, nullptr);
    EXPECT_EQ(spinner->frame(), (CGRect{0, 0, 80, 80}));
    EXPECT_EQ(spinner->backgroundColor(), UIColor::colorWithWhite(0, 0.6));
    EXPECT_EQ(spinner->layer().cornerRadius(), 5);
    EXPECT_EQ(spinner->activityIndicatorViewStyle(), UIActivityIndicatorViewStyle::WhiteLarge);
    EXPECT_FALSE(spinner->isAnimating());
    EXPECT_NE(ZOZuzazOzarozTheme::indicatorView(), made) << "a new one each time";

    auto& theme = ZOZuzazOzarozTheme::theme();
    const auto supplying = std::make_shared<IndicatorDelegate>();
    theme.setDelegate(supplying);
    EXPECT_EQ(ZOZuzazOzarozTheme::indicatorView(), supplying->view);

    // A delegate without the operation leaves the theme's own.
    const auto silent = std::make_shared<ZOZuzazOzarozThemeDelegate>();
    theme.setDelegate(silent);
    EXPECT_NE(
        std::dynamic_pointer_cast<UIActivityIndicatorView>(ZOZuzazOzarozTheme::indicatorView()),
        nullptr);
    theme.setDelegate({});
}

}  // namespace
