#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <numbers>

#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/controls/UIKeyboard.h"
#include "tests/tools/ToolWindowFixture.h"
#include "tools/overlay/text/CLTextTool.h"

// A picture of one light grey, so the (black by default) text is the only dark ink.
inline UIImagePtr plainPicture(int width, int height, double scale = 1) {
    auto bitmap = CGImage::create(width, height, CGPixelFormat::RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bitmap->mutableRow(y));
        std::fill(row, row + width, 0xFFE0E0E0u);
    }
    return UIImage::imageWithCGImage(bitmap, scale);
}

struct Channels {
    int a, r, g, b;
};
inline Channels channelsOf(std::uint32_t pixel) {
    return {static_cast<int>(pixel >> 24), static_cast<int>(pixel >> 16 & 0xFF),
            static_cast<int>(pixel >> 8 & 0xFF), static_cast<int>(pixel & 0xFF)};
}
inline bool isDark(std::uint32_t pixel) {
    const Channels c = channelsOf(pixel);
    return c.a > 128 && c.r + c.g + c.b < 300;
}
// Strongly coloured, as a colour emoji is and no grey or red text is.
inline bool isYellowish(std::uint32_t pixel) {
    const Channels c = channelsOf(pixel);
    return c.a > 128 && c.r > 180 && c.g > 120 && c.b < 100;
}
// Anything drawn on plainPicture's grey.
inline bool isInk(std::uint32_t pixel) {
    return (pixel | 0xFF000000u) != 0xFFE0E0E0u;
}

// Where the pixels that pass a test lie, in pixels: how many, their bounding box,
// their centre and the direction of their longest spread.
struct Ink {
    long count = 0;
    double minX = 1e9, minY = 1e9, maxX = -1, maxY = -1;
    double centreX = 0, centreY = 0;
    // Radians, in (-π/2, π/2]; y down, so positive turns clockwise on screen.
    double axis = 0;

    double width() const { return maxX - minX + 1; }
    double height() const { return maxY - minY + 1; }

    static Ink of(const UIImagePtr& image,
                  const std::function<bool(std::uint32_t)>& counts = isDark) {
        const CGImage& bitmap = *image->CGImage();
        Ink ink;
        double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
        for (int y = 0; y < bitmap.height(); ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(bitmap.row(y));
            for (int x = 0; x < bitmap.width(); ++x) {
                if (!counts(row[x])) {
                    continue;
                }
                ++ink.count;
                ink.minX = std::min<double>(ink.minX, x);
                ink.maxX = std::max<double>(ink.maxX, x);
                ink.minY = std::min<double>(ink.minY, y);
                ink.maxY = std::max<double>(ink.maxY, y);
                sx += x;
                sy += y;
                sxx += double(x) * x;
                syy += double(y) * y;
                sxy += double(x) * y;
            }
        }
        if (ink.count > 0) {
            const double n = static_cast<double>(ink.count);
            ink.centreX = sx / n;
            ink.centreY = sy / n;
            const double vxx = sxx / n - ink.centreX * ink.centreX;
            const double vyy = syy / n - ink.centreY * ink.centreY;
            const double vxy = sxy / n - ink.centreX * ink.centreY;
            ink.axis = 0.5 * std::atan2(2 * vxy, vxx - vyy);
        }
        return ink;
    }
};

// The text tool in the phone window, on a working view 320 points wide (the zoom a
// tool locks at is 95 % of the fit).
class TextToolTest : public ToolWindowTest {
protected:
    std::shared_ptr<CLTextTool> open(const UIImagePtr& picture) {
        openEditor(picture, {320 / 0.95, 568});
        startTool(CLTextTool::kClassName);
        return std::dynamic_pointer_cast<CLTextTool>(editor->currentTool());
    }
    // The keyboard covers the strip: the panel's close button takes it down first.
    void tapItem(const std::shared_ptr<CLTextTool>& tool, CLTextTool::MenuTag tag) {
        if (UIKeyboard::isVisible(*window)) {
            click(centreOf(*tool->settingView()->subviews().back()));
            settle();
        }
        const auto& item = tool->menuItem(tag);
        tool->menuScroll()->scrollRectToVisible(item->frame(), false);
        click(centreOf(*item));
        settle();
    }
    _CLTextViewPtr addBox(const std::shared_ptr<CLTextTool>& tool) {
        tapItem(tool, CLTextTool::kNew);
        return std::dynamic_pointer_cast<_CLTextView>(tool->workingView()->subviews().back());
    }
    void typeKeys(const char* text) {
        for (const char* key = text; *key != '\0'; ++key) {
            QTest::keyClick(window->nativeWindow(), *key);
        }
        settle();
    }
    // Text as an input method commits it, for what a key can't type alone.
    void commitText(const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QGuiApplication::sendEvent(window->nativeWindow(), &event);
        settle();
    }
    void dragHandle(const _CLTextViewPtr& box, double angle, double factor) {
        ToolWindowTest::dragHandle(*box, *box->circleView(), angle, factor);
    }
};
