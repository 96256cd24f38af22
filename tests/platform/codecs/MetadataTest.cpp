#include <gtest/gtest.h>

#include "platform/codecs/PictureMetadata.h"
#include "platform/graphics/ImageDecoder.h"
#include "tests/platform/codecs/CodecTestFiles.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"

using namespace graphicstest;
using namespace codectest;

namespace {

// A 40 × 20 JPEG with a camera's EXIF: capture date, make, model, artist, copyright,
// body serial number, a GPS position, orientation 6 and a thumbnail.
std::vector<std::uint8_t> cameraJpeg() {
    const std::vector<std::uint8_t> thumbnail =
        UIImageJPEGRepresentation(*UIImage::imageWithCGImage(quadrants(8, 4)), 0.5);
    return edited(UIImageJPEGRepresentation(*UIImage::imageWithCGImage(quadrants(40, 20)), 0.9),
                  [&](Exiv2::Image& image) {
                      Exiv2::ExifData& exif = image.exifData();
                      exif["Exif.Photo.DateTimeOriginal"] = "2024:05:01 10:20:30";
                      exif["Exif.Image.Make"] = "Camera Maker";
                      exif["Exif.Image.Model"] = "Model 7";
                      exif["Exif.Image.Artist"] = "A. Photographer";
                      exif["Exif.Image.Copyright"] = "(c) A. Photographer";
                      exif["Exif.Photo.BodySerialNumber"] = "SN123456";
                      exif["Exif.Image.Orientation"] = std::uint16_t{6};
                      exif["Exif.Photo.PixelXDimension"] = std::uint32_t{40};
                      exif["Exif.Photo.PixelYDimension"] = std::uint32_t{20};
                      exif["Exif.GPSInfo.GPSLatitudeRef"] = "N";
                      exif["Exif.GPSInfo.GPSLatitude"] = "48/1 8/1 0/1";
                      exif["Exif.GPSInfo.GPSLongitudeRef"] = "E";
                      exif["Exif.GPSInfo.GPSLongitude"] = "11/1 34/1 0/1";
                      Exiv2::ExifThumb(exif).setJpegThumbnail(thumbnail.data(),
                                                              static_cast<long>(thumbnail.size()));
                  });
}

// What the file says, read back as any reader would.
PictureMetadataPtr metadataOf(const std::vector<std::uint8_t>& encoded) {
    return PictureMetadata::read(encoded).metadata;
}

// A TIFF header, then IFD0 at 8 declaring count entries, holding the given ones (tag,
// type, count, value or offset), and the offset of the next IFD.
std::vector<std::uint8_t> tiffWith(std::uint16_t count,
                                   const std::vector<std::array<std::uint32_t, 4>>& entries,
                                   std::uint32_t next) {
    std::vector<std::uint8_t> tiff{'M', 'M', 0, 42, 0, 0, 0, 8};
    appendBigEndian(tiff, count, 2);
    for (const auto& [tag, type, number, value] : entries) {
        appendBigEndian(tiff, tag, 2);
        appendBigEndian(tiff, type, 2);
        appendBigEndian(tiff, number, 4);
        appendBigEndian(tiff, value, 4);
    }
    appendBigEndian(tiff, next, 4);
    return tiff;
}

}  // namespace

TEST(MetadataTest, ASavedEditKeepsTheCreditsAndDescribesTheEdit) {
    const UIImagePtr photo = ImageDecoder::decodeData(cameraJpeg());
    ASSERT_TRUE(photo && photo->metadata());
    EXPECT_EQ(photo->imageOrientation(), UIImageOrientation::Right);
    // An edit's result: new, upright pixels of another size, given the photo's metadata.
    const UIImagePtr result =
        UIImage::imageWithCGImage(quadrants(12, 30))->imageWithMetadata(photo->metadata());
    const PictureMetadataPtr saved = metadataOf(UIImageJPEGRepresentation(*result, 0.9));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->value("Exif.Photo.DateTimeOriginal"), "2024:05:01 10:20:30");
    EXPECT_EQ(saved->value("Exif.Image.Make"), "Camera Maker");
    EXPECT_EQ(saved->value("Exif.Image.Model"), "Model 7");
    EXPECT_EQ(saved->value("Exif.Image.Artist"), "A. Photographer");
    EXPECT_EQ(saved->value("Exif.Image.Copyright"), "(c) A. Photographer");
    EXPECT_EQ(saved->value("Exif.Image.Orientation"), "1");
    EXPECT_EQ(saved->value("Exif.Photo.PixelXDimension"), "12");
    EXPECT_EQ(saved->value("Exif.Photo.PixelYDimension"), "30");
    EXPECT_EQ(saved->value("Exif.Image.Software"), PictureMetadata::kSoftware);
    EXPECT_FALSE(saved->has("Exif.Thumbnail.JPEGInterchangeFormat"));
    // A save keeps where the photo was taken; sharing removes it and the serial number.
    EXPECT_EQ(saved->value("Exif.GPSInfo.GPSLatitudeRef"), "N");
    EXPECT_TRUE(saved->hasPrivateData());
    const UIImagePtr shared = result->imageWithMetadata(photo->metadata()->withoutPrivateData());
    const PictureMetadataPtr sent = metadataOf(UIImageJPEGRepresentation(*shared, 0.9));
    ASSERT_TRUE(sent);
    EXPECT_FALSE(sent->hasPrivateData());
    EXPECT_FALSE(sent->has("Exif.GPSInfo.GPSLatitude"));
    EXPECT_FALSE(sent->has("Exif.Photo.BodySerialNumber"));
    EXPECT_EQ(sent->value("Exif.Image.Artist"), "A. Photographer");
}

TEST(MetadataTest, PngsKeepTheirXmpAndPicturesWithoutMetadataGetNone) {
    const std::vector<std::uint8_t> png =
        UIImagePNGRepresentation(*UIImage::imageWithCGImage(quadrants(16, 8)));
    EXPECT_FALSE(metadataOf(png)) << "nothing is invented";
    const UIImagePtr photo = ImageDecoder::decodeData(edited(
        png, [](Exiv2::Image& image) { image.xmpData()["Xmp.dc.title"] = "Harbour at dawn"; }));
    ASSERT_TRUE(photo && photo->metadata());
    const PictureMetadataPtr saved = metadataOf(UIImagePNGRepresentation(*photo));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->value("Xmp.dc.title"), "lang=\"x-default\" Harbour at dawn");
    EXPECT_FALSE(saved->has("Exif.Image.Software")) << "no EXIF is invented for an XMP file";
}

TEST(MetadataTest, HostileExifLosesOnlyTheMetadata) {
    const std::vector<std::uint8_t> plain =
        UIImageJPEGRepresentation(*UIImage::imageWithCGImage(quadrants(32, 16)), 0.9);
    const std::vector<std::uint8_t> withXmp =
        edited(plain, [](Exiv2::Image& image) { image.xmpData()["Xmp.dc.source"] = "survives"; });
    constexpr std::uint32_t kAscii = 2;
    constexpr std::uint32_t kLong = 4;
    const std::vector<std::vector<std::uint8_t>> hostile{
        // IFD0 is its own next IFD, and its EXIF sub-IFD is IFD0 again.
        tiffWith(2, {{0x010F, kAscii, 3, 0x41420000}, {0x8769, kLong, 1, 8}}, 8),
        // 65535 entries declared, one present.
        tiffWith(0xFFFF, {{0x010F, kAscii, 3, 0x41420000}}, 0),
        // A make of 100 bytes far past the end of the file.
        tiffWith(1, {{0x010F, kAscii, 100, 0x7FFFFFF0}}, 0),
    };
    // The sound entry of the looping directory is kept, once.
    const std::vector<std::string> expectedMakes{"AB", "", ""};
    for (std::size_t case_ = 0; case_ < hostile.size(); ++case_) {
        const UIImagePtr photo = ImageDecoder::decodeData(withExifSegment(withXmp, hostile[case_]));
        ASSERT_TRUE(photo);
        EXPECT_EQ(photo->size(), (CGSize{32, 16}));
        EXPECT_TRUE(near(pixel(*photo->CGImage(), 4, 4), 0xFFFF0000u, 8));
        ASSERT_TRUE(photo->metadata());
        EXPECT_EQ(photo->metadata()->value("Xmp.dc.source"), "survives");
        EXPECT_EQ(photo->metadata()->value("Exif.Image.Make"), expectedMakes[case_]);
        // The picture saves, with what could be read.
        EXPECT_TRUE(metadataOf(UIImageJPEGRepresentation(*photo, 0.9)));
    }
}
