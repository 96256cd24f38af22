#include <benchmark/benchmark.h>

#include "bench/platform/PhotoLikePicture.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "tools/ToolCatalogue.h"
#include "tools/color/CLDefaultEmptyFilter.h"
#include "tools/color/CLFilterTool.h"

namespace {

const UIImagePtr& photo() {
    static const UIImagePtr picture = makePhotoLikePicture(4032, 3024);
    return picture;
}

std::shared_ptr<_ZOZuzazOzarozViewController> editorWithPhoto() {
    ToolCatalogue::registerSharedClasses();
    AnimationClock::shared().setManualStepping(true);
    auto editor = std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(
        ZOZuzazOzaroz::createWithImage(photo()));
    editor->loadViewIfNeeded();
    AnimationClock::shared().runToEnd();
    return editor;
}

// A tap's work: the full-size render on the global queue, then the picture handed to
// the editor's image view on the main queue.
void BM_FilterTapToShown(benchmark::State& state, const std::string& className) {
    const auto editor = editorWithPhoto();
    for (auto _ : state) {
        DispatchQueue::global().async([&] {
            UIImagePtr filtered = CLFilterTool::filteredImageWithToolName(photo(), className);
            DispatchQueue::main().async([&, filtered] { editor->imageView()->setImage(filtered); });
        });
        drainMainQueueAndWaitForPool();
        benchmark::DoNotOptimize(editor->imageView()->image());
    }
}

// Opening the filter tool until every strip item shows its thumbnail.
void BM_FilterThumbnailsFilled(benchmark::State& state) {
    const auto editor = editorWithPhoto();
    const auto filterTool =
        editor->toolInfo()->subToolInfoWithToolNameRecursive("CLFilterTool", false);
    for (auto _ : state) {
        editor->setupToolWithToolInfo(filterTool);
        drainMainQueueAndWaitForPool();
        state.PauseTiming();
        editor->pushedCancelBtn();
        AnimationClock::shared().runToEnd();
        drainMainQueueAndWaitForPool();
        state.ResumeTiming();
    }
}

const bool registered = [] {
    for (const char* name :
         {"CLDefaultLinearFilter", "CLDefaultVignetteFilter", "CLDefaultInstantFilter",
          "CLDefaultProcessFilter", "CLDefaultTransferFilter", "CLDefaultSepiaFilter",
          "CLDefaultChromeFilter", "CLDefaultFadeFilter", "CLDefaultCurveFilter",
          "CLDefaultTonalFilter", "CLDefaultNoirFilter", "CLDefaultMonoFilter",
          "CLDefaultInvertFilter"}) {
        benchmark::RegisterBenchmark((std::string("FilterTapToShown/12MP/") + name).c_str(),
                                     BM_FilterTapToShown, std::string(name))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::RegisterBenchmark("FilterThumbnailsFilled/12MP", BM_FilterThumbnailsFilled)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    return true;
}();

}  // namespace
