#include <benchmark/benchmark.h>

#include <map>

#include "bench/platform/PhotoLikePicture.h"
#include "platform/codecs/PictureMetadata.h"
#include "platform/graphics/UIGraphics.h"
#include "tests/platform/codecs/CodecTestFiles.h"

namespace {

struct Sample {
    UIImagePtr picture;
    std::vector<std::uint8_t> jpeg;
};

// Made once per size: a photo-like picture and its JPEG at quality 1.0.
const Sample& sample(int width, int height) {
    static std::map<std::pair<int, int>, Sample> samples;
    Sample& entry = samples[{width, height}];
    if (!entry.picture) {
        entry.picture = makePhotoLikePicture(width, height);
        entry.jpeg = UIImageJPEGRepresentation(*entry.picture, 1.0);
    }
    return entry;
}

void sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Args({4032, 3024})->Args({8064, 6048})->Unit(benchmark::kMillisecond);
}

void BM_DecodeJpeg(benchmark::State& state) {
    const Sample& s = sample(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(UIImage::imageWithData(s.jpeg));
    }
    state.counters["file_MB"] = static_cast<double>(s.jpeg.size()) / 1e6;
}
BENCHMARK(BM_DecodeJpeg)->Apply(sizes);

// The same JPEG tagged Adobe RGB: what converting its colours to sRGB adds.
void BM_DecodeAdobeRgbJpeg(benchmark::State& state) {
    const Sample& s = sample(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::vector<std::uint8_t> tagged =
        codectest::withProfile(s.jpeg, codectest::adobeRgbProfile());
    for (auto _ : state) {
        benchmark::DoNotOptimize(UIImage::imageWithData(tagged));
    }
}
BENCHMARK(BM_DecodeAdobeRgbJpeg)->Apply(sizes);

void BM_EncodeJpeg(benchmark::State& state) {
    const Sample& s = sample(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(UIImageJPEGRepresentation(*s.picture, 1.0));
    }
}
BENCHMARK(BM_EncodeJpeg)->Apply(sizes);

// The same save carrying a camera's metadata, written back with the edit's changes.
void BM_EncodeJpegWithMetadata(benchmark::State& state) {
    const Sample& s = sample(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::vector<std::uint8_t> small =
        UIImageJPEGRepresentation(*makePhotoLikePicture(64, 48), 0.8);
    const std::vector<std::uint8_t> camera = codectest::edited(small, [&](Exiv2::Image& image) {
        Exiv2::ExifData& exif = image.exifData();
        exif["Exif.Photo.DateTimeOriginal"] = "2024:05:01 10:20:30";
        exif["Exif.Image.Make"] = "Camera Maker";
        exif["Exif.Image.Model"] = "Model 7";
        exif["Exif.Image.Orientation"] = std::uint16_t{6};
        exif["Exif.GPSInfo.GPSLatitude"] = "48/1 8/1 0/1";
        Exiv2::ExifThumb(exif).setJpegThumbnail(small.data(), static_cast<long>(small.size()));
        image.xmpData()["Xmp.dc.title"] = "Harbour at dawn";
    });
    const UIImagePtr picture = s.picture->imageWithMetadata(PictureMetadata::read(camera).metadata);
    for (auto _ : state) {
        benchmark::DoNotOptimize(UIImageJPEGRepresentation(*picture, 1.0));
    }
}
BENCHMARK(BM_EncodeJpegWithMetadata)->Apply(sizes);

void BM_EncodePng(benchmark::State& state) {
    const Sample& s = sample(4032, 3024);
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = UIImagePNGRepresentation(*s.picture).size();
    }
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_EncodePng)->Unit(benchmark::kMillisecond);

void BM_DrawPictureIntoSameSizeContext(benchmark::State& state) {
    const Sample& s = sample(4032, 3024);
    for (auto _ : state) {
        UIGraphicsBeginImageContextWithOptions(s.picture->size(), false, 1);
        s.picture->drawAtPoint({0, 0});
        benchmark::DoNotOptimize(UIGraphicsGetImageFromCurrentImageContext());
        UIGraphicsEndImageContext();
    }
}
BENCHMARK(BM_DrawPictureIntoSameSizeContext)->Unit(benchmark::kMillisecond);

}  // namespace
