#include "platform/graphics/DecodePlan.h"

#include <QtGui/QPixelFormat>
#include <algorithm>
#include <array>
#include <cmath>

#include "platform/codecs/CmykJpeg.h"
#include "platform/graphics/CanvasHeader.h"
#include "platform/graphics/PngStructure.h"

namespace {

constexpr std::array<const char*, 5> kAcceptedFormats{"jpeg", "png", "webp", "gif", "bmp"};
constexpr std::int64_t kOurBytesPerPixel = 4;
// The codec's image of the canvas, and the copy an animation keeps to compose the next
// frame on.
constexpr std::int64_t kAnimationBytesPerPixel = 8;
// A reduced JPEG decodes at the next eighth of the size above the one asked for, then
// shrinks: at worst twice the side, four times the pixels.
constexpr std::int64_t kReducedJpegBytesPerPixel = 16;
// Each component's coefficients, two bytes each, at full resolution.
constexpr std::int64_t kCoefficientBytes = 2;

bool isAcceptedFormat(const QByteArray& format) {
    return std::any_of(kAcceptedFormats.begin(), kAcceptedFormats.end(),
                       [&](const char* accepted) { return format == accepted; });
}

bool isOurLayout(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

std::int64_t pixelsOf(QSize size) {
    return static_cast<std::int64_t>(size.width()) * size.height();
}

// Nothing when the size is acceptable.
std::optional<DecodeRefusal> refusalOfSize(QSize size) {
    if (!size.isValid()) {
        return DecodeRefusal{DecodeRefusal::Reason::Unreadable};
    }
    if (!CGImage::isAcceptableSize(size.width(), size.height())) {
        return DecodeRefusal::tooManyPixels(size.width(), size.height());
    }
    return std::nullopt;
}

std::optional<DecodeRefusal> refusalOfStructure(const DecodePlan& plan,
                                                std::span<const std::uint8_t> data) {
    using Reason = DecodeRefusal::Reason;
    if (plan.format == "jpeg") {
        switch (plan.jpeg.verdict) {
            case JpegStructure::Verdict::Refused:
                return DecodeRefusal{Reason::Unreadable};
            case JpegStructure::Verdict::Truncated:
                return DecodeRefusal{Reason::Truncated};
            default:
                return std::nullopt;
        }
    }
    if (plan.format == "png") {
        switch (PngStructure::inspect(data, ImageDecoder::kMaxAncillaryChunkBytes)) {
            case PngStructure::Verdict::Refused:
                return DecodeRefusal{Reason::Unreadable};
            case PngStructure::Verdict::Truncated:
                return DecodeRefusal{Reason::Truncated};
            case PngStructure::Verdict::Sound:
                break;
        }
    }
    return std::nullopt;
}

std::optional<CanvasHeader::Size> declaredCanvas(const QByteArray& format,
                                                 std::span<const std::uint8_t> data) {
    if (format == "gif") {
        return CanvasHeader::gifScreen(data);
    }
    return format == "webp" ? CanvasHeader::webpCanvas(data) : std::nullopt;
}

// The canvas as declared, grown to hold the first frame.
QSize canvasOf(const CanvasHeader::Size& declared, QSize frame) {
    const auto clamp = [](std::int64_t side, int other) {
        return static_cast<int>(std::clamp<std::int64_t>(side, other, CGImage::kMaxSide + 1));
    };
    return QSize(clamp(declared.width, frame.width()), clamp(declared.height, frame.height()));
}

// The JPEG's size reduced so its shorter side keeps at least minimumShortSide pixels.
QSize reducedSize(QSize frame, int minimumShortSide) {
    const int shortSide = std::min(frame.width(), frame.height());
    if (minimumShortSide <= 0 || minimumShortSide >= shortSide) {
        return frame;
    }
    const double factor = static_cast<double>(minimumShortSide) / shortSide;
    return QSize(std::max(1, static_cast<int>(std::ceil(frame.width() * factor))),
                 std::max(1, static_cast<int>(std::ceil(frame.height() * factor))));
}

// Four-component JPEGs decode through their own path, which reduces by halves only.
QSize cmykReducedSize(QSize frame, int minimumShortSide) {
    const CmykJpeg::Size reduced =
        CmykJpeg::reducedSize({frame.width(), frame.height()}, minimumShortSide);
    return QSize(reduced.width, reduced.height);
}

}  // namespace

std::int64_t DecodePlan::peakBytes() const {
    std::int64_t bytes = pixelsOf(composesOnCanvas ? canvas : output) * kOurBytesPerPixel;
    if (composesOnCanvas) {
        bytes += pixelsOf(canvas) * kAnimationBytesPerPixel;
    } else if (output != frame) {
        bytes += pixelsOf(output) * kReducedJpegBytesPerPixel;
    } else if (!isOurLayout(codecFormat)) {
        const int bits = codecFormat == QImage::Format_Invalid
                             ? 32
                             : QImage::toPixelFormat(codecFormat).bitsPerPixel();
        bytes += (pixelsOf(canvas) * bits + 7) / 8;
    }
    if (jpeg.progressive || jpeg.scans > 1) {
        bytes += pixelsOf(frame) * jpeg.components * kCoefficientBytes;
    }
    return bytes;
}

std::variant<DecodePlan, DecodeRefusal> planDecode(QImageReader& reader,
                                                   std::span<const std::uint8_t> data,
                                                   ImageDecoder::Request request) {
    DecodePlan plan;
    plan.format = reader.format();
    if (plan.format.isEmpty()) {
        return DecodeRefusal{DecodeRefusal::Reason::NotAPicture};
    }
    if (!isAcceptedFormat(plan.format)) {
        return DecodeRefusal{DecodeRefusal::Reason::UnsupportedFormat};
    }
    if (plan.format == "jpeg") {
        plan.jpeg = JpegStructure::inspect(
            data, {ImageDecoder::kMaxJpegScans, ImageDecoder::kMaxJpegSegments});
    }
    if (std::optional<DecodeRefusal> refusal = refusalOfStructure(plan, data)) {
        return *refusal;
    }
    const std::optional<CanvasHeader::Size> declared = declaredCanvas(plan.format, data);
    plan.composesOnCanvas = declared.has_value();
    if (declared && !CGImage::isAcceptableSize(declared->width, declared->height)) {
        return DecodeRefusal::tooManyPixels(declared->width, declared->height);
    }
    // Qt's WebP reader allocates an animation's canvas as soon as it is asked for any
    // property: the header answers instead.
    const bool askReader = !(plan.composesOnCanvas && plan.format == "webp");
    plan.frame = askReader ? reader.size() : canvasOf(*declared, QSize(1, 1));
    if (std::optional<DecodeRefusal> refusal = refusalOfSize(plan.frame)) {
        return *refusal;
    }
    plan.canvas = declared ? canvasOf(*declared, plan.frame) : plan.frame;
    if (std::optional<DecodeRefusal> refusal = refusalOfSize(plan.canvas)) {
        return *refusal;
    }
    plan.output = plan.format != "jpeg" ? plan.frame
                  : plan.jpeg.components == 4
                      ? cmykReducedSize(plan.frame, request.minimumShortSide)
                      : reducedSize(plan.frame, request.minimumShortSide);
    plan.codecFormat = askReader ? reader.imageFormat() : QImage::Format_Invalid;
    return plan;
}
