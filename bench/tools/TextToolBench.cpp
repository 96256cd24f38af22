#include <benchmark/benchmark.h>

#include "bench/platform/PhotoLikePicture.h"
#include "bench/tools/HandleDragFrame.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/view/UIViewRenderer.h"
#include "tools/ToolCatalogue.h"
#include "tools/overlay/text/CLTextTool.h"

namespace {

// The editor on picture with the text tool current and count boxes of outlined text,
// turned and spread over the picture.
std::shared_ptr<_ZOZuzazOzarozViewController> editorWithTextBoxes(const UIImagePtr& picture,
                                                                  int count) {
    ToolCatalogue::registerSharedClasses();
    AnimationClock::shared().setManualStepping(true);
    auto editor = std::dynamic_pointer_cast<_ZOZuzazOzarozViewController>(
        ZOZuzazOzaroz::createWithImage(picture));
    editor->loadViewIfNeeded();
    editor->setupToolWithToolInfo(
        editor->toolInfo()->subToolInfoWithToolNameRecursive(CLTextTool::kClassName, false));
    const auto tool = std::dynamic_pointer_cast<CLTextTool>(editor->currentTool());
    for (int i = 0; i < count; ++i) {
        tool->addNewText();
        drainMainQueueAndWaitForPool();  // the tool hears of its new box
        CLTextSettingView& panel = *tool->settingView();
        tool->textSettingViewDidChangeText(panel, "Hello world " + std::to_string(i));
        tool->textSettingViewDidChangeBorderColor(panel, UIColor::whiteColor());
        tool->textSettingViewDidChangeBorderWidth(panel, 0.3);
        const auto box = tool->selectedTextView();
        box->setArg(0.3 * i);
        box->setCenter({box->center().x, box->center().y + 40.0 * i});
    }
    AnimationClock::shared().runToEnd();
    drainMainQueueAndWaitForPool();
    return editor;
}

// "OK": state.range(0) boxes drawn into a 12-megapixel picture (on this thread: the
// render's work without the queue hop).
void BM_TextOk12MP(benchmark::State& state) {
    const UIImagePtr photo = makePhotoLikePicture(4032, 3024);
    const auto editor = editorWithTextBoxes(photo, static_cast<int>(state.range(0)));
    const auto tool = std::dynamic_pointer_cast<CLTextTool>(editor->currentTool());
    std::vector<_CLTextView::Snapshot> boxes;
    for (const UIViewPtr& view : tool->workingView()->subviews()) {
        boxes.push_back(std::static_pointer_cast<_CLTextView>(view)->snapshot());
    }
    const double width = tool->workingView()->bounds().width();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CLTextTool::buildImage(photo, boxes, width));
    }
}

void BM_TextHandleDragFrame(benchmark::State& state) {
    const auto editor = editorWithTextBoxes(makePhotoLikePicture(1024, 768), 3);
    const auto tool = std::dynamic_pointer_cast<CLTextTool>(editor->currentTool());
    const auto box = tool->selectedTextView();
    measureHandleDragFrames(state, editor, *box);
}

BENCHMARK(BM_TextOk12MP)->Arg(0)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TextHandleDragFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
