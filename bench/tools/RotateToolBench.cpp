#include <benchmark/benchmark.h>

#include "bench/platform/PhotoLikePicture.h"
#include "bench/tools/VectorLevels.h"
#include "tools/geometry/CLRotateTool.h"

namespace {

// "OK" at 30 degrees: the full-size turn, and with crop-rotate the cut back to the
// starting aspect, with the engine's vector paths limited to level.
void BM_RotateOk(benchmark::State& state, int width, int height, bool cropRotate,
                 VectorLevel level) {
    const UIImagePtr photo = makePhotoLikePicture(width, height);
    const CLRotateState thirtyDegrees{.sliderValue = 1.0 / 6};
    const vectorlevel::ScopedLimit limit(level);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            CLRotateTool::buildImage(photo, thirtyDegrees, {320, 240}, cropRotate));
    }
}

const bool registered = [] {
    for (const auto& [size, width, height] :
         {std::tuple{"12MP", 4032, 3024}, std::tuple{"48MP", 8064, 6048}}) {
        for (const auto& [levelName, level] : kVectorLevels) {
            for (const bool crop : {false, true}) {
                const std::string name = std::string("RotateOk30Degrees/") + size + "/" +
                                         levelName + (crop ? "/cropRotate" : "");
                benchmark::RegisterBenchmark(name.c_str(), BM_RotateOk, width, height, crop, level)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
            }
        }
    }
    return true;
}();

}  // namespace
