#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/ImageEncoder.h"
#include "platform/graphics/UIScreen.h"
#include "tests/platform/ui/view/ViewTestSupport.h"
#include "tests/tools/overlay/pickers/PickerScene.h"
#include "tools/overlay/pickers/CLColorPickerView.h"
#include "tools/overlay/pickers/CLFontPickerView.h"

using namespace viewtest;

namespace {

// The pickers as the open window shows them, kept as PNGs beside the test program
// (PICKER_SCREENSHOT_DIR) for a person to look at.
class PickerScreenshots : public testing::Test {
protected:
    void SetUp() override {
        UIScreen::setScale(2);
        scene.window->setBackgroundColor(UIColor::colorWithWhite(0.35));
        scene.window->makeKeyAndVisible();
        ASSERT_TRUE(scene.window->isVisible());
        // Lets the desktop window come up and paint.
        for (int turn = 0; turn < 20; ++turn) {
            runEventLoopOnce();
        }
    }
    void TearDown() override { UIScreen::setScale(1); }

    // The window as shown, saved under name; null if it could not be taken.
    UIImagePtr shoot(const std::string& name) {
        scene.window->displayIfNeeded();
        runEventLoopOnce();
        UIImagePtr shot = scene.window->snapshot();
        if (shot) {
            std::filesystem::create_directories(PICKER_SCREENSHOT_DIR);
            const auto png = ImageEncoder::encodePNG(*shot);
            std::ofstream(std::string(PICKER_SCREENSHOT_DIR) + "/" + name, std::ios::binary)
                .write(reinterpret_cast<const char*>(png.data()),
                       static_cast<std::streamsize>(png.size()));
        }
        return shot;
    }
    // A pixel at a point of the window.
    static Rgba at(const UIImage& shot, CGPoint point) {
        return pixelAt(shot, static_cast<int>(point.x * shot.scale()),
                       static_cast<int>(point.y * shot.scale()));
    }

    PickerScene scene;
};

TEST_F(PickerScreenshots, ColorPicker) {
    const auto picker = CLColorPickerView::create();
    picker->setCenter({195, 300});
    scene.window->addSubview(picker);
    picker->setColorWithHueSaturationBrightnessAlpha(0.58, 0.8, 0.9, 0.75);
    const auto shot = shoot("color_picker.png");
    ASSERT_TRUE(shot);
    // The ring's red at three o'clock, and the marker's ring-coloured disc.
    const CGPoint ring = picker->hueCircle()->convertPointToView({90 + 72, 90}, nullptr);
    EXPECT_TRUE(near(at(*shot, ring), {255, 51, 51, 255}, 12));
    const CGPoint marker = picker->hueCircle()->circleView()->convertPointToView({20, 20}, nullptr);
    const Rgba disc = at(*shot, marker);
    EXPECT_GT(disc.blue, disc.red + 60) << "a blue marker";
}

TEST_F(PickerScreenshots, FontPicker) {
    const auto names = CLFontPickerView::create({20, 80, 350, 200});
    names->setFont(names->fontList()[2].fontWithSize(24));
    scene.window->addSubview(names);
    const auto sample = CLFontPickerView::create({20, 320, 350, 200});
    sample->setText("Photo Editor");
    sample->setSizeComponentHidden(true);
    sample->setFontList(sample->fontList());
    sample->pickerView()->reloadComponent(0);
    scene.window->addSubview(sample);
    const auto shot = shoot("font_picker.png");
    ASSERT_TRUE(shot);
    // The veil lightens the rows around the clear middle band.
    const Rgba veiled = at(*shot, {25, 85});
    const Rgba band = at(*shot, {25, 180});
    EXPECT_GT(veiled.red, 200);
    EXPECT_TRUE(near(band, {89, 89, 89, 255}, 3));
}

}  // namespace
