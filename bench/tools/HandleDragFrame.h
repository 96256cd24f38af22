#pragma once

#include <benchmark/benchmark.h>

#include <cmath>

#include "core/_ZOZuzazOzarozViewController.h"
#include "platform/ui/view/UIViewRenderer.h"
#include "tools/overlay/box/CLOverlayBox.h"

// One step of a handle drag on a phone per iteration: the box turns and scales, and
// the editor's screen (390 x 844 points at 3 pixels a point) is drawn again.
inline void measureHandleDragFrames(benchmark::State& state,
                                    const std::shared_ptr<_ZOZuzazOzarozViewController>& editor,
                                    CLOverlayBox& box) {
    editor->view()->setFrame({0, 0, 390, 844});
    double step = 0;
    for (auto _ : state) {
        step += 0.01;
        box.setArg(step);
        box.setScale(0.5 + 0.2 * std::sin(step));
        benchmark::DoNotOptimize(UIViewRenderer::renderToImage(*editor->view(), 3));
    }
}
