#include <benchmark/benchmark.h>

#include <string>

#include "bench/platform/PhotoLikePicture.h"
#include "bench/tools/VectorLevels.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/UIScreen.h"
#include "platform/ui/animation/AnimationClock.h"
#include "tools/ToolCatalogue.h"
#include "tools/paint/CLDrawTool.h"
#include "tools/paint/CLSplashTool.h"

namespace {

// A 12 MP photo taken upright, as a phone shows it most: 3 : 4.
const UIImagePtr& portraitPhoto() {
    static const UIImagePtr picture = makePhotoLikePicture(3024, 4032);
    return picture;
}

// The tool open in an editor on a phone's screen of scale 3.
template <typename Tool>
std::shared_ptr<Tool> openTool(std::shared_ptr<_ZOZuzazOzarozViewController>& editor) {
    ToolCatalogue::registerSharedClasses();
    AnimationClock::shared().setManualStepping(true);
    UIScreen::setScale(3);
    editor = std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(
        ZOZuzazOzaroz::createWithImage(portraitPhoto()));
    editor->loadViewIfNeeded();
    editor->setupToolWithToolInfo(
        editor->toolInfo()->subToolInfoWithToolNameRecursive(Tool::kClassName, false));
    AnimationClock::shared().runToEnd();
    return std::dynamic_pointer_cast<Tool>(editor->currentTool());
}

// One segment of a finger moving 8 points between touch events (fast painting at
// 120 Hz), zig-zagging over the picture, as the pan delivers it.
template <typename Tool>
void BM_PaintSegment(benchmark::State& state) {
    std::shared_ptr<_ZOZuzazOzarozViewController> editor;
    const auto tool = openTool<Tool>(editor);
    const CGSize area = tool->drawingView()->bounds().size;
    CGPoint at{10, 10};
    double step = 8;
    for (auto _ : state) {
        CGPoint next{at.x + step, at.y + 0.5};
        if (next.x > area.width - 10 || next.x < 10) {
            step = -step;
            next = {at.x, at.y + 8};
        }
        if (next.y > area.height - 10) {
            next.y = 10;
        }
        tool->drawLine(at, next);
        at = next;
    }
    state.SetLabel(std::to_string(static_cast<int>(area.width)) + " x " +
                   std::to_string(static_cast<int>(area.height)) + " points at scale 3");
    editor->pushedCancelBtn();
    AnimationClock::shared().runToEnd();
}

// "OK" at 12 MP: the overlay or mask of a phone's screen over the full-size photo.
void BM_DrawOk(benchmark::State& state) {
    CLStrokeCanvas overlay({390, 520}, 3);
    overlay.drawLine({40, 40}, {350, 480}, 6.5, UIColor::redColor(), CGBlendMode::Normal);
    const UIImagePtr painted = overlay.image();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CLDrawTool::buildImage(portraitPhoto(), painted));
    }
}

void BM_SplashOk(benchmark::State& state, VectorLevel level) {
    CLStrokeCanvas mask({390, 520}, 3, CGPixelFormat::Grey8);
    mask.drawLine({40, 40}, {350, 480}, 30, UIColor::whiteColor(), CGBlendMode::Normal);
    const UIImagePtr painted = mask.image();
    const vectorlevel::ScopedLimit limit(level);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CLSplashTool::buildImage(portraitPhoto(), painted));
    }
}

// Opening the splash tool: the grey copy at twice the on-screen size.
void BM_SplashGrayPreview(benchmark::State& state, VectorLevel level) {
    const vectorlevel::ScopedLimit limit(level);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CLSplashTool::grayPreviewImage(portraitPhoto(), {390, 520}));
    }
}

const bool registered = [] {
    // CPU time of every thread: the splash's masking runs on the pool.
    benchmark::RegisterBenchmark("DrawSegment/phone", BM_PaintSegment<CLDrawTool>)
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime();
    benchmark::RegisterBenchmark("SplashSegment/phone", BM_PaintSegment<CLSplashTool>)
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime();
    benchmark::RegisterBenchmark("DrawOk/12MP", BM_DrawOk)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    for (const auto& [levelName, level] : kVectorLevels) {
        benchmark::RegisterBenchmark((std::string("SplashOk/12MP/") + levelName).c_str(),
                                     BM_SplashOk, level)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark((std::string("SplashGrayPreview/12MP/") + levelName).c_str(),
                                     BM_SplashGrayPreview, level)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    return true;
}();

}  // namespace
