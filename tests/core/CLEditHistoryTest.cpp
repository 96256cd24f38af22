#include <gtest/gtest.h>

#include <filesystem>

#include "core/CLEditHistory.h"
#include "platform/graphics/CGImage.h"

namespace {

// 64 x 32 pixels of one grey level: 8 KB each.
UIImagePtr step(std::uint8_t level) {
    auto bitmap = CGImage::create(64, 32, CGPixelFormat::ARGB32Premultiplied);
    for (int y = 0; y < 32; ++y) {
        std::fill_n(bitmap->mutableRow(y), 64 * 4, level);
    }
    return UIImage::imageWithCGImage(bitmap, 2);
}

std::uint8_t levelOf(const UIImagePtr& picture) {
    return picture->CGImage()->row(31)[63 * 4];
}

std::size_t openFiles() {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                      std::filesystem::directory_iterator()));
}

}  // namespace

TEST(CLEditHistory, UndoAndRedoRestoreEveryStepAlsoFromTheSpillFile) {
    const std::size_t filesBefore = openFiles();
    {
        // Room for two steps in memory; the others go to the file.
        CLEditHistory history(step(0), 2 * 64 * 32 * 4);
        for (std::uint8_t level = 1; level <= 4; ++level) {
            history.add(step(level * 50));
        }
        EXPECT_LE(history.bytesInMemory(), 2u * 64 * 32 * 4);
        EXPECT_GT(history.bytesSpilled(), 0u);
        EXPECT_FALSE(history.canRedo());
        for (int level = 3; level >= 0; --level) {
            const UIImagePtr back = history.undo();
            ASSERT_NE(back, nullptr);
            EXPECT_EQ(levelOf(back), level * 50);
            EXPECT_EQ(back->scale(), 2);
        }
        EXPECT_FALSE(history.canUndo());
        EXPECT_EQ(history.undo(), nullptr);
        EXPECT_EQ(levelOf(history.redo()), 50);
        EXPECT_EQ(levelOf(history.redo()), 100);

        history.add(step(7));
        EXPECT_FALSE(history.canRedo()) << "a new step drops the redo steps";
        EXPECT_EQ(levelOf(history.undo()), 100);
        EXPECT_EQ(openFiles(), filesBefore + 1);
    }
    EXPECT_EQ(openFiles(), filesBefore) << "the spill file goes with the history";
}
