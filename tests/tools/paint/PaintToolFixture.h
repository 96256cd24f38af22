#pragma once

#include <cstdint>
#include <memory>

#include "platform/graphics/UIScreen.h"
#include "platform/ui/controls/UISlider.h"
#include "tests/tools/ToolTestSupport.h"
#include "tests/tools/ToolWindowFixture.h"

inline std::uint32_t alpha(std::uint32_t pixel) {
    return pixel >> 24;
}

// A painting tool in the editor's window on a screen of scale 2, so that widths in
// points show as twice as many pixels.
class PaintToolTest : public ToolWindowTest {
protected:
    static constexpr double kScreenScale = 2;

    void TearDown() override {
        ToolWindowTest::TearDown();
        UIScreen::setScale(1);
    }

    template <typename Tool>
    std::shared_ptr<Tool> open(const UIImagePtr& picture) {
        openEditor(picture);
        // The window has set its own screen's scale.
        UIScreen::setScale(kScreenScale);
        startTool(Tool::kClassName);
        return std::dynamic_pointer_cast<Tool>(editor->currentTool());
    }
    // A point of view in the window's coordinates.
    CGPoint inWindow(const UIView& view, CGPoint at) const {
        return view.convertPointToView(at, window.get());
    }
    static void slide(UISlider& slider, double value) {
        slider.setValue(value);
        slider.sendActionsForControlEvents(UIControlEventValueChanged);
    }

    // How many pixels of row y, around x, are more than half covered.
    static int coveredRun(const UIImagePtr& image, int x, int y) {
        const auto covered = [&](int at) {
            return at >= 0 && at < image->CGImage()->width() && alpha(pixelAt(image, at, y)) > 128;
        };
        int run = covered(x) ? 1 : 0;
        for (int left = x - 1; run > 0 && covered(left); --left) {
            ++run;
        }
        for (int right = x + 1; run > 0 && covered(right); ++right) {
            ++run;
        }
        return run;
    }
};
