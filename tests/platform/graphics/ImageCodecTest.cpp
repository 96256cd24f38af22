#include <gtest/gtest.h>

#include "platform/graphics/ImageDecoder.h"
#include "platform/graphics/ImageEncoder.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"

using namespace graphicstest;

namespace {

// Premultiplied colours with several alpha levels, including partial ones.
CGImageRef translucentGradient(int width, int height) {
    return makeBitmap(
        width, height, CGPixelFormat::ARGB32Premultiplied, [=](int x, int row) -> std::uint32_t {
            const std::uint32_t alpha = (row * 255) / (height - 1);
            const std::uint32_t red = (x * 255 / (width - 1)) * alpha / 255;
            const std::uint32_t blue = ((width - 1 - x) * 255 / (width - 1)) * alpha / 255;
            return (alpha << 24) | (red << 16) | (blue);
        });
}

}  // namespace

TEST(ImageCodecTest, PngRoundTripIsExact) {
    for (const CGImageRef& original : {quadrants(17, 9), translucentGradient(64, 32)}) {
        const std::vector<std::uint8_t> png =
            UIImagePNGRepresentation(*UIImage::imageWithCGImage(original));
        ASSERT_FALSE(png.empty());
        const UIImagePtr decoded = UIImage::imageWithData(png);
        ASSERT_TRUE(decoded);
        const CGImage& bitmap = *decoded->CGImage();
        EXPECT_EQ(bitmap.format(), original->format());  // opaque stays RGB32
        ASSERT_EQ(bitmap.width(), original->width());
        ASSERT_EQ(bitmap.height(), original->height());
        for (int row = 0; row < bitmap.height(); ++row) {
            for (int x = 0; x < bitmap.width(); ++x) {
                ASSERT_EQ(pixel(bitmap, x, row), pixel(*original, x, row)) << x << "," << row;
            }
        }
    }
}

TEST(ImageCodecTest, PngKeepsTheScaleOfHighDensityArtworkOnly) {
    const CGImageRef bitmap = quadrants(30, 12);
    for (const double scale : {1.0, 2.0, 3.0, 1.5, 4.0}) {
        const UIImagePtr decoded = UIImage::imageWithData(
            UIImagePNGRepresentation(*UIImage::imageWithCGImage(bitmap, scale)));
        ASSERT_TRUE(decoded);
        const double expected = scale == 2.0 || scale == 3.0 ? scale : 1.0;
        EXPECT_EQ(decoded->scale(), expected) << "written at scale " << scale;
        EXPECT_EQ(decoded->CGImage()->width(), 30);
        EXPECT_DOUBLE_EQ(decoded->size().width, 30 / expected);
    }
    const UIImagePtr photo = UIImage::imageWithData(
        UIImageJPEGRepresentation(*UIImage::imageWithCGImage(bitmap, 3.0), 0.9));
    ASSERT_TRUE(photo);
    EXPECT_EQ(photo->scale(), 1.0);
}

TEST(ImageCodecTest, JpegRoundTripStaysCloseAndQualityMatters) {
    const CGImageRef original = quadrants(64, 32);
    const UIImagePtr image = UIImage::imageWithCGImage(original);
    const std::vector<std::uint8_t> best = UIImageJPEGRepresentation(*image, 1.0);
    const std::vector<std::uint8_t> worst = UIImageJPEGRepresentation(*image, 0.0);
    ASSERT_FALSE(best.empty());
    EXPECT_LT(worst.size(), best.size());
    const UIImagePtr decoded = UIImage::imageWithData(best);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->CGImage()->format(), CGPixelFormat::RGB32);
    EXPECT_EQ(decoded->size(), (CGSize{64, 32}));
    for (const auto& [x, row] : {std::pair{8, 4}, {56, 4}, {8, 28}, {56, 28}, {20, 10}}) {
        EXPECT_TRUE(near(pixel(*decoded->CGImage(), x, row), pixel(*original, x, row), 8))
            << x << "," << row;
    }
}

TEST(ImageCodecTest, ExifOrientationBecomesThePicturesOrientation) {
    const std::vector<std::uint8_t> jpeg =
        UIImageJPEGRepresentation(*UIImage::imageWithCGImage(quadrants(64, 32)), 1.0);
    struct Case {
        int exif;
        UIImageOrientation orientation;
        // Where the stored top-left (red) quadrant's centre stands once upright, by the
        // EXIF definitions of where row 0 and column 0 go.
        int x, y;
    };
    const Case cases[] = {
        {1, UIImageOrientation::Up, 16, 8},
        {2, UIImageOrientation::UpMirrored, 48, 8},
        {3, UIImageOrientation::Down, 48, 24},
        {4, UIImageOrientation::DownMirrored, 16, 24},
        {5, UIImageOrientation::LeftMirrored, 8, 16},
        {6, UIImageOrientation::Right, 24, 16},
        {7, UIImageOrientation::RightMirrored, 24, 48},
        {8, UIImageOrientation::Left, 8, 48},
    };
    for (const Case& c : cases) {
        const UIImagePtr image = UIImage::imageWithData(withExifOrientation(jpeg, c.exif));
        ASSERT_TRUE(image) << c.exif;
        EXPECT_EQ(image->imageOrientation(), c.orientation) << c.exif;
        // Pixels stay as stored; the size in points is exchanged for quarter turns.
        EXPECT_EQ(image->CGImage()->width(), 64);
        const bool turned = c.exif >= 5;
        EXPECT_EQ(image->size(), turned ? (CGSize{32, 64}) : (CGSize{64, 32})) << c.exif;
        const UIImagePtr standing = renderImage(image->size(), false, 1, [&](CGContext& context) {
            context.setInterpolationQuality(CGInterpolationQuality::None);
            image->drawAtPoint({0, 0});
        });
        EXPECT_TRUE(near(pixel(*standing->CGImage(), c.x, c.y), 0xFFFF0000u, 24)) << c.exif;
    }
}

TEST(ImageCodecTest, EncodingAppliesTheOrientationToThePixels) {
    const UIImagePtr turned =
        UIImage::imageWithCGImage(quadrants(40, 20), 2.0, UIImageOrientation::Right);
    const UIImagePtr decoded = UIImage::imageWithData(UIImagePNGRepresentation(*turned));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->imageOrientation(), UIImageOrientation::Up);
    ASSERT_EQ(decoded->CGImage()->width(), 20);
    ASSERT_EQ(decoded->CGImage()->height(), 40);
    // Turned right: the stored first row becomes the right edge, read downwards.
    EXPECT_EQ(pixel(*decoded->CGImage(), 15, 5), 0xFFFF0000u);
    EXPECT_EQ(pixel(*decoded->CGImage(), 5, 5), 0xFF0000FFu);
    EXPECT_EQ(pixel(*decoded->CGImage(), 15, 35), 0xFF00FF00u);
    EXPECT_EQ(pixel(*decoded->CGImage(), 5, 35), 0xFFFFFFFFu);
}

TEST(ImageCodecTest, GreyPicturesRoundTripAsOpaqueRgb) {
    const CGImageRef grey =
        makeBitmap(32, 32, CGPixelFormat::Grey8,
                   [](int x, int) -> std::uint32_t { return x < 16 ? 40 : 200; });
    const UIImagePtr image = UIImage::imageWithCGImage(grey);
    for (const auto& encoded :
         {UIImageJPEGRepresentation(*image, 1.0), UIImagePNGRepresentation(*image)}) {
        const UIImagePtr decoded = UIImage::imageWithData(encoded);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->CGImage()->format(), CGPixelFormat::RGB32);
        EXPECT_TRUE(near(pixel(*decoded->CGImage(), 4, 4), 0xFF282828u, 3));
        EXPECT_TRUE(near(pixel(*decoded->CGImage(), 28, 28), 0xFFC8C8C8u, 3));
    }
}

TEST(ImageCodecTest, HandMadeBmpDecodes) {
    // 2 × 2, 24 bits, bottom-up rows of blue, green, red bytes padded to 4.
    std::vector<std::uint8_t> bmp{'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0,  0,
                                  2,   0,   0,  0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0,  0, 16, 0,
                                  0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0,  0};
    bmp.insert(bmp.end(), {255, 0, 0, 0, 255, 0, 0, 0,        // bottom: blue, green
                           0, 0, 255, 255, 255, 255, 0, 0});  // top: red, white
    const UIImagePtr image = ImageDecoder::decodeData(bmp);
    ASSERT_TRUE(image);
    EXPECT_EQ(pixel(*image->CGImage(), 0, 0), 0xFFFF0000u);
    EXPECT_EQ(pixel(*image->CGImage(), 1, 1), 0xFF00FF00u);
}
