#include <QtGui/QWindow>
#include <QtTest/QTest>
#include <cmath>
#include <sstream>

#include "app/shell/AppTour.h"
#include "platform/ui/window/NativeWindow.h"
#include "tests/app/shell/AppTestSupport.h"
#include "tools/color/CLFilterTool.h"

namespace {

// Average difference per colour channel over a grid of points.
double meanDifference(const UIImage& a, const UIImage& b) {
    const CGImage& first = *a.CGImage();
    const CGImage& second = *b.CGImage();
    double total = 0;
    int samples = 0;
    for (int y = 0; y < first.height(); y += 7) {
        for (int x = 0; x < first.width(); x += 7) {
            const auto* p = first.row(y) + 4 * x;
            const auto* q = second.row(y) + 4 * x;
            for (int c = 0; c < 3; ++c) {
                total += std::abs(int(p[c]) - int(q[c]));
            }
            ++samples;
        }
    }
    return total / (3.0 * samples);
}

}  // namespace

// New → Photo Library → first picture → Filter → Sepia → OK → Done → Share →
// Save to Photos, every tap a mouse click through the desktop's input events.
TEST_F(AppFixture, AFirstEditThroughTheRealWindowSavesTheFullSizeSepiaPicture) {
    NativeWindow* native = app_.window()->nativeWindow();
    ASSERT_NE(native, nullptr);
    for (int turn = 0; turn < 100 && !native->isExposed(); ++turn) {
        runEventLoopOnce();
    }
    // The library lists its files newest first; the grid shows those that are pictures.
    UIImagePtr original;
    for (const std::string& path : PhotoLibrary::picturePaths()) {
        if ((original = UIImage::imageWithContentsOfFile(path))) {
            break;
        }
    }

    std::ostringstream log;
    AppTour tour(
        app_,
        [native](CGPoint point) {
            QTest::mouseClick(native, Qt::LeftButton, {},
                              QPoint(static_cast<int>(std::lround(point.x)),
                                     static_cast<int>(std::lround(point.y))));
        },
        (std::filesystem::temp_directory_path() / "photoeditor-tour").string(), log);
    const AppTour::Result result = tour.run();
    ASSERT_EQ(result.failure, "") << log.str();

    const UIImagePtr saved = UIImage::imageWithContentsOfFile(result.savedPath);
    ASSERT_NE(saved, nullptr);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(saved->CGImage()->width(), original->CGImage()->width());
    EXPECT_EQ(saved->CGImage()->height(), original->CGImage()->height());
    const UIImagePtr sepia =
        CLFilterTool::filteredImageWithToolName(original, "CLDefaultSepiaFilter");
    EXPECT_LT(meanDifference(*saved, *sepia), 3.0) << "the saved picture is the sepia one";
    EXPECT_GT(meanDifference(*saved, *original), 10.0) << "and not the original";
}
