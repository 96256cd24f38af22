#include <benchmark/benchmark.h>

#include "bench/platform/PhotoLikePicture.h"
#include "imaging/kernels/VectorLevel.h"
#include "tools/geometry/CLClippingPanel.h"
#include "tools/geometry/CLClippingTool.h"
#include "tools/geometry/CLResizeTool.h"

namespace {

const UIImagePtr& photo() {
    static const UIImagePtr picture = makePhotoLikePicture(4032, 3024);
    return picture;
}

// "OK" of the crop tool on a 12 MP photo shown 360 points wide, cut to a 16 : 9 fit.
void BM_CropOk(benchmark::State& state) {
    const CGSize view{360, 270};
    const CGRect fit = CLClippingPanel::fittedRect(view, 9.0 / 16);
    const UIImagePtr& picture = photo();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CLClippingTool::croppedImage(picture, fit, view.width));
    }
}

// "OK" of the resize tool on a 12 MP photo, to the default limit's 3200 x 2400 and to
// the 640 preset, with the engine's vector paths limited to level.
void BM_ResizeOk(benchmark::State& state, CGSize size, VectorLevel level) {
    vectorlevel::setLimit(level);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CLResizeTool::resizedImage(photo(), size));
    }
    vectorlevel::setLimit(VectorLevel::Avx512);
}

// The crop strip's thumbnail, made when the tool opens.
void BM_CropThumbnail(benchmark::State& state, VectorLevel level) {
    vectorlevel::setLimit(level);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CLClippingTool::thumbnailImage(photo()));
    }
    vectorlevel::setLimit(VectorLevel::Avx512);
}

// The resize strip's eight preset icons, drawn on the main thread when the tool opens.
void BM_ResizePresetIcons(benchmark::State& state) {
    for (auto _ : state) {
        for (const Value& size : CLResizeTool::defaultPresetSizes()) {
            benchmark::DoNotOptimize(CLResizeTool::imageWithString(size.description()));
        }
    }
}

const bool registered = [] {
    benchmark::RegisterBenchmark("ResizePresetIcons", BM_ResizePresetIcons)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("CropOk16to9/12MP", BM_CropOk)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    for (const auto& [levelName, level] :
         {std::pair{"portable", VectorLevel::Portable}, std::pair{"avx2", VectorLevel::Avx2},
          std::pair{"avx512", VectorLevel::Avx512}}) {
        for (const auto& [sizeName, size] :
             {std::pair{"3200x2400", CGSize{3200, 2400}}, std::pair{"640x480", CGSize{640, 480}}}) {
            const std::string name = std::string("ResizeOk/12MP/") + sizeName + "/" + levelName;
            benchmark::RegisterBenchmark(name.c_str(), BM_ResizeOk, size, level)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
        const std::string thumbnail = std::string("CropThumbnail/12MP/") + levelName;
        benchmark::RegisterBenchmark(thumbnail.c_str(), BM_CropThumbnail, level)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    return true;
}();

}  // namespace
