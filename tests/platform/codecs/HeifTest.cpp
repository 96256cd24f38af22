#include <gtest/gtest.h>
#include <libheif/heif.h>

#include <algorithm>
#include <cstring>

#include "platform/codecs/PictureMetadata.h"
#include "platform/graphics/ImageDecoder.h"
#include "platform/ui/picker/PhotoLibrary.h"
#include "tests/platform/codecs/CodecTestFiles.h"
#include "tests/platform/foundation/TemporaryFolder.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"

using namespace graphicstest;

namespace {

// How a test file is made: by default four quadrants (red, green / blue, white) upright,
// with an sRGB profile and no thumbnail.
struct FileKind {
    heif_orientation orientation = heif_orientation_normal;
    CGImageRef pixels = quadrants(64, 32);
    // No profile but Display P3's code points.
    bool displayP3 = false;
    // When positive, a thumbnail stored too, fitted in a square of this side.
    int thumbnailSide = 0;
};

// The 64 × 32 pixels encoded losslessly by libheif's encoder for the format, stored with
// an EXIF orientation to apply (libheif writes it as rotation and mirror boxes) and the
// make "Heif Maker" in its EXIF.
std::vector<std::uint8_t> heifFile(heif_compression_format format, const FileKind& kind = {}) {
    heif_image* image = nullptr;
    heif_image_create(64, 32, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, 64, 32, 8);
    int stride = 0;
    std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 64; ++x) {
            const std::uint32_t argb = pixel(*kind.pixels, x, y);
            std::uint8_t* out = plane + y * stride + 3 * x;
            out[0] = static_cast<std::uint8_t>(argb >> 16);
            out[1] = static_cast<std::uint8_t>(argb >> 8);
            out[2] = static_cast<std::uint8_t>(argb);
        }
    }
    if (kind.displayP3) {
        heif_color_profile_nclx* p3 = heif_nclx_color_profile_alloc();
        heif_nclx_color_profile_set_color_primaries(p3, heif_color_primaries_SMPTE_EG_432_1);
        heif_nclx_color_profile_set_transfer_characteristics(
            p3, heif_transfer_characteristic_IEC_61966_2_1);
        heif_image_set_nclx_color_profile(image, p3);
        heif_nclx_color_profile_free(p3);
    } else {
        const std::vector<std::uint8_t> profile = codectest::srgbProfile();
        heif_image_set_raw_color_profile(image, "prof", profile.data(), profile.size());
    }
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_context_get_encoder_for_format(context, format, &encoder);
    heif_encoder_set_lossless(encoder, 1);
    heif_encoder_set_parameter(encoder, "chroma", "444");
    if (format == heif_compression_AV1) {
        heif_encoder_set_parameter(encoder, "speed", "9");
    }
    heif_encoding_options* options = heif_encoding_options_alloc();
    options->image_orientation = kind.orientation;
    if (kind.displayP3) {
        options->macOS_compatibility_workaround_no_nclx_profile = 0;
    }
    heif_image_handle* handle = nullptr;
    heif_context_encode_image(context, image, encoder, options, &handle);
    if (kind.thumbnailSide > 0) {
        heif_image_handle* thumbnail = nullptr;
        heif_context_encode_thumbnail(context, image, handle, encoder, options, kind.thumbnailSide,
                                      &thumbnail);
        heif_image_handle_release(thumbnail);
    }
    // EXIF as HEIF keeps it: the offset of the TIFF header, then the TIFF structure.
    const std::vector<std::uint8_t> tiff{
        'M', 'M', 0,  42, 0, 0, 0, 8,   0,   1,   0x01, 0x0F, 0,   2,   0,   0,   0,   11, 0,
        0,   0,   26, 0,  0, 0, 0, 'H', 'e', 'i', 'f',  ' ',  'M', 'a', 'k', 'e', 'r', 0};
    std::vector<std::uint8_t> exif{0, 0, 0, 0};
    exif.insert(exif.end(), tiff.begin(), tiff.end());
    heif_context_add_exif_metadata(context, handle, exif.data(), static_cast<int>(exif.size()));
    std::vector<std::uint8_t> bytes;
    heif_writer writer{1, [](heif_context*, const void* data, size_t size, void* into) {
                           auto* out = static_cast<std::vector<std::uint8_t>*>(into);
                           const auto* begin = static_cast<const std::uint8_t*>(data);
                           out->insert(out->end(), begin, begin + size);
                           return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
                       }};
    heif_context_write(context, &writer, &bytes);
    heif_image_handle_release(handle);
    heif_encoding_options_free(options);
    heif_encoder_release(encoder);
    heif_image_release(image);
    heif_context_free(context);
    return bytes;
}

// The file with the size in every image-size ('ispe') box replaced.
std::vector<std::uint8_t> declaring(std::vector<std::uint8_t> heif, std::uint32_t width,
                                    std::uint32_t height) {
    const char* ispe = "ispe";
    std::vector<std::uint8_t> size;
    appendBigEndian(size, width, 4);
    appendBigEndian(size, height, 4);
    for (auto found = std::search(heif.begin(), heif.end(), ispe, ispe + 4); found != heif.end();
         found = std::search(found + 4, heif.end(), ispe, ispe + 4)) {
        std::copy(size.begin(), size.end(), found + 8);  // after the type, version and flags
    }
    return heif;
}

void expectUprightTurnedQuadrants(const UIImagePtr& picture) {
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), (CGSize{32, 64}));
    EXPECT_EQ(picture->imageOrientation(), UIImageOrientation::Up);
    // Turned a quarter clockwise: blue, red on top; white, green below.
    const CGImage& bitmap = *picture->CGImage();
    EXPECT_TRUE(near(pixel(bitmap, 8, 16), 0xFF0000FFu, 12)) << std::hex << pixel(bitmap, 8, 16);
    EXPECT_TRUE(near(pixel(bitmap, 24, 16), 0xFFFF0000u, 12)) << std::hex << pixel(bitmap, 24, 16);
    EXPECT_TRUE(near(pixel(bitmap, 8, 48), 0xFFFFFFFFu, 12)) << std::hex << pixel(bitmap, 8, 48);
    EXPECT_TRUE(near(pixel(bitmap, 24, 48), 0xFF00FF00u, 12)) << std::hex << pixel(bitmap, 24, 48);
    ASSERT_TRUE(picture->metadata());
    EXPECT_EQ(picture->metadata()->value("Exif.Image.Make"), "Heif Maker");
}

}  // namespace

TEST(HeifTest, HeicAndAvifOpenUprightWithTheirMetadata) {
    expectUprightTurnedQuadrants(ImageDecoder::decodeData(
        heifFile(heif_compression_HEVC, {.orientation = heif_orientation_rotate_90_cw})));
    expectUprightTurnedQuadrants(ImageDecoder::decodeData(
        heifFile(heif_compression_AV1, {.orientation = heif_orientation_rotate_90_cw})));
}

TEST(HeifTest, DisplayP3NamedByCodePointsIsBroughtToSrgb) {
    // P3's (200, 100, 50) is sRGB's (217, 92, 31); its white stays white.
    const CGImageRef pixels = makeBitmap(64, 32, CGPixelFormat::RGB32, [](int x, int) {
        return x < 32 ? 0xFFC86432u : 0xFFFFFFFFu;
    });
    const UIImagePtr picture = ImageDecoder::decodeData(
        heifFile(heif_compression_HEVC, {.pixels = pixels, .displayP3 = true}));
    ASSERT_TRUE(picture);
    const CGImage& bitmap = *picture->CGImage();
    EXPECT_TRUE(near(pixel(bitmap, 8, 8), 0xFFD95C1Fu, 3)) << std::hex << pixel(bitmap, 8, 8);
    EXPECT_TRUE(near(pixel(bitmap, 40, 8), 0xFFFFFFFFu, 2)) << std::hex << pixel(bitmap, 40, 8);
}

TEST(HeifTest, AStoredThumbnailServesWhenItIsLargeEnough) {
    const std::vector<std::uint8_t> heic = heifFile(heif_compression_HEVC, {.thumbnailSide = 32});
    const ImageDecoder::Result small = ImageDecoder::decodeData(heic, {16});
    ASSERT_TRUE(small.image);
    EXPECT_EQ(small.image->size(), (CGSize{32, 16}));
    EXPECT_TRUE(near(pixel(*small.image->CGImage(), 4, 4), 0xFFFF0000u, 16));
    ASSERT_TRUE(small.image->metadata());
    EXPECT_EQ(small.image->metadata()->value("Exif.Image.Make"), "Heif Maker");
    // A shorter side of 17 needs the picture itself; so does a request for all of it.
    EXPECT_EQ(ImageDecoder::decodeData(heic, {17}).image->size(), (CGSize{64, 32}));
    EXPECT_EQ(ImageDecoder::decodeData(heic)->size(), (CGSize{64, 32}));
}

TEST(HeifTest, HugeOrDamagedHeifsAreRefusedBeforeAnyPixelIsDecoded) {
    const std::vector<std::uint8_t> heic = heifFile(heif_compression_HEVC);
    DecodeBudget::shared().resetPeak();
    const ImageDecoder::Result huge = ImageDecoder::decodeData(declaring(heic, 30000, 30000), {});
    EXPECT_FALSE(huge.image);
    EXPECT_EQ(huge.refusal, DecodeRefusal::tooManyPixels(30000, 30000));
    EXPECT_EQ(DecodeBudget::shared().peakReserved(), 0) << "nothing was reserved to decode";

    const ImageDecoder::Result cut = ImageDecoder::decodeData(
        std::vector<std::uint8_t>(heic.begin(), heic.begin() + heic.size() / 2), {});
    EXPECT_EQ(cut.refusal.reason, DecodeRefusal::Reason::Truncated);
    const ImageDecoder::Result header =
        ImageDecoder::decodeData(std::vector<std::uint8_t>(heic.begin(), heic.begin() + 40), {});
    EXPECT_EQ(header.refusal.reason, DecodeRefusal::Reason::Truncated);
}

TEST(HeifTest, ThePhotoLibraryShowsHeicAndAvifFiles) {
    const TemporaryFolder folder;
    const std::vector<std::uint8_t> heic = heifFile(heif_compression_HEVC);
    folder.write("photo.heic", std::string(heic.begin(), heic.end()));
    const std::vector<std::uint8_t> avif = heifFile(heif_compression_AV1);
    folder.write("photo.avif", std::string(avif.begin(), avif.end()));
    PhotoLibrary::setLibraryPath(folder.path());
    EXPECT_EQ(PhotoLibrary::picturePaths().size(), 2u);
    for (const std::string& path : PhotoLibrary::picturePaths()) {
        const UIImagePtr thumbnail = PhotoLibrary::thumbnailForPicture(path, 20, 2);
        ASSERT_TRUE(thumbnail) << path;
        EXPECT_TRUE(near(pixel(*thumbnail->CGImage(), 2, 2), 0xFFFF0000u, 16)) << path;
    }
    PhotoLibrary::setLibraryPath(PhotoLibrary::defaultLibraryPath());
}
