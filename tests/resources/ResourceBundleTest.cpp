#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/graphics/UIImage.h"

namespace {

const std::string kResources = PHOTOEDITOR_APP_RESOURCES;
const std::string kBundle = kResources + "/ZOZuzazOzaroz.bundle";

struct Pixel {
    int a, r, g, b;
    int maxChannel() const { return std::max({r, g, b}); }
};

Pixel pixelAt(const CGImage& bitmap, int x, int y) {
    std::uint32_t p;
    std::memcpy(&p, bitmap.row(y) + bitmap.bytesPerPixel() * x, 4);
    if (bitmap.format() == CGPixelFormat::RGB32) {
        p |= 0xFF000000u;
    }
    return {int(p >> 24), int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
}

// Loads a picture and checks its pixel size; null (with a failure) otherwise.
UIImagePtr loadPicture(const std::string& path, int width, int height) {
    const UIImagePtr image = UIImage::imageWithContentsOfFile(path);
    EXPECT_NE(image, nullptr) << path;
    if (!image) {
        return nullptr;
    }
    EXPECT_EQ(image->CGImage()->width(), width) << path;
    EXPECT_EQ(image->CGImage()->height(), height) << path;
    return image;
}

template <typename Test>
int countPixels(const CGImage& bitmap, Test test) {
    int count = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            count += test(pixelAt(bitmap, x, y));
        }
    }
    return count;
}

bool hasTransparentCorners(const CGImage& bitmap) {
    const int right = bitmap.width() - 1;
    const int bottom = bitmap.height() - 1;
    return bitmap.hasAlpha() && pixelAt(bitmap, 0, 0).a == 0 && pixelAt(bitmap, right, 0).a == 0 &&
           pixelAt(bitmap, 0, bottom).a == 0 && pixelAt(bitmap, right, bottom).a == 0;
}

struct Art {
    std::string path;  // under the bundle
    int pixels;        // square side
};

const std::vector<std::string> kToolClasses = {
    "CLFilterTool",  "CLAdjustmentTool", "CLEffectTool",   "CLBlurTool",   "CLRotateTool",
    "CLDrawTool",    "CLSplashTool",     "CLClippingTool", "CLResizeTool", "CLToneCurveTool",
    "CLStickerTool", "CLEmoticonTool",   "CLTextTool"};

// Every icon and button the tools load, at three times its point size.
std::vector<Art> lineArt() {
    std::vector<Art> art;
    for (const std::string& tool : kToolClasses) {
        art.push_back({tool + "/black/icon.png", 150});
    }
    const std::vector<Art> buttons = {{"CLAdjustmentTool/black/saturation.png", 90},
                                      {"CLAdjustmentTool/black/brightness.png", 90},
                                      {"CLAdjustmentTool/black/contrast.png", 90},
                                      {"CLToneCurveTool/black/btn_arrow.png", 90},
                                      {"CLToneCurveTool/black/btn_reset.png", 90},
                                      {"CLRotateTool/black/btn_rotate.png", 150},
                                      {"CLRotateTool/black/btn_flip1.png", 150},
                                      {"CLRotateTool/black/btn_flip2.png", 150},
                                      {"CLClippingTool/black/btn_rotate.png", 150},
                                      {"CLResizeTool/black/btn_width.png", 150},
                                      {"CLResizeTool/black/btn_height.png", 150},
                                      {"CLResizeTool/black/btn_chain_on.png", 105},
                                      {"CLResizeTool/black/btn_chain_off.png", 105},
                                      {"CLBlurTool/black/btn_normal.png", 150},
                                      {"CLBlurTool/black/btn_circle.png", 150},
                                      {"CLBlurTool/black/btn_band.png", 150},
                                      {"CLDrawTool/black/btn_eraser.png", 150},
                                      {"CLSplashTool/black/btn_eraser.png", 150},
                                      {"CLTextTool/black/btn_delete.png", 96},
                                      {"CLTextTool/black/btn_add.png", 150},
                                      {"CLTextTool/black/btn_font.png", 150},
                                      {"CLTextTool/black/btn_align_left.png", 150},
                                      {"CLTextTool/black/btn_align_center.png", 150},
                                      {"CLTextTool/black/btn_align_right.png", 150},
                                      {"CLStickerTool/black/btn_delete.png", 96},
                                      {"CLEmoticonTool/black/btn_delete.png", 96}};
    art.insert(art.end(), buttons.begin(), buttons.end());
    return art;
}

std::vector<std::string> picturesIn(const std::string& folder) {
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".png") {
            paths.push_back(entry.path().string());
        }
    }
    return paths;
}

double meanDifference(const CGImage& a, const CGImage& b) {
    double total = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const Pixel p = pixelAt(a, x, y);
            const Pixel q = pixelAt(b, x, y);
            total += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
        }
    }
    return total / (3.0 * a.width() * a.height());
}

}  // namespace

TEST(ResourceBundleTest, IconsAndButtonsAreDarkLineArtOnTransparency) {
    for (const Art& art : lineArt()) {
        const UIImagePtr image = loadPicture(kBundle + "/" + art.path, art.pixels, art.pixels);
        if (!image) {
            continue;
        }
        EXPECT_EQ(image->scale(), 3) << art.path << " shows at its point size";
        const CGImage& bitmap = *image->CGImage();
        EXPECT_TRUE(hasTransparentCorners(bitmap)) << art.path;
        const int dark =
            countPixels(bitmap, [](Pixel p) { return p.a > 200 && p.maxChannel() < 60; });
        EXPECT_GT(dark, bitmap.width() * bitmap.height() / 100) << art.path;
    }
}

TEST(ResourceBundleTest, StickerCategoryIconsAreLightLineArt) {
    for (const char* name : {"ic_1text", "ic_2title", "ic_3hat", "ic_4hair", "ic_5eyes", "ic_6mask",
                             "ic_7ears", "ic_8beard"}) {
        const UIImagePtr image = loadPicture(kResources + "/" + name + ".png", 120, 120);
        if (!image) {
            continue;
        }
        const CGImage& bitmap = *image->CGImage();
        EXPECT_TRUE(hasTransparentCorners(bitmap)) << name;
        const int light = countPixels(bitmap, [](Pixel p) { return p.a > 200 && p.b > 230; });
        EXPECT_GT(light, bitmap.width() * bitmap.height() / 100) << name;
    }
}

TEST(ResourceBundleTest, BlurMasksAreDarkWhereSharpAndFadeToLight) {
    const UIImagePtr circle = loadPicture(kBundle + "/CLBlurTool/black/circle.png", 256, 256);
    const UIImagePtr band = loadPicture(kBundle + "/CLBlurTool/black/band.png", 256, 256);
    ASSERT_TRUE(circle && band);

    const CGImage& c = *circle->CGImage();
    EXPECT_LT(pixelAt(c, 128, 128).maxChannel(), 10);
    for (const auto& [x, y] :
         std::vector<std::pair<int, int>>{{0, 128}, {255, 128}, {128, 0}, {128, 255}, {0, 0}}) {
        EXPECT_GT(pixelAt(c, x, y).maxChannel(), 240) << x << "," << y;
        EXPECT_EQ(pixelAt(c, x, y).a, 255);
    }
    // A soft falloff: brightness only grows from the centre outwards, without a hard step.
    for (int x = 129; x < 256; ++x) {
        const int step = pixelAt(c, x, 128).maxChannel() - pixelAt(c, x - 1, 128).maxChannel();
        EXPECT_GE(step, -1) << x;
        EXPECT_LE(step, 12) << x;
    }

    // A horizontal strip: dark through the middle rows, light at top and bottom, the same
    // along every row.
    const CGImage& b = *band->CGImage();
    for (int x : {0, 128, 255}) {
        EXPECT_LT(pixelAt(b, x, 128).maxChannel(), 10);
        EXPECT_LT(pixelAt(b, x, 90).maxChannel(), 10);
        EXPECT_GT(pixelAt(b, x, 0).maxChannel(), 240);
        EXPECT_GT(pixelAt(b, x, 255).maxChannel(), 240);
        EXPECT_NEAR(pixelAt(b, x, 50).maxChannel(), pixelAt(b, 128, 50).maxChannel(), 1);
    }
}

TEST(ResourceBundleTest, EffectThumbnailsShowTheirEffects) {
    const std::string folder = kBundle + "/CLEffectTool/";
    const UIImagePtr plain = loadPicture(folder + "CLEffectBase.png", 150, 150);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(countPixels(*plain->CGImage(), [](Pixel p) { return p.a != 255; }), 0);
    for (const char* effect :
         {"CLSpotEffect", "CLHueEffect", "CLHighlightShadowEffect", "CLBloomEffect",
          "CLGloomEffect", "CLPosterizeEffect", "CLPixellateEffect"}) {
        const UIImagePtr image = loadPicture(folder + effect + ".png", 150, 150);
        if (!image) {
            continue;
        }
        EXPECT_EQ(countPixels(*image->CGImage(), [](Pixel p) { return p.a != 255; }), 0) << effect;
        EXPECT_GT(meanDifference(*image->CGImage(), *plain->CGImage()), 3.0) << effect;
    }

    // The spot keeps the centre and darkens the corners.
    const UIImagePtr spot = UIImage::imageWithContentsOfFile(folder + "CLSpotEffect.png");
    ASSERT_NE(spot, nullptr);
    EXPECT_NEAR(pixelAt(*spot->CGImage(), 75, 75).g, pixelAt(*plain->CGImage(), 75, 75).g, 3);
    EXPECT_LT(pixelAt(*spot->CGImage(), 2, 2).maxChannel(), 20);

    // Posterizing leaves a handful of levels per channel.
    const UIImagePtr poster = UIImage::imageWithContentsOfFile(folder + "CLPosterizeEffect.png");
    ASSERT_NE(poster, nullptr);
    std::set<int> greens;
    countPixels(*poster->CGImage(), [&](Pixel p) { return greens.insert(p.g).second; });
    EXPECT_LE(greens.size(), 4u);
}

TEST(ResourceBundleTest, StickersArePicturesOnTransparency) {
    const std::vector<std::string> stickers = picturesIn(kBundle + "/CLStickerTool/stickers");
    EXPECT_GE(stickers.size(), 16u);
    for (const std::string& path : stickers) {
        const UIImagePtr image = loadPicture(path, 300, 300);
        if (!image) {
            continue;
        }
        const CGImage& bitmap = *image->CGImage();
        EXPECT_TRUE(hasTransparentCorners(bitmap)) << path;
        const int opaque = countPixels(bitmap, [](Pixel p) { return p.a == 255; });
        EXPECT_GT(opaque, 300 * 300 / 10) << path;
    }
}

TEST(ResourceBundleTest, EmoticonsAreColourGlyphsOnTransparency) {
    const std::vector<std::string> emoticons = picturesIn(kBundle + "/CLEmoticonTool/Emoticons");
    EXPECT_GE(emoticons.size(), 32u);
    for (const std::string& path : emoticons) {
        const UIImagePtr image = loadPicture(path, 160, 160);
        if (!image) {
            continue;
        }
        const CGImage& bitmap = *image->CGImage();
        EXPECT_TRUE(hasTransparentCorners(bitmap)) << path;
        // Colour glyphs, not black outlines or boxes from a substitute face.
        const int lit =
            countPixels(bitmap, [](Pixel p) { return p.a > 200 && p.maxChannel() > 100; });
        EXPECT_GT(lit, 160 * 160 / 20) << path;
    }
}
