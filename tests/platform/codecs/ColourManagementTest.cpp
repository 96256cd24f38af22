#include <gtest/gtest.h>

#include <cmath>

#include "platform/codecs/PictureMetadata.h"
#include "platform/codecs/SrgbConversion.h"
#include "platform/graphics/ImageDecoder.h"
#include "tests/platform/codecs/CodecTestFiles.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"

using namespace graphicstest;
using namespace codectest;

namespace {

// Swatches 8 pixels wide, side by side, 8 high.
UIImagePtr swatches(const std::vector<std::uint32_t>& colours) {
    return UIImage::imageWithCGImage(
        makeBitmap(static_cast<int>(colours.size()) * 8, 8, CGPixelFormat::RGB32,
                   [&](int x, int) { return colours[static_cast<std::size_t>(x / 8)]; }));
}

std::uint32_t swatch(const UIImage& picture, int index) {
    return pixel(*picture.CGImage(), index * 8 + 4, 4);
}

// Adobe RGB to sRGB by the published matrices, both at D65, without a colour library.
std::uint32_t adobeToSrgb(std::uint32_t argb) {
    static const double toXyz[3][3] = {{0.5767309, 0.1855540, 0.1881852},
                                       {0.2973769, 0.6273491, 0.0752741},
                                       {0.0270343, 0.0706872, 0.9911085}};
    static const double toSrgb[3][3] = {{3.2404542, -1.5371385, -0.4985314},
                                        {-0.9692660, 1.8760108, 0.0415560},
                                        {0.0556434, -0.2040259, 1.0572252}};
    double linear[3];
    for (int c = 0; c < 3; ++c) {
        linear[c] = std::pow(((argb >> (16 - 8 * c)) & 0xFF) / 255.0, 563.0 / 256.0);
    }
    std::uint32_t result = 0xFF000000u;
    for (int row = 0; row < 3; ++row) {
        double xyzToSrgb = 0;
        for (int k = 0; k < 3; ++k) {
            double xyz = 0;
            for (int c = 0; c < 3; ++c) {
                xyz += toXyz[k][c] * linear[c];
            }
            xyzToSrgb += toSrgb[row][k] * xyz;
        }
        const double v = std::clamp(xyzToSrgb, 0.0, 1.0);
        const double encoded = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
        result |= static_cast<std::uint32_t>(std::lround(encoded * 255)) << (16 - 8 * row);
    }
    return result;
}

const std::vector<std::uint32_t> kColours{0xFF00FF00u, 0xFF64A03Cu, 0xFFC86432u, 0xFF808080u};

}  // namespace

TEST(ColourManagementTest, AdobeRgbPicturesAreConvertedToSrgbAndUntaggedOnesAreNot) {
    const std::vector<std::uint8_t> png = UIImagePNGRepresentation(*swatches(kColours));
    const UIImagePtr untagged = ImageDecoder::decodeData(png);
    const UIImagePtr adobe = ImageDecoder::decodeData(withProfile(png, adobeRgbProfile()));
    const UIImagePtr srgb = ImageDecoder::decodeData(withProfile(png, srgbProfile()));
    const UIImagePtr jpeg = ImageDecoder::decodeData(
        withProfile(UIImageJPEGRepresentation(*swatches(kColours), 1.0), adobeRgbProfile()));
    ASSERT_TRUE(untagged && adobe && srgb && jpeg);
    for (std::size_t i = 0; i < kColours.size(); ++i) {
        const int index = static_cast<int>(i);
        EXPECT_EQ(swatch(*untagged, index), kColours[i]);
        EXPECT_TRUE(near(swatch(*srgb, index), kColours[i], 1)) << std::hex << swatch(*srgb, index);
        const std::uint32_t expected = adobeToSrgb(kColours[i]);
        EXPECT_TRUE(near(swatch(*adobe, index), expected, 2))
            << std::hex << swatch(*adobe, index) << " " << expected;
        EXPECT_TRUE(near(swatch(*jpeg, index), expected, 3)) << std::hex << swatch(*jpeg, index);
    }
    // Not a test of nothing: the profile moves these colours by many levels.
    EXPECT_FALSE(near(adobeToSrgb(0xFF64A03Cu), 0xFF64A03Cu, 20));
}

TEST(ColourManagementTest, EachProfileIsMadeIntoAConversionOnce) {
    const std::vector<std::uint8_t> png =
        withProfile(UIImagePNGRepresentation(*swatches(kColours)), adobeRgbProfile());
    ASSERT_TRUE(ImageDecoder::decodeData(png));
    const int made = SrgbConversion::conversionsMade();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(ImageDecoder::decodeData(png));
    }
    EXPECT_EQ(SrgbConversion::conversionsMade(), made);
}

TEST(ColourManagementTest, CmykJpegsOpenInTheirProfilesColoursOrPlainlyWithout) {
    // Cyan, magenta, yellow, black and no ink.
    const std::vector<std::array<std::uint8_t, 4>> inks{
        {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {0, 0, 0, 255}, {0, 0, 0, 0}};
    const auto paint = [&](int x, int) { return inks[static_cast<std::size_t>(x / 8)]; };
    const int width = static_cast<int>(inks.size()) * 8;
    const UIImagePtr plain = ImageDecoder::decodeData(cmykJpeg(width, 8, paint));
    const UIImagePtr press = ImageDecoder::decodeData(cmykJpeg(width, 8, paint, pressProfile()));
    ASSERT_TRUE(plain && press);
    EXPECT_EQ(plain->CGImage()->format(), CGPixelFormat::RGB32);
    const std::vector<std::uint32_t> plainly{0xFF00FFFFu, 0xFFFF00FFu, 0xFFFFFF00u, 0xFF000000u,
                                             0xFFFFFFFFu};
    const std::vector<std::uint32_t> pressed{0xFF00A0E6u, 0xFFE6008Cu, 0xFFFFF200u, 0xFF000000u,
                                             0xFFFFFFFFu};
    for (std::size_t i = 0; i < inks.size(); ++i) {
        const int index = static_cast<int>(i);
        EXPECT_TRUE(near(swatch(*plain, index), plainly[i], 2))
            << i << std::hex << " " << swatch(*plain, index);
        EXPECT_TRUE(near(swatch(*press, index), pressed[i], 3))
            << i << std::hex << " " << swatch(*press, index);
    }
    // For a thumbnail that needs 2 pixels of the 8 high, a quarter of each side will do.
    const ImageDecoder::Result small = ImageDecoder::decodeData(cmykJpeg(width, 8, paint), {2});
    ASSERT_TRUE(small.image);
    EXPECT_EQ(small.image->size(), (CGSize{10, 2}));
    EXPECT_TRUE(near(pixel(*small.image->CGImage(), 0, 0), plainly[0], 8));
}

TEST(ColourManagementTest, SavedFilesCarryTheSrgbProfile) {
    const UIImagePtr picture = swatches(kColours);
    for (const auto& encoded :
         {UIImagePNGRepresentation(*picture), UIImageJPEGRepresentation(*picture, 0.9)}) {
        const std::vector<std::uint8_t> profile = PictureMetadata::read(encoded).iccProfile;
        const auto conversion =
            SrgbConversion::conversionFor(profile, ProfileConversion::Input::Rgb);
        ASSERT_TRUE(conversion);
        EXPECT_TRUE(conversion->isIdentity());
    }
}
