#include <benchmark/benchmark.h>

#include "bench/platform/PhotoLikePicture.h"
#include "bench/tools/VectorLevels.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIImageUtility.h"
#include "platform/foundation/NSBundle.h"
#include "tools/blur/CLBlurTool.h"

namespace {

// A circle of the default size on a phone's 390 x 293 picture, at the picture's scale.
CLBlurComposer circleComposer(int width) {
    NSBundle::setMainBundlePath(PHOTOEDITOR_APP_RESOURCES);
    CLBlurComposer composer;
    composer.mode = CLBlurComposer::kCircle;
    composer.circleFrame = {-24.75, -73.25, 439.5, 439.5};
    composer.viewWidth = 390;
    composer.originalWidth = width;
    composer.circleMask = ZOZuzazOzarozTheme::imageNamedImage(CLBlurTool::kClassName, "circle.png");
    return composer;
}

// After a gesture: the composition of the blurred preview with the new mask.
void BM_BlurPreviewComposition(benchmark::State& state, VectorLevel level) {
    const UIImagePtr thumbnail = makePhotoLikePicture(390, 293);
    const UIImagePtr blurred = UIImageUtility::gaussBlur(thumbnail, CLBlurTool::kStartLevel);
    const CLBlurComposer composer = circleComposer(390);
    const vectorlevel::ScopedLimit limit(level);
    for (auto _ : state) {
        benchmark::DoNotOptimize(composer.buildResultImage(thumbnail, blurred));
    }
}

// "OK" in circle mode: the full-size blur and the composition.
void BM_BlurOk(benchmark::State& state, VectorLevel level) {
    const UIImagePtr photo = makePhotoLikePicture(4032, 3024);
    const CLBlurComposer composer = circleComposer(4032);
    const vectorlevel::ScopedLimit limit(level);
    for (auto _ : state) {
        benchmark::DoNotOptimize(composer.buildResultImage(
            photo, UIImageUtility::gaussBlur(photo, CLBlurTool::kStartLevel)));
    }
}

const bool registered = [] {
    for (const auto& [levelName, level] : kVectorLevels) {
        benchmark::RegisterBenchmark(
            (std::string("BlurPreviewComposition/circle/") + levelName).c_str(),
            BM_BlurPreviewComposition, level)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark((std::string("BlurOk/circle/12MP/") + levelName).c_str(),
                                     BM_BlurOk, level)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    return true;
}();

}  // namespace
