#include <gtest/gtest.h>

#include "platform/graphics/SVGImage.h"
#include "tests/platform/foundation/TemporaryFolder.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"

using namespace graphicstest;

namespace {

std::vector<std::uint8_t> bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// A red square in the middle half of a 20 × 20 view box, transparent around it.
const std::string kRedSquare =
    R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 20 20" width="20" height="20">)"
    R"(<rect x="5" y="5" width="10" height="10" fill="#ff0000"/></svg>)";

}  // namespace

TEST(SVGImageTest, DrawsTheViewBoxOverThePictureAtItsScale) {
    const UIImagePtr image = SVGImage::render(bytes(kRedSquare), CGSize{30, 30}, 2);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), (CGSize{30, 30}));
    EXPECT_EQ(image->scale(), 2);
    const CGImage& bitmap = *image->CGImage();
    ASSERT_EQ(bitmap.width(), 60);
    ASSERT_EQ(bitmap.height(), 60);
    // The square covers pixels 15 to 44 on both axes.
    EXPECT_TRUE(near(pixel(bitmap, 30, 30), 0xFFFF0000u, 0));
    EXPECT_TRUE(near(pixel(bitmap, 16, 43), 0xFFFF0000u, 0));
    EXPECT_EQ(alphaOf(pixel(bitmap, 13, 30)), 0);
    EXPECT_EQ(alphaOf(pixel(bitmap, 30, 46)), 0);
    EXPECT_EQ(alphaOf(pixel(bitmap, 0, 0)), 0);

    // Stretched to another aspect, with the pixel size rounded up.
    const UIImagePtr stretched = SVGImage::render(bytes(kRedSquare), CGSize{10.2, 5}, 3);
    ASSERT_NE(stretched, nullptr);
    EXPECT_EQ(stretched->CGImage()->width(), 31);
    EXPECT_EQ(stretched->CGImage()->height(), 15);
    EXPECT_TRUE(near(pixel(*stretched->CGImage(), 15, 7), 0xFFFF0000u, 0));
    EXPECT_EQ(alphaOf(pixel(*stretched->CGImage(), 3, 7)), 0);
}

TEST(SVGImageTest, ReadsDocumentsFromFiles) {
    const TemporaryFolder folder;
    folder.write("square.svg", kRedSquare);
    const UIImagePtr image = SVGImage::renderFile(folder.path("square.svg"), CGSize{20, 20}, 1);
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(near(pixel(*image->CGImage(), 10, 10), 0xFFFF0000u, 0));
    EXPECT_EQ(SVGImage::renderFile(folder.path("missing.svg"), CGSize{20, 20}, 1), nullptr);
}

TEST(SVGImageTest, BadInputGivesNoPicture) {
    EXPECT_EQ(SVGImage::render(bytes("not an svg document at all"), CGSize{20, 20}, 1), nullptr);
    EXPECT_EQ(SVGImage::render(bytes("<svg xmlns=\"http://www.w3.org/2000/svg\"><rect"),
                               CGSize{20, 20}, 1),
              nullptr);
    EXPECT_EQ(SVGImage::render({}, CGSize{20, 20}, 1), nullptr);
    EXPECT_EQ(SVGImage::render(bytes(kRedSquare), CGSize{0, 20}, 1), nullptr);
    EXPECT_EQ(SVGImage::render(bytes(kRedSquare), CGSize{20, 20}, 0), nullptr);
    EXPECT_EQ(SVGImage::render(bytes(kRedSquare), CGSize{100000, 100000}, 1), nullptr);
}
