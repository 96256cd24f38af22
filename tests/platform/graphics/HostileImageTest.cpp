#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "platform/graphics/ImageDecoder.h"
#include "tests/platform/foundation/TemporaryFolder.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"
#include "tests/platform/graphics/HandMadePictures.h"

using namespace graphicstest;
using namespace handmade;

namespace {

std::vector<std::uint8_t> smallJpeg() {
    return UIImageJPEGRepresentation(*UIImage::imageWithCGImage(quadrants(32, 16)), 0.9);
}

std::vector<std::uint8_t> smallPng() {
    return UIImagePNGRepresentation(*UIImage::imageWithCGImage(quadrants(32, 16)));
}

// The offset of the first frame header's height in a JPEG (after FF Cx, length, precision).
std::size_t frameSizeOffset(const std::vector<std::uint8_t>& jpeg) {
    for (std::size_t i = 2; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            return i + 5;
        }
    }
    return 0;
}

std::vector<std::uint8_t> withFrameSize(std::vector<std::uint8_t> jpeg, int width, int height) {
    const std::size_t at = frameSizeOffset(jpeg);
    jpeg[at] = static_cast<std::uint8_t>(height >> 8);
    jpeg[at + 1] = static_cast<std::uint8_t>(height);
    jpeg[at + 2] = static_cast<std::uint8_t>(width >> 8);
    jpeg[at + 3] = static_cast<std::uint8_t>(width);
    return jpeg;
}

// The JPEG with count empty comment segments after its start marker.
std::vector<std::uint8_t> withComments(const std::vector<std::uint8_t>& jpeg, int count) {
    std::vector<std::uint8_t> result(jpeg.begin(), jpeg.begin() + 2);
    for (int i = 0; i < count; ++i) {
        result.insert(result.end(), {0xFF, 0xFE, 0x00, 0x03, 'a'});
    }
    result.insert(result.end(), jpeg.begin() + 2, jpeg.end());
    return result;
}

std::vector<std::uint8_t> withoutLast(const std::vector<std::uint8_t>& bytes, std::size_t count) {
    return {bytes.begin(), bytes.end() - static_cast<std::ptrdiff_t>(count)};
}

// An 8-bit RGB PNG whose header declares width × height, with the given compressed data.
std::vector<std::uint8_t> pngDeclaring(std::uint32_t width, std::uint32_t height,
                                       const std::vector<std::uint8_t>& idat = {0x78, 0x9C, 0x63, 0,
                                                                                0, 0, 1, 0, 1}) {
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    appendBigEndian(header, width, 4);
    appendBigEndian(header, height, 4);
    header.insert(header.end(), {8, 2, 0, 0, 0});
    for (const auto& chunk :
         {pngChunk("IHDR", header), pngChunk("IDAT", idat), pngChunk("IEND", {})}) {
        png.insert(png.end(), chunk.begin(), chunk.end());
    }
    return png;
}

// The PNG with an extra chunk just before IEND (the last 12 bytes).
std::vector<std::uint8_t> withChunk(std::vector<std::uint8_t> png, const char* type,
                                    std::size_t size) {
    const std::vector<std::uint8_t> chunk = pngChunk(type, std::vector<std::uint8_t>(size, 'a'));
    png.insert(png.end() - 12, chunk.begin(), chunk.end());
    return png;
}

// Writes the bytes to the folder's file of that name and gives its path.
std::string write(const TemporaryFolder& folder, const std::string& name,
                  const std::vector<std::uint8_t>& bytes) {
    folder.write(name, std::string(bytes.begin(), bytes.end()));
    return folder.path(name);
}

}  // namespace

TEST(HostileImageTest, DamagedJpegsGiveNothing) {
    const std::vector<std::uint8_t> jpeg = smallJpeg();
    ASSERT_TRUE(ImageDecoder::decodeData(jpeg));

    const std::vector<std::uint8_t> truncated(jpeg.begin(), jpeg.begin() + jpeg.size() / 2);
    EXPECT_FALSE(ImageDecoder::decodeData(truncated));
    const std::vector<std::uint8_t> headerOnly(jpeg.begin(), jpeg.begin() + 20);
    EXPECT_FALSE(ImageDecoder::decodeData(headerOnly));

    std::vector<std::uint8_t> badSegment = jpeg;
    badSegment[4] = 0xFF;  // the first segment's length now runs past the end
    badSegment[5] = 0xFF;
    EXPECT_FALSE(ImageDecoder::decodeData(badSegment));
    EXPECT_FALSE(ImageDecoder::decodeData(withFrameSize(jpeg, 0, 16)));

    std::vector<std::uint8_t> garbage = jpeg;
    for (std::size_t i = 2; i < garbage.size() - 2; ++i) {
        garbage[i] = static_cast<std::uint8_t>(i * 7919);
    }
    EXPECT_FALSE(ImageDecoder::decodeData(garbage));
}

TEST(HostileImageTest, JpegsWithTooManyScansAreRefusedBeforeDecoding) {
    // The codec accepts repeated progressive scans (with a warning) and makes a pass
    // over the whole picture for each: a few scans decode, thousands are refused.
    EXPECT_TRUE(ImageDecoder::decodeData(progressiveJpeg(10)));
    EXPECT_FALSE(ImageDecoder::decodeData(progressiveJpeg(3000)));
}

TEST(HostileImageTest, JpegsWithThousandsOfSegmentsAreRefusedAtOnce) {
    // The codec walks its list of kept segments for each new one: 300 000 empty comments
    // took it over a minute.
    const std::vector<std::uint8_t> jpeg = smallJpeg();
    EXPECT_TRUE(ImageDecoder::decodeData(withComments(jpeg, 100)));
    const std::vector<std::uint8_t> hostile = withComments(jpeg, 300'000);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ImageDecoder::decodeData(hostile));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
}

TEST(HostileImageTest, AJpegMissingOnlyItsEndMarkerLoadsAndOneCutShortDoesNot) {
    const std::vector<std::uint8_t> jpeg = smallJpeg();
    const UIImagePtr whole = ImageDecoder::decodeData(jpeg);
    const UIImagePtr unterminated = ImageDecoder::decodeData(withoutLast(jpeg, 2));
    ASSERT_TRUE(unterminated);
    EXPECT_EQ(UIImagePNGRepresentation(*unterminated), UIImagePNGRepresentation(*whole));
    // Every cut into the last scan's data is seen, down to the last few bytes.
    for (std::size_t cut = 3; cut < 40; ++cut) {
        EXPECT_FALSE(ImageDecoder::decodeData(withoutLast(jpeg, cut))) << cut;
    }
    // A progressive picture is whole once every coefficient has come to full precision:
    // one cut after its first scan still ends on a scan's whole data, but lacks the rest.
    EXPECT_TRUE(ImageDecoder::decodeData(progressiveJpeg(1, true, false)));
    EXPECT_FALSE(ImageDecoder::decodeData(progressiveJpeg(1, false, false)));
}

TEST(HostileImageTest, AnimationCanvasesCountWhateverTheirFramesSizes) {
    // The codecs hand back the whole canvas: a 1 × 1 frame on a small one decodes at the
    // canvas's size, and on a 10000 × 10000 one it would take over a gigabyte.
    const UIImagePtr gif = ImageDecoder::decodeData(gifOnScreen(64, 48));
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->size(), (CGSize{64, 48}));
    const UIImagePtr webp = ImageDecoder::decodeData(webpOnCanvas(64, 48));
    ASSERT_TRUE(webp);
    EXPECT_EQ(webp->size(), (CGSize{64, 48}));

    EXPECT_EQ(gifOnScreen(10000, 10000).size(), 35u);
    EXPECT_FALSE(ImageDecoder::decodeData(gifOnScreen(10000, 10000)));
    EXPECT_FALSE(ImageDecoder::decodeData(gifOnScreen(40000, 1)));
    EXPECT_EQ(webpOnCanvas(10000, 10000).size(), 92u);
    EXPECT_FALSE(ImageDecoder::decodeData(webpOnCanvas(10000, 10000)));
    EXPECT_EQ(DecodeBudget::shared().reserved(), 0) << "refusals hold no memory";
}

TEST(HostileImageTest, DeclaredSizesOverTheLimitsAreRefused) {
    // Refused from the header alone: the files hold almost no pixel data.
    EXPECT_FALSE(ImageDecoder::decodeData(pngDeclaring(100000, 100000)));
    EXPECT_FALSE(ImageDecoder::decodeData(pngDeclaring(10001, 10000)));  // just over 100 MP
    EXPECT_FALSE(ImageDecoder::decodeData(pngDeclaring(CGImage::kMaxSide + 1, 1)));
    EXPECT_FALSE(ImageDecoder::decodeData(pngDeclaring(0x7FFFFFFF, 1)));
    EXPECT_FALSE(ImageDecoder::decodeData(withFrameSize(smallJpeg(), 60000, 60000)));
    std::vector<std::uint8_t> bmp{'B', 'M', 70, 0,    0,    0, 0, 0,    0,    0, 54, 0, 0, 0,  40,
                                  0,   0,   0,  0xA0, 0x86, 1, 0, 0xA0, 0x86, 1, 0,  1, 0, 24, 0};
    bmp.resize(70, 0);
    EXPECT_FALSE(ImageDecoder::decodeData(bmp));  // 100000 × 100000
}

TEST(HostileImageTest, PngsWithDamageOrOversizedMetadataAreRefused) {
    const std::vector<std::uint8_t> png = smallPng();
    ASSERT_TRUE(ImageDecoder::decodeData(png));
    EXPECT_FALSE(ImageDecoder::decodeData(std::vector<std::uint8_t>(png.begin(), png.end() - 13)));
    EXPECT_FALSE(
        ImageDecoder::decodeData(std::vector<std::uint8_t>(png.begin(), png.begin() + 40)));

    // Broken compressed data (a reserved block type) under a correct CRC: only the
    // decoder sees it.
    std::vector<std::uint8_t> brokenStream{0x78, 0x9C};
    brokenStream.resize(200, 0xFF);
    EXPECT_FALSE(ImageDecoder::decodeData(pngDeclaring(32, 16, brokenStream)));

    EXPECT_TRUE(ImageDecoder::decodeData(withChunk(png, "tEXt", 1000)));
    EXPECT_FALSE(ImageDecoder::decodeData(
        withChunk(png, "tEXt", ImageDecoder::kMaxAncillaryChunkBytes + 1)));
}

TEST(HostileImageTest, TextAndUnknownFormatsGiveNothing) {
    const std::string text = "This is not a picture, whatever its name says.\n";
    EXPECT_FALSE(ImageDecoder::decodeData(std::vector<std::uint8_t>(text.begin(), text.end())));
    const std::string ppm = "P6\n2 2\n255\n";  // a format Qt reads but we do not accept
    std::vector<std::uint8_t> ppmBytes(ppm.begin(), ppm.end());
    ppmBytes.resize(ppmBytes.size() + 12, 200);
    EXPECT_FALSE(ImageDecoder::decodeData(ppmBytes));
    EXPECT_FALSE(ImageDecoder::decodeData(std::vector<std::uint8_t>(4096, 0)));
    EXPECT_FALSE(ImageDecoder::decodeData({}));
}

TEST(HostileImageTest, OnlyReadableRegularFilesWithinTheSizeLimitAreRead) {
    const TemporaryFolder folder;
    EXPECT_TRUE(UIImage::imageWithContentsOfFile(write(folder, "good.png", smallPng())));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile(write(folder, "empty.jpg", {})));
    folder.write("text.jpg", "hello");
    EXPECT_FALSE(UIImage::imageWithContentsOfFile(folder.path("text.jpg")));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile(folder.path("missing.png")));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile(folder.path()));

    std::filesystem::create_symlink(folder.path("loopB.png"), folder.path("loopA.png"));
    std::filesystem::create_symlink(folder.path("loopA.png"), folder.path("loopB.png"));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile(folder.path("loopA.png")));

    const std::string fifo = folder.path("fifo.png");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(UIImage::imageWithContentsOfFile(fifo));  // neither blocks nor reads

    // A sparse file one byte over the limit: refused from its size, never read.
    const std::string huge = write(folder, "huge.png", smallPng());
    std::filesystem::resize_file(huge, ImageDecoder::kMaxFileBytes + 1);
    EXPECT_FALSE(UIImage::imageWithContentsOfFile(huge));
}
