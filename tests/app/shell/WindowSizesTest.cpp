#include <QtCore/QCoreApplication>
#include <sstream>

#include "app/shell/AppTour.h"
#include "app/shell/WindowTaps.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "platform/ui/window/NativeWindow.h"
#include "platform/ui/window/UIWindow.h"
#include "tests/app/shell/AppTestSupport.h"

namespace {

class WindowSizesTest : public AppFixture, public ::testing::WithParamInterface<CGSize> {
protected:
    void resize(CGSize size) {
        app_.window()->nativeWindow()->resize(static_cast<int>(size.width),
                                              static_cast<int>(size.height));
        QCoreApplication::processEvents();
        settle();
    }

    CGRect inWindow(const UIView& view) const {
        return view.convertRectToView(view.bounds(), app_.window().get());
    }

    // In the editor's menu mode: the strip spans the window's foot, the picture lies
    // between the bar and the strip, and "Done" is inside the window.
    void expectEditorFits(CGSize size) {
        // The editor is pushed on the picker, which the begin screen presents.
        const auto picker =
            std::dynamic_pointer_cast<UINavigationController>(begin()->presentedViewController());
        ASSERT_NE(picker, nullptr);
        const auto editor =
            std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(picker->topViewController());
        ASSERT_NE(editor, nullptr);
        const CGRect strip = inWindow(*editor->menuView());
        EXPECT_EQ(strip.width(), size.width);
        EXPECT_EQ(strip.maxY(), size.height);
        const CGRect picture = inWindow(*editor->imageView());
        EXPECT_LE(picture.maxY(), strip.minY() + 0.5);
        EXPECT_GE(picture.minY(), picker->navigationBar()->frame().maxY() - 0.5);
        EXPECT_TRUE(picture.width() >= size.width - 1 || picture.height() >= strip.minY() - 45)
            << "the picture fills the viewport one way";
        EXPECT_LE(inWindow(*picker->navigationBar()).maxX(), size.width);
    }
};

// The window is resized once the photo is open in the editor; the rest of the first edit
// ("Filter", "Sepia", "OK", "Done", "Share", "Save to Photos") then has to find every
// button on screen at the new size.
TEST_P(WindowSizesTest, TheFirstEditGoesThroughAfterTheWindowChangesSize) {
    const CGSize size = GetParam();
    WindowTaps taps(*app_.window());
    std::ostringstream log;
    int tapsMade = 0;
    AppTour tour(
        app_,
        [&](CGPoint point) {
            taps(point);
            if (++tapsMade == 3) {
                settle();
                resize(size);
                expectEditorFits(size);
            }
        },
        (library_ / "screens").string(), log);
    const AppTour::Result result = tour.run();
    EXPECT_EQ(result.failure, "") << log.str();
    EXPECT_EQ(app_.window()->bounds().size, size);
}

INSTANTIATE_TEST_SUITE_P(PhoneTabletAndLandscape, WindowSizesTest,
                         ::testing::Values(CGSize{320, 568}, CGSize{390, 844}, CGSize{820, 1180},
                                           CGSize{1180, 820}));

}  // namespace
