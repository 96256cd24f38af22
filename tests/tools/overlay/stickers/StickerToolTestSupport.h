#pragma once

#include <atomic>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "tests/tools/ToolTestSupport.h"
#include "tests/tools/overlay/text/TextToolTestSupport.h"
#include "tools/overlay/stickers/CLEmoticonTool.h"
#include "tools/overlay/stickers/CLStickerFolder.h"
#include "tools/overlay/stickers/CLStickerTool.h"

// A picture of one colour (0xAARRGGBB, premultiplied) and size in points.
inline UIImagePtr solidPicture(int width, int height, std::uint32_t colour) {
    auto bitmap = CGImage::create(width, height, CGPixelFormat::ARGB32Premultiplied);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bitmap->mutableRow(y));
        std::fill(row, row + width, colour);
    }
    return UIImage::imageWithCGImage(bitmap);
}

inline bool isRed(std::uint32_t pixel) {
    const Channels c = channelsOf(pixel);
    return c.a > 200 && c.r > 200 && c.g < 60 && c.b < 60;
}

// The sticker and emoticon tools in the phone window, on folders of the test's own.
class StickerToolTest : public ToolWindowTest {
protected:
    void SetUp() override {
        ToolWindowTest::SetUp();
        static std::atomic<int> count{0};
        folder = std::filesystem::temp_directory_path() /
                 ("stickers-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        ToolWindowTest::TearDown();
        std::filesystem::remove_all(folder);
    }

    std::string addPicture(const std::string& name, const UIImagePtr& picture) {
        const auto bytes = UIImagePNGRepresentation(*picture);
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return (folder / name).string();
    }

    // Opens the editor on picture with a working view workingSide points wide (for a
    // square picture) and starts the tool, its folder option set to folderPath unless
    // empty.
    template <typename Tool>
    std::shared_ptr<Tool> open(const UIImagePtr& picture, double workingSide,
                               const std::string& optionKey, const std::string& folderPath) {
        // The zoom a tool locks at is 95 % of the fit.
        openEditor(picture, {workingSide / 0.95, 568});
        if (!folderPath.empty()) {
            editor->toolInfo()
                ->subToolInfoWithToolNameRecursive(Tool::kClassName, false)
                ->optionalInfo()
                ->insert_or_assign(optionKey, folderPath);
        }
        startTool(Tool::kClassName);
        return std::dynamic_pointer_cast<Tool>(editor->currentTool());
    }
    std::shared_ptr<CLStickerTool> openStickers(const UIImagePtr& picture,
                                                double workingSide = 300) {
        return open<CLStickerTool>(picture, workingSide, "stickerPath", folder.string());
    }

    // Clicks the strip's item of the file, scrolled into sight; its box, the newest.
    CLImageBoxPtr tapSticker(const CLFolderImageTool& tool, const std::string& path) {
        for (const UIViewPtr& item : tool.menuScroll()->subviews()) {
            if (CLStickerFolder::filePath(*item) == path) {
                tool.menuScroll()->scrollRectToVisible(item->frame(), false);
                click(centreOf(*item));
                settle();
                return tool.boxes().empty() ? nullptr : tool.boxes().back();
            }
        }
        ADD_FAILURE() << "no strip item for " << path;
        return nullptr;
    }

    void dragHandle(const CLImageBoxPtr& box, double angle, double factor) {
        ToolWindowTest::dragHandle(*box, *box->circleView(), angle, factor);
    }

    std::filesystem::path folder;
};
