#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/shell/HomeViewController.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/graphics/ImageEncoder.h"
#include "platform/ui/animation/AnimationClock.h"
#include "tests/core/BundleFixture.h"
#include "tools/overlay/stickers/CLStickerFolder.h"

namespace {

class HomeViewControllerTest : public AppResourcesTest {
protected:
    void SetUp() override {
        AppResourcesTest::SetUp();
        AnimationClock::shared().setManualStepping(true);
        folder = std::filesystem::temp_directory_path() /
                 ("categories-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        AnimationClock::shared().setManualStepping(false);
        std::filesystem::remove_all(folder);
        AppResourcesTest::TearDown();
    }

    // The screen on folder, its view loaded.
    std::shared_ptr<HomeViewController> screenOn(const std::string& stickerPath) {
        auto screen = std::make_shared<HomeViewController>();
        auto info = std::make_shared<CLImageToolInfo>();
        info->setOptionalInfo(ValueDictionary{{"stickerPath", stickerPath}});
        screen->setToolInfo(info);
        screen->loadViewIfNeeded();
        return screen;
    }
    void addPicture(const std::string& name) {
        const auto bytes = ImageEncoder::encodePNG(
            *UIImage::imageWithCGImage(CGImage::create(60, 30, CGPixelFormat::RGB32)));
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    std::filesystem::path folder;
};

TEST_F(HomeViewControllerTest, EightDarkRowsOfIconsAndBoldWhiteTitles) {
    const auto screen = screenOn(folder.string());
    const auto table = screen->mainTableView();
    const UIColor grey = UIColor::colorWithRed(17 / 255.0, 17 / 255.0, 17 / 255.0, 1);
    EXPECT_EQ(table->backgroundColor(), grey);
    const std::vector<std::string> titles{
        "Word Ballon", "Title",           "Hats & Helmets",     "Hairstyles",
        "Eyes",        "Masks & Glasses", "Ears, Nose & Mouth", "Beards & Moustaches"};
    EXPECT_EQ(screen->titles(), titles);
    EXPECT_EQ(screen->icons().front(), "ic_1text");
    EXPECT_EQ(screen->icons().back(), "ic_8beard");
    for (int row = 0; row < 8; ++row) {
        const auto cell = table->cellForRowAtIndexPath({0, row});
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->frame(), (CGRect{0, 63.0 * row, table->bounds().width(), 63}));
        EXPECT_EQ(cell->reuseIdentifier(), "CellIdentifier");
        EXPECT_EQ(cell->backgroundColor(), grey);
        EXPECT_EQ(cell->textLabel()->text(), titles[static_cast<std::size_t>(row)]);
        EXPECT_EQ(cell->textLabel()->textColor(), UIColor::whiteColor());
        EXPECT_EQ(cell->textLabel()->font(), UIFont::boldSystemFontOfSize(18));
        EXPECT_NE(cell->imageView()->image(), nullptr) << "the row's icon";
    }
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 8}), nullptr);
    EXPECT_NEAR(table->contentSize().height, 8 * 63, 0.001) << "a footer of no height";
}

TEST_F(HomeViewControllerTest, StickersAreThePicturesOfTheFolderAndOnlyTheirRowsFlash) {
    addPicture("a.png");
    addPicture("b.png");
    std::ofstream(folder / "c.png") << "not a picture";
    const auto screen = screenOn(folder.string());
    ASSERT_EQ(screen->stickers().size(), 2u);
    for (const auto& item : screen->stickers()) {
        EXPECT_EQ(item->iconImage()->size(), (CGSize{50, 25}));
        const auto path = CLStickerFolder::filePath(*item);
        ASSERT_TRUE(path.has_value());
        EXPECT_EQ(std::filesystem::path(*path).parent_path(), folder);
    }

    UITableView& table = *screen->mainTableView();
    screen->tableViewDidSelectRowAtIndexPath(table, {0, 1});
    EXPECT_EQ(screen->stickers()[1]->presentationAlpha(), 0.2);
    EXPECT_EQ(screen->stickers()[0]->presentationAlpha(), 1);
    AnimationClock::shared().runToEnd();
    EXPECT_EQ(screen->stickers()[1]->presentationAlpha(), 1);
    // Rows past the last sticker have none to act on.
    screen->tableViewDidSelectRowAtIndexPath(table, {0, 7});
    EXPECT_EQ(screen->stickers()[0]->presentationAlpha(), 1);
    EXPECT_EQ(screen->stickers()[1]->presentationAlpha(), 1);

    EXPECT_TRUE(screenOn((folder / "missing").string())->stickers().empty());
}

TEST_F(HomeViewControllerTest, WithoutSettingsTheStickersAreTheBundlesOwn) {
    auto screen = std::make_shared<HomeViewController>();
    screen->loadViewIfNeeded();
    const std::string bundled = HomeViewController::defaultStickerPath();
    EXPECT_EQ(bundled, kResourceBundle + "/CLStickerTool/stickers");
    EXPECT_EQ(screen->stickers().size(), NSFileManager::contentsOfDirectoryAtPath(bundled).size());
    EXPECT_FALSE(screen->stickers().empty());
}

}  // namespace
