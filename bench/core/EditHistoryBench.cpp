#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "core/CLEditHistory.h"
#include "platform/graphics/CGImage.h"

namespace {

constexpr int kWidth = 8064;
constexpr int kHeight = 6048;

// A 48 MP step of one level; what is in the pixels does not matter to the history.
UIImagePtr step(std::uint8_t level) {
    auto bitmap = CGImage::create(kWidth, kHeight, CGPixelFormat::ARGB32Premultiplied,
                                  CGImage::Contents::Uninitialized);
    for (int y = 0; y < kHeight; ++y) {
        std::fill_n(bitmap->mutableRow(y), bitmap->bytesPerRow(), level);
    }
    return UIImage::imageWithCGImage(bitmap);
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

// Undo and redo between two steps that both fit the budget, or that both must come back
// from the spill file (a budget of one step keeps only the current one in memory).
void BM_UndoRedo48MP(benchmark::State& state, bool fromFile) {
    const std::size_t one = std::size_t{kWidth} * kHeight * 4;
    CLEditHistory history(step(1), fromFile ? one : 4 * one);
    history.add(step(2));
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.undo());
        benchmark::DoNotOptimize(history.redo());
    }
    state.counters["seconds_per_move"] = benchmark::Counter(
        2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Twenty applied steps under the default budget: the process's peak, which holds the
// budget's worth of steps, the step being added and the current picture.
void BM_TwentySteps48MPPeak(benchmark::State& state) {
    for (auto _ : state) {
        CLEditHistory history(step(0));
        for (std::uint8_t level = 1; level <= 20; ++level) {
            history.add(step(level));
        }
        state.counters["spilled_MB"] = static_cast<double>(history.bytesSpilled()) / (1 << 20);
    }
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["budget_MB"] = static_cast<double>(CLEditHistory::kDefaultBudget) / (1 << 20);
}

BENCHMARK_CAPTURE(BM_UndoRedo48MP, inMemory, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_UndoRedo48MP, fromFile, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TwentySteps48MPPeak)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
