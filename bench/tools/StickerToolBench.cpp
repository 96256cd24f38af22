#include <benchmark/benchmark.h>

#include <cmath>

#include "bench/platform/PhotoLikePicture.h"
#include "bench/tools/HandleDragFrame.h"
#include "core/UIViewCLImageToolInfo.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/foundation/NSBundle.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/view/UIViewRenderer.h"
#include "tools/ToolCatalogue.h"
#include "tools/overlay/stickers/CLStickerTool.h"

namespace {

// The editor on picture with the sticker tool current and count of the bundle's
// stickers placed, turned and spread over the picture.
std::shared_ptr<_ZOZuzazOzarozViewController> editorWithStickers(const UIImagePtr& picture,
                                                                 int count) {
    NSBundle::setMainBundlePath(PHOTOEDITOR_APP_RESOURCES);
    ToolCatalogue::registerSharedClasses();
    AnimationClock::shared().setManualStepping(true);
    auto editor = std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(
        ZOZuzazOzaroz::createWithImage(picture));
    editor->loadViewIfNeeded();
    editor->setupToolWithToolInfo(
        editor->toolInfo()->subToolInfoWithToolNameRecursive(CLStickerTool::kClassName, false));
    drainMainQueueAndWaitForPool();  // the strip's thumbnails
    const auto tool = std::dynamic_pointer_cast<CLStickerTool>(editor->currentTool());
    const auto items = tool->menuScroll()->subviews();
    for (int i = 0; i < count && !items.empty(); ++i) {
        tool->tappedStickerPanel(*items[static_cast<std::size_t>(i) % items.size()]);
        const auto box = tool->boxes().back();
        box->setArg(0.4 * i);
        box->setCenter({box->center().x + 30.0 * (i % 3 - 1), box->center().y + 40.0 * (i - 2)});
    }
    AnimationClock::shared().runToEnd();
    return editor;
}

// "OK": state.range(0) stickers drawn into a 12-megapixel picture (on this thread: the
// render's work without the queue hop).
void BM_StickerOk12MP(benchmark::State& state) {
    const UIImagePtr photo = makePhotoLikePicture(4032, 3024);
    const auto editor = editorWithStickers(photo, static_cast<int>(state.range(0)));
    const auto tool = std::dynamic_pointer_cast<CLStickerTool>(editor->currentTool());
    std::vector<CLImageBox::Snapshot> boxes;
    for (const CLImageBoxPtr& box : tool->boxes()) {
        boxes.push_back(box->snapshot());
    }
    const double width = tool->workingView()->bounds().width();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CLStickerTool::buildImage(photo, boxes, width));
    }
}

void BM_StickerHandleDragFrame(benchmark::State& state) {
    const auto editor = editorWithStickers(makePhotoLikePicture(1024, 768), 3);
    const auto tool = std::dynamic_pointer_cast<CLStickerTool>(editor->currentTool());
    const auto box = tool->boxes().back();
    measureHandleDragFrames(state, editor, *box);
}

BENCHMARK(BM_StickerOk12MP)->Arg(0)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StickerHandleDragFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
