#include <benchmark/benchmark.h>

#include "bench/platform/PhotoLikePicture.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "imaging/kernels/VectorLevel.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "tools/ToolCatalogue.h"
#include "tools/color/effects/CLEffectTool.h"

namespace {

const UIImagePtr& photo() {
    static const UIImagePtr picture = makePhotoLikePicture(4032, 3024);
    return picture;
}

// The effect tool started on the 12 MP photo in a phone-sized editor.
struct OpenTool {
    std::shared_ptr<_ZOZuzazOzarozViewController> editor;
    std::shared_ptr<CLEffectTool> tool;
};

const OpenTool& openTool() {
    static const OpenTool open = [] {
        ToolCatalogue::registerSharedClasses();
        AnimationClock::shared().setManualStepping(true);
        auto editor = std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(
            ZOZuzazOzaroz::createWithImage(photo()));
        editor->loadViewIfNeeded();
        editor->setupToolWithToolInfo(
            editor->toolInfo()->subToolInfoWithToolNameRecursive(CLEffectTool::kClassName, false));
        AnimationClock::shared().runToEnd();
        drainMainQueueAndWaitForPool();
        return OpenTool{editor, std::dynamic_pointer_cast<CLEffectTool>(editor->currentTool())};
    }();
    return open;
}

// One render of the effect at its starting values, as a preview (the display-size copy)
// or as "OK" (the full-size photo), with the engine held to a vector level. The values
// are taken on the timing thread as the tool takes them on the main thread.
void BM_EffectRender(benchmark::State& state, const std::string& effectClass, bool fullSize,
                     VectorLevel level) {
    const OpenTool& open = openTool();
    const auto* factory = CLEffectFactory::of(open.tool->registry().classNamed(effectClass));
    const UIImageViewPtr& imageView = open.editor->imageView();
    const CLEffectBasePtr effect =
        factory->makeInstance(imageView->superview(), imageView->frame(), nullptr);
    const UIImagePtr source = fullSize ? open.tool->originalImage() : open.tool->thumbnailImage();
    vectorlevel::setLimit(level);
    for (auto _ : state) {
        benchmark::DoNotOptimize(effect->effectRender()(source));
    }
    vectorlevel::setLimit(VectorLevel::Avx512);
    state.counters["pixels"] = source->CGImage()->width() * source->CGImage()->height();
}

const bool registered = [] {
    const std::pair<VectorLevel, const char*> levels[] = {
        {VectorLevel::Portable, "portable"},
        {VectorLevel::Avx2, "avx2"},
        {VectorLevel::Avx512, "avx512"},
    };
    for (const char* effect : CLEffectBase::kDockedEffectNames) {
        for (const bool fullSize : {false, true}) {
            for (const auto& [level, levelName] : levels) {
                const std::string name = std::string("EffectRender/") +
                                         (fullSize ? "12MP/" : "preview/") + effect + "/" +
                                         levelName;
                benchmark::RegisterBenchmark(name.c_str(), BM_EffectRender, std::string(effect),
                                             fullSize, level)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
            }
        }
    }
    return true;
}();

}  // namespace
