#include <algorithm>
#include <cmath>
#include <map>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/foundation/NSFileManager.h"
#include "tests/tools/overlay/stickers/StickerToolTestSupport.h"

namespace {

using CLStickerToolTest = StickerToolTest;

TEST_F(CLStickerToolTest, TheStripShowsThePicturesOfTheFolderAndAnUnreadableOneNone) {
    const std::string wide = addPicture("wide.png", solidPicture(400, 200, 0xFFFF0000));
    const std::string tall = addPicture("tall.png", solidPicture(30, 60, 0xFF0000FF));
    std::ofstream(folder / "notes.png") << "not a picture";
    const auto tool = openStickers(plainPicture(600, 600));
    const auto items = tool->menuScroll()->subviews();
    ASSERT_EQ(items.size(), 2u);
    const double stripWidth = tool->menuScroll()->bounds().width();
    EXPECT_EQ(tool->menuScroll()->contentSize().width, std::max(140.0, stripWidth + 1));
    std::map<std::string, CGSize> icons;
    for (std::size_t index = 0; index < items.size(); ++index) {
        const auto item = std::dynamic_pointer_cast<CLToolbarMenuItem>(items[index]);
        EXPECT_EQ(item->frame().origin.x, 70.0 * index) << "no gap for the file left out";
        EXPECT_EQ(item->title(), "");
        icons[CLStickerFolder::filePath(*item).value_or("")] = item->iconImage()->size();
    }
    EXPECT_EQ(icons[wide], (CGSize{50, 25}));
    EXPECT_EQ(icons[tall], (CGSize{25, 50}));
    clickBack();

    std::filesystem::remove_all(folder);
    const auto none = openStickers(plainPicture(600, 600));
    EXPECT_TRUE(none->menuScroll()->subviews().empty());
}

TEST_F(CLStickerToolTest, AStickerIsFittedIntoHalfTheWorkingViewAndCentred) {
    const std::string path = addPicture("wide.png", solidPicture(400, 200, 0xFFFF0000));
    const auto tool = openStickers(plainPicture(600, 600));
    ASSERT_NEAR(tool->workingView()->bounds().width(), 300, 1e-6);
    const auto box = tapSticker(*tool, path);
    ASSERT_NE(box, nullptr);
    const double scale = std::min(150.0 / 432, 150.0 / 232);
    EXPECT_NEAR(box->scale(), scale, 1e-6);
    EXPECT_NEAR(box->scale(), 0.347, 5e-4);
    EXPECT_EQ(box->imageView()->bounds().size, (CGSize{400, 200}));
    EXPECT_NEAR(box->bounds().width(), 400 * scale + 32, 1e-6);
    EXPECT_NEAR(box->center().x, 150, 1e-6);
    EXPECT_NEAR(box->center().y, 150, 1e-6);
    EXPECT_TRUE(box->active());
    EXPECT_EQ(_CLStickerView::activeStickerView(), box);
    EXPECT_EQ(box->imageView()->layer().borderWidth(), 1 / scale);
}

TEST_F(CLStickerToolTest, TheHandleStopsAtAFifthAndHasNoCeiling) {
    const std::string path = addPicture("small.png", solidPicture(40, 40, 0xFFFF0000));
    const auto tool = openStickers(plainPicture(600, 600));
    const auto box = tapSticker(*tool, path);
    const double placed = box->scale();
    EXPECT_NEAR(placed, 150.0 / 72, 1e-9);
    dragHandle(box, 0, 0.08);
    EXPECT_EQ(box->scale(), CLImageBox::kMinimumScale);
    dragHandle(box, 0, 20);
    EXPECT_NEAR(box->scale(), 4, 0.5) << "no ceiling: twice the size it was placed at";
}

TEST_F(CLStickerToolTest, TwoTapsGiveTwoStickersAndDeletingTheLastLeavesNoneActive) {
    const std::string path = addPicture("square.png", solidPicture(100, 100, 0xFFFF0000));
    const auto tool = openStickers(plainPicture(600, 600));
    const auto first = tapSticker(*tool, path);
    const auto second = tapSticker(*tool, path);
    ASSERT_EQ(tool->boxes().size(), 2u);
    EXPECT_EQ(tool->workingView()->subviews().back(), second) << "on top";
    EXPECT_TRUE(second->active());
    EXPECT_FALSE(first->active());
    EXPECT_TRUE(first->deleteButton()->isHidden());

    click(centreOf(*second->deleteButton()));
    settle();
    EXPECT_TRUE(first->active()) << "the nearest box below";
    click(centreOf(*first->deleteButton()));
    settle();
    EXPECT_TRUE(tool->boxes().empty());
    EXPECT_EQ(_CLStickerView::activeStickerView(), nullptr);
}

TEST_F(CLStickerToolTest, TheResultKeepsThePicturesSizeAndScaleAndCutsStickersAtItsEdge) {
    const std::string path = addPicture("wide.png", solidPicture(400, 200, 0xFFFF0000));
    const auto tool = openStickers(plainPicture(600, 600, 2));
    const auto box = tapSticker(*tool, path);
    box->setCenter({0, 150});
    clickOk();
    const UIImagePtr result = editor->originalImage();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->size(), (CGSize{300, 300}));
    EXPECT_EQ(result->scale(), 2);
    const Ink red = Ink::of(result, isRed);
    // One point of the picture a working point, two pixels a point; half of it is off.
    EXPECT_EQ(red.minX, 0);
    EXPECT_NEAR(red.width(), 400 * box->scale() / 2 * 2, 2);
    EXPECT_NEAR(red.height(), 200 * box->scale() * 2, 2);
    const auto black = [](std::uint32_t pixel) {
        const Channels c = channelsOf(pixel);
        return c.r + c.g + c.b < 100;
    };
    EXPECT_EQ(Ink::of(result, black).count, 0) << "no frame, handle or button";
}

TEST_F(CLStickerToolTest, TheRenderUsesWhatTheStickersShowedWhenOkWasPressed) {
    const std::string path = addPicture("square.png", solidPicture(100, 100, 0xFFFF0000));
    const auto tool = openStickers(plainPicture(600, 600));
    const auto box = tapSticker(*tool, path);
    DispatchQueue::global().hold();
    tool->executeWithCompletionBlock(
        [&](UIImagePtr image, auto, auto) { editor->imageView()->setImage(image); });
    box->setCenter({-1000, -1000});
    box->setScale(5);
    DispatchQueue::global().release();
    settle();
    const Ink red = Ink::of(editor->imageView()->image(), isRed);
    EXPECT_NEAR(red.centreX, 300, 2);
    EXPECT_NEAR(red.width(), 100 * 150.0 / 132 * 2, 2);
}

TEST_F(CLStickerToolTest, EmoticonsComeFromTheirOwnFolderAndKeepTheirOwnActiveBox) {
    const auto emoticons = open<CLEmoticonTool>(plainPicture(600, 600), 300, "", "");
    settle();
    const std::string bundled = CLEmoticonTool::defaultEmoticonPath();
    EXPECT_EQ(bundled.substr(bundled.size() - 25), "/CLEmoticonTool/Emoticons");
    const auto items = emoticons->menuScroll()->subviews();
    ASSERT_EQ(items.size(), NSFileManager::contentsOfDirectoryAtPath(bundled).size());
    click(centreOf(*items.front()));
    settle();
    const auto emoticon = std::dynamic_pointer_cast<_CLEmoticonView>(emoticons->boxes().back());
    ASSERT_NE(emoticon, nullptr);

    auto sticker = _CLStickerView::create(solidPicture(10, 10, 0xFFFF0000), *emoticons);
    emoticons->workingView()->addSubview(sticker);
    _CLStickerView::setActiveStickerView(sticker);
    EXPECT_TRUE(emoticon->active());
    EXPECT_TRUE(sticker->active());
    click(centreOf(*emoticon->deleteButton()));
    settle();
    EXPECT_EQ(_CLEmoticonView::activeEmoticonView(), nullptr) << "stickers are not its kind";
    EXPECT_TRUE(sticker->active());
    _CLStickerView::setActiveStickerView(nullptr);
}

TEST_F(CLStickerToolTest, StickerAndEmoticonsComeBeforeTextInTheEditorsStrip) {
    const auto titles = offeredTitles(CLImageToolBase::kClassName, "5.0");
    const auto sticker = std::find(titles.begin(), titles.end(), "Sticker");
    ASSERT_NE(sticker, titles.end());
    ASSERT_EQ(titles.end() - sticker, 3);
    EXPECT_EQ(*(sticker + 1), "Emoticons");
    EXPECT_EQ(*(sticker + 2), "Text");
    const auto old = offeredTitles(CLImageToolBase::kClassName, "4.3");
    EXPECT_EQ(std::find(old.begin(), old.end(), "Emoticons"), old.end());
}

}  // namespace
