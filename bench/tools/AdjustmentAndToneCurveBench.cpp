#include <benchmark/benchmark.h>

#include "bench/platform/PhotoLikePicture.h"
#include "bench/tools/VectorLevels.h"
#include "tools/color/CLAdjustmentTool.h"
#include "tools/tonecurve/CLToneCurveTool.h"

namespace {

// The picture as the tools preview it on a phone: resized to the image view's frame.
constexpr int kPreviewWidth = 390;
constexpr int kPreviewHeight = 293;

const CLAdjustmentTool::Values kAdjusted{1.4F, 0.3F, 1.2F};
const CLToneCurveTool::Points kBent{Vector{0, 0.05}, Vector{0.25, 0.3}, Vector{0.5, 0.62},
                                    Vector{0.75, 0.85}, Vector{1, 0.95}};

template <typename Render>
void BM_Render(benchmark::State& state, int width, int height, VectorLevel level, Render render) {
    const UIImagePtr photo = makePhotoLikePicture(width, height);
    const vectorlevel::ScopedLimit limit(level);
    for (auto _ : state) {
        benchmark::DoNotOptimize(render(photo));
    }
}

template <typename Render>
void add(const std::string& tool, Render render) {
    for (const auto& [size, width, height] :
         {std::tuple{"preview", kPreviewWidth, kPreviewHeight}, std::tuple{"12MP", 4032, 3024}}) {
        for (const auto& [levelName, level] : kVectorLevels) {
            benchmark::RegisterBenchmark((tool + "/" + size + "/" + levelName).c_str(),
                                         BM_Render<Render>, width, height, level, render)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    }
}

const bool registered = [] {
    add("Adjustment",
        [](const UIImagePtr& photo) { return CLAdjustmentTool::filteredImage(photo, kAdjusted); });
    add("ToneCurve",
        [](const UIImagePtr& photo) { return CLToneCurveTool::filteredImage(photo, kBent); });
    return true;
}();

}  // namespace
