#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/UIImageUtility.h"
#include "tests/core/EditorFixture.h"
#include "tests/platform/ui/view/ViewTestSupport.h"

namespace {

using viewtest::kWhite;
using viewtest::near;
using viewtest::pixelAt;

std::string writePng(const UIImage& shot, const std::string& name) {
    const std::vector<std::uint8_t> png = UIImagePNGRepresentation(shot);
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return png.empty() ? std::string() : path.string();
}

viewtest::Rgba pointAt(const UIImage& shot, double x, double y) {
    return pixelAt(shot, static_cast<int>(x * shot.scale()), static_cast<int>(y * shot.scale()));
}

class PhoneEditorTest : public EditorTest {
protected:
    PhoneEditorTest() : EditorTest(CGRect{{0, 0}, UIWindow::kPhoneSize}) {}
};

// The editor on a phone with a 4032 x 3024 photo, in menu mode and in tool mode.
TEST_F(PhoneEditorTest, RendersMenuModeAndToolModeOnAPhone) {
    const auto garden = UIImage::imageWithContentsOfFile(std::string(PHOTOEDITOR_SOURCE_RESOURCES) +
                                                         "/library/garden.jpg");
    ASSERT_NE(garden, nullptr);
    const auto photo = UIImageUtility::aspectFill(garden, {4032, 3024});
    ASSERT_EQ(photo->size(), (CGSize{4032, 3024}));

    window->setRootViewController(host);
    const auto editor = makeEditor(photo);
    for (const CLImageToolInfoPtr& tool : editor->toolInfo()->subtools()) {
        if (tool->title() == "DefaultTitle") {
            // The blur tool's key is the one not formed from its class name.
            const std::string key = tool->toolName() == "CLBlurTool"
                                        ? "CLBlurEffect_DefaultTitle"
                                        : tool->toolName() + "_DefaultTitle";
            tool->setTitle(ZOZuzazOzarozTheme::localizedStringWithDefault(key, tool->toolName()));
        }
    }
    host->presentViewController(editor, false);
    settle();
    window->displayIfNeeded();
    const auto menuShot = window->snapshot();
    ASSERT_NE(menuShot, nullptr);
    EXPECT_EQ(menuShot->size(), UIWindow::kPhoneSize);
    const CGRect picture =
        editor->imageView()->convertRectToView(editor->imageView()->bounds(), window.get());
    EXPECT_FALSE(near(pointAt(*menuShot, picture.midX(), picture.midY()), kWhite, 30));

    startTool(editor, "PictureTool");
    window->displayIfNeeded();
    const auto toolShot = window->snapshot();
    ASSERT_NE(toolShot, nullptr);
    EXPECT_TRUE(near(pointAt(*toolShot, 195, 844 - 40), kWhite, 4)) << "the strip is gone";
    EXPECT_FALSE(near(pointAt(*toolShot, picture.midX(), picture.midY()), kWhite, 30));

    const std::string menuPath = writePng(*menuShot, "editor_menu_mode.png");
    const std::string toolPath = writePng(*toolShot, "editor_tool_mode.png");
    EXPECT_FALSE(menuPath.empty());
    EXPECT_FALSE(toolPath.empty());
    std::cout << "Editor screenshots: " << menuPath << " " << toolPath << "\n";
}

}  // namespace
