#include <benchmark/benchmark.h>

#include <cstring>
#include <map>

#include "bench/platform/PhotoLikePicture.h"
#include "platform/ui/picker/PhotoLibrary.h"

namespace {

// Choosing the file type to save in reads the whole bitmap of an opaque picture that
// has an alpha channel, as an edited photo has: the worst case, for 12 and 48 MP.
void BM_FileExtensionOfAnOpaquePictureWithAlpha(benchmark::State& state) {
    static std::map<std::int64_t, UIImagePtr> photos;
    UIImagePtr& photo = photos[state.range(0)];
    if (!photo) {
        const int width = static_cast<int>(state.range(0));
        const CGImageRef opaque = makePhotoLikePicture(width, width * 3 / 4)->CGImage();
        auto withAlpha =
            CGImage::create(opaque->width(), opaque->height(), CGPixelFormat::ARGB32Premultiplied);
        for (int y = 0; y < opaque->height(); ++y) {
            std::memcpy(withAlpha->mutableRow(y), opaque->row(y), 4 * opaque->width());
            for (int x = 0; x < opaque->width(); ++x) {
                withAlpha->mutableRow(y)[4 * x + 3] = 0xFF;
            }
        }
        photo = UIImage::imageWithCGImage(std::move(withAlpha));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(PhotoLibrary::fileExtensionForImage(*photo));
    }
}
BENCHMARK(BM_FileExtensionOfAnOpaquePictureWithAlpha)
    ->Arg(4032)
    ->Arg(8064)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
