// Filling the picker's grid: thumbnails of a folder of 48 photos of 12 MP, made on the
// global queue as the picker makes them, first from the files and then from the cache.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/platform/PhotoLikePicture.h"
#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/ui/picker/PhotoLibrary.h"
#include "platform/ui/picker/ThumbnailCache.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPhotos = 48;
// A phone's grid cell: 4 columns on 390 points, at scale 3.
constexpr double kSide = 96;
constexpr double kScale = 3;

const std::vector<std::string>& folderOfPhotos() {
    static std::vector<std::string> paths = [] {
        const fs::path folder =
            fs::temp_directory_path() / ("picker_bench_" + std::to_string(::getpid()));
        fs::create_directories(folder);
        const std::vector<std::uint8_t> jpeg =
            UIImageJPEGRepresentation(*makePhotoLikePicture(4032, 3024), 0.9);
        std::vector<std::string> made;
        for (int i = 0; i < kPhotos; ++i) {
            made.push_back((folder / ("photo" + std::to_string(i) + ".jpg")).string());
            std::ofstream(made.back(), std::ios::binary)
                .write(reinterpret_cast<const char*>(jpeg.data()),
                       static_cast<std::streamsize>(jpeg.size()));
        }
        std::atexit([] {
            fs::remove_all(fs::temp_directory_path() /
                           ("picker_bench_" + std::to_string(::getpid())));
        });
        return made;
    }();
    return paths;
}

void fillGrid(const std::vector<std::string>& paths) {
    dispatchApply(paths.size(), [&](std::size_t i) {
        benchmark::DoNotOptimize(PhotoLibrary::thumbnailForPicture(paths[i], kSide, kScale));
    });
}

void BM_PickerFill48PhotosOf12MP(benchmark::State& state) {
    const auto& paths = folderOfPhotos();
    for (auto _ : state) {
        ThumbnailCache::shared().clear();
        fillGrid(paths);
    }
}
BENCHMARK(BM_PickerFill48PhotosOf12MP)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PickerFill48PhotosOf12MPAgain(benchmark::State& state) {
    const auto& paths = folderOfPhotos();
    fillGrid(paths);
    for (auto _ : state) {
        fillGrid(paths);
    }
}
BENCHMARK(BM_PickerFill48PhotosOf12MPAgain)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
