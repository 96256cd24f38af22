#include <gtest/gtest.h>

#include "platform/foundation/NSBundle.h"
#include "tests/platform/foundation/TemporaryFolder.h"

namespace {

class NSBundleTest : public testing::Test {
protected:
    void SetUp() override {
        folder.write("ZOZuzazOzaroz.bundle/en.lproj/Localizable.strings",
                     "\"CLFilterTool_DefaultTitle\" = \"Filter\";\n"
                     "\"CLTextTool_DefaultTitle\" = \"Text\";\n"
                     "\"OnlyInEnglish\" = \"English text\";\n");
        folder.write("ZOZuzazOzaroz.bundle/de.lproj/Localizable.strings",
                     "\"CLFilterTool_DefaultTitle\" = \"Filter (de)\";\n"
                     "\"CLTextTool_DefaultTitle\" = \"Text (de)\";\n");
        folder.write("ZOZuzazOzaroz.bundle/pt-BR.lproj/Localizable.strings",
                     "\"CLTextTool_DefaultTitle\" = \"Texto (BR)\";\n");
        folder.write("ZOZuzazOzaroz.bundle/pt.lproj/Localizable.strings",
                     "\"CLFilterTool_DefaultTitle\" = \"Filtro\";\n");
        folder.write("ZOZuzazOzaroz.bundle/en.lproj/Other.strings", "\"k\" = \"other table\";\n");
        folder.write("ZOZuzazOzaroz.bundle/CLFilterTool/black/icon.png", "not really a png");
        folder.write("ZOZuzazOzaroz.bundle/de.lproj/only-german.txt", "text");
        NSBundle::setPreferredLanguage("en");
    }
    void TearDown() override {
        NSBundle::setPreferredLanguage("");
        NSBundle::setMainBundlePath("");
    }

    std::shared_ptr<NSBundle> resourceBundle() const {
        return NSBundle::bundleWithPath(folder.path("ZOZuzazOzaroz.bundle"));
    }

    TemporaryFolder folder;
};

TEST_F(NSBundleTest, BundlesAndResourcePaths) {
    EXPECT_EQ(NSBundle::bundleWithPath(folder.path("missing")), nullptr);
    EXPECT_EQ(
        NSBundle::bundleWithPath(folder.path("ZOZuzazOzaroz.bundle/CLFilterTool/black/icon.png")),
        nullptr);

    NSBundle::setMainBundlePath(folder.path() + "/");
    const auto main = NSBundle::mainBundle();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->bundlePath(), folder.path());
    const std::string bundlePath = main->pathForResource("ZOZuzazOzaroz", "bundle");
    EXPECT_EQ(bundlePath, folder.path("ZOZuzazOzaroz.bundle"));
    EXPECT_EQ(main->pathForResource("ZOZuzazOzaroz", ".bundle"), bundlePath);
    EXPECT_EQ(main->pathForResource("ZOZuzazOzaroz.bundle", ""), bundlePath);
    EXPECT_EQ(main->pathForResource("Missing", "bundle"), "");
    EXPECT_EQ(main->pathForResource("", "bundle"), "");

    const auto bundle = NSBundle::bundleWithPath(bundlePath);
    ASSERT_NE(bundle, nullptr);
    // Localized resources are found in the language's folder.
    EXPECT_EQ(bundle->pathForResource("only-german", "txt"), "");
    NSBundle::setPreferredLanguage("de_DE");
    EXPECT_EQ(bundle->pathForResource("only-german", "txt"),
              folder.path("ZOZuzazOzaroz.bundle/de.lproj/only-german.txt"));

    // Without a setting the main bundle is the "resources" folder by the executable.
    NSBundle::setMainBundlePath("");
    EXPECT_EQ(NSBundle::mainBundle()->bundlePath(), NSBundle::defaultMainBundlePath());
    EXPECT_TRUE(NSBundle::defaultMainBundlePath().ends_with("/resources"));
}

TEST_F(NSBundleTest, MissingKeysGiveTheValueOrElseTheKey) {
    const auto bundle = resourceBundle();
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(bundle->localizedStringForKey("CLFilterTool_DefaultTitle", "Default"), "Filter");
    EXPECT_EQ(bundle->localizedStringForKey("CLFilterTool_DefaultTitle", ""), "Filter");
    EXPECT_EQ(bundle->localizedStringForKey("NoSuchKey", "Default"), "Default");
    EXPECT_EQ(bundle->localizedStringForKey("NoSuchKey", ""), "NoSuchKey");
    EXPECT_EQ(bundle->localizedStringForKey("k", "", "Other"), "other table");
    EXPECT_EQ(bundle->localizedStringForKey("k", "", "NoSuchTable"), "k");

    // A bundle without any tables answers the same way.
    const auto bare = NSBundle::bundleWithPath(folder.path("ZOZuzazOzaroz.bundle/CLFilterTool"));
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->localizedStringForKey("CLFilterTool_DefaultTitle", "Filter"), "Filter");
}

TEST_F(NSBundleTest, TheUsersLanguageWinsWithEnglishAsFallback) {
    const auto bundle = resourceBundle();
    ASSERT_NE(bundle, nullptr);

    NSBundle::setPreferredLanguage("de-AT");
    EXPECT_EQ(bundle->localizedStringForKey("CLFilterTool_DefaultTitle", "Filter"), "Filter (de)");
    EXPECT_EQ(bundle->localizedStringForKey("OnlyInEnglish", "Default"), "English text");
    EXPECT_EQ(bundle->localizedStringForKey("NoSuchKey", "Default"), "Default");

    NSBundle::setPreferredLanguage("pt_BR");
    EXPECT_EQ(NSBundle::localizationSearchOrder(),
              (std::vector<std::string>{"pt_BR", "pt-BR", "pt", "en"}));
    EXPECT_EQ(bundle->localizedStringForKey("CLTextTool_DefaultTitle", ""), "Texto (BR)");
    EXPECT_EQ(bundle->localizedStringForKey("CLFilterTool_DefaultTitle", ""), "Filtro");

    // A language with no tables at all reads English.
    NSBundle::setPreferredLanguage("fi");
    EXPECT_EQ(bundle->localizedStringForKey("CLTextTool_DefaultTitle", ""), "Text");
}
}  // namespace
