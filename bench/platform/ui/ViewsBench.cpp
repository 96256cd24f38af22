#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "bench/platform/PhotoLikePicture.h"
#include "platform/graphics/BlockMeans.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/ui/view/UIImageView.h"
#include "platform/ui/view/UILabel.h"
#include "platform/ui/view/UIViewRenderer.h"

namespace {

// A 180 × 180 pixel picture (60 points at scale 3) of smooth colour.
UIImagePtr thumbnail(int seed) {
    UIGraphicsBeginImageContextWithOptions({60, 60}, true, 3);
    const CGContextRef context = UIGraphicsGetCurrentContext();
    const auto gradient =
        CGGradient::createWithColors({UIColor::colorWithHue(seed / 20.0, 0.7, 0.9),
                                      UIColor::colorWithHue(seed / 20.0 + 0.3, 0.5, 0.6)},
                                     {0, 1});
    context->drawLinearGradient(gradient, {0, 0}, {60, 60}, 0);
    UIImagePtr picture = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return picture;
}

struct PhoneScreen {
    UIViewPtr root = std::make_shared<UIView>(CGRect{0, 0, 390, 844});
    std::vector<std::shared_ptr<UILabel>> labels;
    int viewCount = 1;

    PhoneScreen() {
        root->setBackgroundColor(UIColor::whiteColor());
        // 20 rows of a list: a card holding a thumbnail, a title and a badge.
        for (int row = 0; row < 25; ++row) {
            auto card = std::make_shared<UIView>(CGRect{10, 10 + 33.0 * row, 370, 30});
            card->setBackgroundColor(UIColor::colorWithWhite(0.95));
            card->layer().setCornerRadius(8);
            card->layer().setBorderWidth(1);
            card->layer().setBorderColor(UIColor::lightGrayColor());
            auto image = std::make_shared<UIImageView>(CGRect{4, 4, 22, 22});
            image->setImage(thumbnail(row));
            image->setContentMode(UIViewContentMode::ScaleAspectFill);
            image->setClipsToBounds(true);
            image->layer().setCornerRadius(5);
            auto title = std::make_shared<UILabel>(CGRect{32, 4, 270, 22});
            title->setText("Row " + std::to_string(row) + ": a picture to edit");
            title->setFont(UIFont::systemFontOfSize(15));
            auto badge = std::make_shared<UIView>(CGRect{320, 5, 40, 20});
            badge->setBackgroundColor(UIColor::colorWithHue(row / 20.0, 0.8, 0.9));
            badge->layer().setCornerRadius(10);
            if (row % 5 == 0) {
                card->setAlpha(0.7);
                badge->setTransform(CGAffineTransform::makeRotation(std::numbers::pi / 12));
            }
            card->addSubview(image);
            card->addSubview(title);
            card->addSubview(badge);
            root->addSubview(card);
            labels.push_back(title);
            viewCount += 4;
        }
    }
};

// A steady frame: every view's own drawing is cached, as between two changes.
void BM_RenderPhoneTreeAtScale3(benchmark::State& state) {
    PhoneScreen screen;
    UIViewRenderer::renderToImage(*screen.root, 3);
    for (auto _ : state) {
        benchmark::DoNotOptimize(UIViewRenderer::renderToImage(*screen.root, 3));
    }
    state.counters["views"] = screen.viewCount;
}
BENCHMARK(BM_RenderPhoneTreeAtScale3)->Unit(benchmark::kMillisecond);

// The window's case: the frame drawn into a bitmap that is kept from frame to frame.
void BM_RenderPhoneTreeAtScale3IntoContext(benchmark::State& state) {
    PhoneScreen screen;
    constexpr double kScale = 3;
    const CGContextRef context =
        CGContext::createBitmap(390 * 3, 844 * 3, CGPixelFormat::ARGB32Premultiplied);
    // Points, y down, as a window's backing store.
    context->translateCTM(0, 844 * kScale);
    context->scaleCTM(kScale, -kScale);
    UIViewRenderer::render(*screen.root, *context);
    for (auto _ : state) {
        UIViewRenderer::render(*screen.root, *context);
    }
    state.counters["views"] = screen.viewCount;
}
BENCHMARK(BM_RenderPhoneTreeAtScale3IntoContext)->Unit(benchmark::kMillisecond);

// Every label's text drawn again, as when all of them change at once.
void BM_RenderPhoneTreeAtScale3RedrawingText(benchmark::State& state) {
    PhoneScreen screen;
    for (auto _ : state) {
        for (const auto& label : screen.labels) {
            label->setNeedsDisplay();
        }
        benchmark::DoNotOptimize(UIViewRenderer::renderToImage(*screen.root, 3));
    }
    state.counters["views"] = screen.viewCount;
}
BENCHMARK(BM_RenderPhoneTreeAtScale3RedrawingText)->Unit(benchmark::kMillisecond);

// The copy a photo is drawn from when shown small: factor 2 (shown at up to half size)
// and 8 (fitted on a phone), for 12 and 48 MP.
void BM_DisplayCopyByBlockMeans(benchmark::State& state) {
    static std::map<std::int64_t, UIImagePtr> photos;
    UIImagePtr& photo = photos[state.range(0)];
    if (!photo) {
        photo = makePhotoLikePicture(static_cast<int>(state.range(0)),
                                     static_cast<int>(state.range(0) * 3 / 4));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            shrinkByBlockMeans(*photo->CGImage(), static_cast<int>(state.range(1))));
    }
}
BENCHMARK(BM_DisplayCopyByBlockMeans)
    ->ArgsProduct({{4032, 8064}, {2, 8}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
