#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>

#include "platform/foundation/NSBundle.h"
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

using Reason = DecodeRefusal::Reason;

// Why the decoder refuses the bytes; nothing when it makes a picture of them.
std::optional<DecodeRefusal> refusalOf(std::span<const std::uint8_t> bytes) {
    ImageDecoder::Result result = ImageDecoder::decodeData(bytes, {});
    return result.image ? std::nullopt : std::optional(result.refusal);
}

std::optional<Reason> reasonOf(std::span<const std::uint8_t> bytes) {
    const std::optional<DecodeRefusal> refusal = refusalOf(bytes);
    return refusal ? std::optional(refusal->reason) : std::nullopt;
}

std::optional<DecodeRefusal> refusalOfFile(const std::string& path) {
    ImageDecoder::Result result = ImageDecoder::decodeFile(path, {});
    return result.image ? std::nullopt : std::optional(result.refusal);
}

std::optional<Reason> reasonOfFile(const std::string& path) {
    const std::optional<DecodeRefusal> refusal = refusalOfFile(path);
    return refusal ? std::optional(refusal->reason) : std::nullopt;
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
    EXPECT_EQ(reasonOf(truncated), Reason::Truncated);
    const std::vector<std::uint8_t> headerOnly(jpeg.begin(), jpeg.begin() + 20);
    EXPECT_EQ(reasonOf(headerOnly), Reason::Truncated);

    std::vector<std::uint8_t> badSegment = jpeg;
    badSegment[4] = 0xFF;  // the first segment's length now runs past the end
    badSegment[5] = 0xFF;
    EXPECT_EQ(reasonOf(badSegment), Reason::Truncated);
    EXPECT_EQ(reasonOf(withFrameSize(jpeg, 0, 16)), Reason::Unreadable);

    std::vector<std::uint8_t> garbage = jpeg;
    for (std::size_t i = 2; i < garbage.size() - 2; ++i) {
        garbage[i] = static_cast<std::uint8_t>(i * 7919);
    }
    EXPECT_EQ(reasonOf(garbage), Reason::Unreadable);
}

TEST(HostileImageTest, JpegsWithTooManyScansAreRefusedBeforeDecoding) {
    // The codec accepts repeated progressive scans (with a warning) and makes a pass
    // over the whole picture for each: a few scans decode, thousands are refused.
    EXPECT_TRUE(ImageDecoder::decodeData(progressiveJpeg(10)));
    EXPECT_EQ(reasonOf(progressiveJpeg(3000)), Reason::Unreadable);
}

TEST(HostileImageTest, JpegsWithThousandsOfSegmentsAreRefusedAtOnce) {
    // The codec walks its list of kept segments for each new one: 300 000 empty comments
    // took it over a minute.
    const std::vector<std::uint8_t> jpeg = smallJpeg();
    EXPECT_TRUE(ImageDecoder::decodeData(withComments(jpeg, 100)));
    const std::vector<std::uint8_t> hostile = withComments(jpeg, 300'000);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(reasonOf(hostile), Reason::Unreadable);
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
        EXPECT_EQ(reasonOf(withoutLast(jpeg, cut)), Reason::Truncated) << cut;
    }
    // A progressive picture is whole once every coefficient has come to full precision:
    // one cut after its first scan still ends on a scan's whole data, but lacks the rest.
    EXPECT_TRUE(ImageDecoder::decodeData(progressiveJpeg(1, true, false)));
    EXPECT_EQ(reasonOf(progressiveJpeg(1, false, false)), Reason::Truncated);
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
    // Within the pixel limits, but over the memory budget.
    EXPECT_EQ(refusalOf(gifOnScreen(10000, 10000)), DecodeRefusal::tooManyPixels(10000, 10000));
    EXPECT_EQ(refusalOf(gifOnScreen(40000, 1)), DecodeRefusal::tooManyPixels(40000, 1));
    EXPECT_EQ(webpOnCanvas(10000, 10000).size(), 92u);
    EXPECT_EQ(reasonOf(webpOnCanvas(10000, 10000)), Reason::TooLarge);
    EXPECT_EQ(DecodeBudget::shared().reserved(), 0) << "refusals hold no memory";
}

TEST(HostileImageTest, DeclaredSizesOverTheLimitsAreRefused) {
    // Refused from the header alone: the files hold almost no pixel data.
    const auto tooLarge = DecodeRefusal::tooManyPixels;
    EXPECT_EQ(refusalOf(pngDeclaring(100000, 100000)), tooLarge(100000, 100000));
    EXPECT_EQ(refusalOf(pngDeclaring(10001, 10000)), tooLarge(10001, 10000));  // just over 100 MP
    EXPECT_EQ(refusalOf(pngDeclaring(CGImage::kMaxSide + 1, 1)),
              tooLarge(CGImage::kMaxSide + 1, 1));
    // Sizes the codecs themselves refuse to report.
    EXPECT_EQ(reasonOf(pngDeclaring(0x7FFFFFFF, 1)), Reason::Unreadable);
    EXPECT_EQ(refusalOf(withFrameSize(smallJpeg(), 60000, 60000)), tooLarge(60000, 60000));
    EXPECT_EQ(tooLarge(60000, 60000).text(),
              "This picture is too large to open: 60000 × 60000 pixels (at most 100 megapixels, "
              "32768 pixels a side).");
    std::vector<std::uint8_t> bmp{'B', 'M', 70, 0,    0,    0, 0, 0,    0,    0, 54, 0, 0, 0,  40,
                                  0,   0,   0,  0xA0, 0x86, 1, 0, 0xA0, 0x86, 1, 0,  1, 0, 24, 0};
    bmp.resize(70, 0);
    EXPECT_EQ(reasonOf(bmp), Reason::Unreadable);  // 100000 × 100000
}

TEST(HostileImageTest, PngsWithDamageOrOversizedMetadataAreRefused) {
    const std::vector<std::uint8_t> png = smallPng();
    ASSERT_TRUE(ImageDecoder::decodeData(png));
    EXPECT_EQ(reasonOf(withoutLast(png, 13)), Reason::Truncated);
    EXPECT_EQ(reasonOf(std::vector<std::uint8_t>(png.begin(), png.begin() + 40)),
              Reason::Truncated);

    // Broken compressed data (a reserved block type) under a correct CRC: only the
    // decoder sees it.
    std::vector<std::uint8_t> brokenStream{0x78, 0x9C};
    brokenStream.resize(200, 0xFF);
    EXPECT_EQ(reasonOf(pngDeclaring(32, 16, brokenStream)), Reason::Unreadable);

    EXPECT_TRUE(ImageDecoder::decodeData(withChunk(png, "tEXt", 1000)));
    EXPECT_EQ(reasonOf(withChunk(png, "tEXt", ImageDecoder::kMaxAncillaryChunkBytes + 1)),
              Reason::Unreadable);
}

TEST(HostileImageTest, TextAndUnknownFormatsGiveNothing) {
    const std::string text = "This is not a picture, whatever its name says.\n";
    EXPECT_EQ(reasonOf(std::vector<std::uint8_t>(text.begin(), text.end())), Reason::NotAPicture);
    const std::string ppm = "P6\n2 2\n255\n";  // a format Qt reads but we do not accept
    std::vector<std::uint8_t> ppmBytes(ppm.begin(), ppm.end());
    ppmBytes.resize(ppmBytes.size() + 12, 200);
    EXPECT_EQ(reasonOf(ppmBytes), Reason::UnsupportedFormat);
    EXPECT_EQ(reasonOf(std::vector<std::uint8_t>(4096, 0)), Reason::NotAPicture);
    EXPECT_EQ(reasonOf({}), Reason::NotAPicture);
    EXPECT_FALSE(ImageDecoder::decodeData({}));
}

TEST(HostileImageTest, OnlyReadableRegularFilesWithinTheSizeLimitAreRead) {
    const TemporaryFolder folder;
    EXPECT_TRUE(UIImage::imageWithContentsOfFile(write(folder, "good.png", smallPng())));
    EXPECT_EQ(reasonOfFile(write(folder, "empty.jpg", {})), Reason::NotAPicture);
    folder.write("text.jpg", "hello");
    EXPECT_EQ(reasonOfFile(folder.path("text.jpg")), Reason::NotAPicture);
    EXPECT_EQ(reasonOfFile(folder.path("missing.png")), Reason::Unreadable);
    EXPECT_EQ(reasonOfFile(folder.path()), Reason::Unreadable);
    const std::string locked = write(folder, "locked.png", smallPng());
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    if (::geteuid() != 0) {  // root reads it all the same
        EXPECT_EQ(reasonOfFile(locked), Reason::Unreadable);
    }

    std::filesystem::create_symlink(folder.path("loopB.png"), folder.path("loopA.png"));
    std::filesystem::create_symlink(folder.path("loopA.png"), folder.path("loopB.png"));
    EXPECT_EQ(reasonOfFile(folder.path("loopA.png")), Reason::Unreadable);

    const std::string fifo = folder.path("fifo.png");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(reasonOfFile(fifo), Reason::Unreadable);  // neither blocks nor reads

    // A sparse file one byte over the limit: refused from its size, never read.
    const std::string huge = write(folder, "huge.png", smallPng());
    std::filesystem::resize_file(huge, ImageDecoder::kMaxFileBytes + 1);
    EXPECT_EQ(refusalOfFile(huge), DecodeRefusal::tooManyBytes(ImageDecoder::kMaxFileBytes + 1));
}

TEST(HostileImageTest, RefusalTextsComeFromTheStringTableWithTheSizesFilledIn) {
    const TemporaryFolder folder;
    folder.write("Texts.bundle/en.lproj/Localizable.strings",
                 "\"ImageDecoder_FileTooLarge\" = \"%1 MB > %2 MB, 100%\";\n");
    const auto bundle = NSBundle::bundleWithPath(folder.path("Texts.bundle"));
    const auto lookup = [&](const std::string& key, const std::string& english) {
        return bundle->localizedStringForKey(key, english);
    };
    const DecodeRefusal refusal = DecodeRefusal::tooManyBytes(300'000'000);
    EXPECT_EQ(refusal.localizedText(lookup), "300 MB > 268 MB, 100%");
    EXPECT_EQ(DecodeRefusal{Reason::Truncated}.localizedText(lookup),
              "This picture is incomplete: the file ends too early.");
}
