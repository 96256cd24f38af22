#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <tuple>
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
    std::string path;
    int pixels;  // square side
};

// Every icon and button the tools load, at three times its point size.
std::vector<Art> lineArt() {
    std::vector<Art> art;
    for (const char* tool :
         {"CLFilterTool", "CLAdjustmentTool", "CLEffectTool", "CLBlurTool", "CLRotateTool",
          "CLDrawTool", "CLSplashTool", "CLClippingTool", "CLResizeTool", "CLToneCurveTool",
          "CLStickerTool", "CLEmoticonTool", "CLTextTool"}) {
        art.push_back({kBundle + "/" + tool + "/black/icon.png", 150});
    }
    const std::vector<std::tuple<std::string, int, std::vector<std::string>>> buttons = {
        {"CLAdjustmentTool", 90, {"saturation", "brightness", "contrast"}},
        {"CLToneCurveTool", 90, {"btn_arrow", "btn_reset"}},
        {"CLRotateTool", 150, {"btn_rotate", "btn_flip1", "btn_flip2"}},
        {"CLClippingTool", 150, {"btn_rotate"}},
        {"CLResizeTool", 150, {"btn_width", "btn_height"}},
        {"CLResizeTool", 105, {"btn_chain_on", "btn_chain_off"}},
        {"CLBlurTool", 150, {"btn_normal", "btn_circle", "btn_band"}},
        {"CLDrawTool", 150, {"btn_eraser"}},
        {"CLSplashTool", 150, {"btn_eraser"}},
        {"CLTextTool", 96, {"btn_delete"}},
        {"CLTextTool", 150, {"btn_add", "btn_font", "btn_align_left"}},
        {"CLTextTool", 150, {"btn_align_center", "btn_align_right"}},
        {"CLStickerTool", 96, {"btn_delete"}},
        {"CLEmoticonTool", 96, {"btn_delete"}}};
    for (const auto& [tool, pixels, names] : buttons) {
        for (const std::string& name : names) {
            art.push_back({kBundle + "/" + tool + "/black/" + name + ".png", pixels});
        }
    }
    return art;
}

std::vector<Art> picturesIn(const std::string& folder, int pixels) {
    std::vector<Art> art;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".png") {
            art.push_back({entry.path().string(), pixels});
        }
    }
    return art;
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

// Pictures drawn on transparency, by group: how many at least, and the kind of pixel at
// least one in `share` of a picture's pixels is.
TEST(ResourceBundleTest, DrawnPicturesHaveTheirSizeAndStrokesOnTransparency) {
    std::vector<Art> categoryIcons;
    for (const char* name : {"ic_1text", "ic_2title", "ic_3hat", "ic_4hair", "ic_5eyes", "ic_6mask",
                             "ic_7ears", "ic_8beard"}) {
        categoryIcons.push_back({kResources + "/" + name + ".png", 120});
    }
    struct Group {
        std::vector<Art> art;
        std::size_t atLeast;
        std::function<bool(Pixel)> stroke;
        int share;
    };
    const std::vector<Group> groups = {
        {lineArt(), 39, [](Pixel p) { return p.a > 200 && p.maxChannel() < 60; }, 100},
        {categoryIcons, 8, [](Pixel p) { return p.a > 200 && p.b > 230; }, 100},
        {picturesIn(kBundle + "/CLStickerTool/stickers", 300), 16,
         [](Pixel p) { return p.a == 255; }, 10},
        // Colour glyphs, not black outlines or boxes from a substitute face.
        {picturesIn(kBundle + "/CLEmoticonTool/Emoticons", 160), 32,
         [](Pixel p) { return p.a > 200 && p.maxChannel() > 100; }, 20}};
    for (const Group& group : groups) {
        EXPECT_GE(group.art.size(), group.atLeast);
        for (const Art& art : group.art) {
            const UIImagePtr image = loadPicture(art.path, art.pixels, art.pixels);
            if (!image) {
                continue;
            }
            if (&group == &groups.front()) {
                EXPECT_EQ(image->scale(), 3) << art.path << " shows at its point size";
            }
            const CGImage& bitmap = *image->CGImage();
            EXPECT_TRUE(hasTransparentCorners(bitmap)) << art.path;
            EXPECT_GT(countPixels(bitmap, group.stroke),
                      bitmap.width() * bitmap.height() / group.share)
                << art.path;
        }
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
    const UIImagePtr poster = UIImage::imageWithContentsOfFile(folder + "CLPosterizeEffect.png");
    ASSERT_TRUE(spot && poster);
    EXPECT_NEAR(pixelAt(*spot->CGImage(), 75, 75).g, pixelAt(*plain->CGImage(), 75, 75).g, 3);
    EXPECT_LT(pixelAt(*spot->CGImage(), 2, 2).maxChannel(), 20);

    // Posterizing leaves a handful of levels per channel.
    std::set<int> greens;
    countPixels(*poster->CGImage(), [&](Pixel p) { return greens.insert(p.g).second; });
    EXPECT_LE(greens.size(), 4u);
}
