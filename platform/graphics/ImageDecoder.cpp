#include "platform/graphics/ImageDecoder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtCore/QBuffer>
#include <QtGui/QImageIOHandler>
#include <QtGui/QImageReader>
#include <QtGui/QPainter>
#include <QtGui/QRgb>
#include <cerrno>
#include <mutex>

#include "platform/codecs/CmykJpeg.h"
#include "platform/codecs/HeifPicture.h"
#include "platform/codecs/PictureMetadata.h"
#include "platform/codecs/SrgbConversion.h"
#include "platform/graphics/DecodePlan.h"
#include "platform/graphics/JpegWarnings.h"
#include "platform/graphics/QtBridge.h"

namespace {

// Qt refuses pictures over 128 MB by default; ours may reach CGImage's limit at four
// bytes a pixel (a 16-bit PNG of 48 MP fits as well). Our own size check comes first.
void raiseQtAllocationLimitOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        constexpr std::int64_t kMegabyte = 1024 * 1024;
        QImageReader::setAllocationLimit(
            static_cast<int>((CGImage::kMaxPixels * 4 + kMegabyte - 1) / kMegabyte));
    });
}

UIImageOrientation orientationOf(QImageIOHandler::Transformations transformation) {
    switch (transformation) {
        case QImageIOHandler::TransformationMirror:
            return UIImageOrientation::UpMirrored;
        case QImageIOHandler::TransformationRotate180:
            return UIImageOrientation::Down;
        case QImageIOHandler::TransformationFlip:
            return UIImageOrientation::DownMirrored;
        case QImageIOHandler::TransformationFlipAndRotate90:
            return UIImageOrientation::LeftMirrored;
        case QImageIOHandler::TransformationRotate90:
            return UIImageOrientation::Right;
        case QImageIOHandler::TransformationMirrorAndRotate90:
            return UIImageOrientation::RightMirrored;
        case QImageIOHandler::TransformationRotate270:
            return UIImageOrientation::Left;
        default:
            return UIImageOrientation::Up;
    }
}

void premultiplyInPlace(CGImage& bitmap) {
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bitmap.mutableRow(y));
        for (int x = 0; x < bitmap.width(); ++x) {
            row[x] = qPremultiply(row[x]);
        }
    }
}

// Copies (converting) a decoded picture into a new bitmap of ours.
std::shared_ptr<CGImage> bitmapFrom(const QImage& decoded) {
    const CGPixelFormat format =
        decoded.hasAlphaChannel() ? CGPixelFormat::ARGB32Premultiplied : CGPixelFormat::RGB32;
    std::shared_ptr<CGImage> bitmap = CGImage::create(decoded.width(), decoded.height(), format,
                                                      CGImage::Contents::Uninitialized);
    if (bitmap) {
        QImage target = qtbridge::wrap(*bitmap);
        QPainter painter(&target);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, decoded);
    }
    return bitmap;
}

// Lets the reader decode straight into a bitmap of ours when it produces one of our
// 32-bit layouts (straight alpha is premultiplied afterwards, in place).
std::shared_ptr<CGImage> readInPlace(QImageReader& reader, QSize size, QImage::Format format,
                                     int& dotsPerMeter) {
    const CGPixelFormat ours =
        format == QImage::Format_RGB32 ? CGPixelFormat::RGB32 : CGPixelFormat::ARGB32Premultiplied;
    std::shared_ptr<CGImage> bitmap =
        CGImage::create(size.width(), size.height(), ours, CGImage::Contents::Uninitialized);
    if (!bitmap) {
        return nullptr;
    }
    QImage target(bitmap->mutableData(), size.width(), size.height(),
                  static_cast<qsizetype>(bitmap->bytesPerRow()), format);
    if (!reader.read(&target)) {
        return nullptr;
    }
    dotsPerMeter = target.dotsPerMeterX();
    if (target.constBits() != bitmap->data()) {
        return bitmapFrom(target);  // the codec chose its own buffer after all
    }
    if (format == QImage::Format_ARGB32) {
        premultiplyInPlace(*bitmap);
    }
    return bitmap;
}

std::shared_ptr<CGImage> readPixels(QImageReader& reader, QSize size, int& dotsPerMeter) {
    const QImage::Format format = reader.imageFormat();
    if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
        format == QImage::Format_ARGB32_Premultiplied) {
        return readInPlace(reader, size, format, dotsPerMeter);
    }
    QImage decoded;
    if (!reader.read(&decoded) || !CGImage::isAcceptableSize(decoded.width(), decoded.height())) {
        return nullptr;
    }
    dotsPerMeter = decoded.dotsPerMeterX();
    return bitmapFrom(decoded);
}

ImageDecoder::Result refused(DecodeRefusal refusal) {
    return {nullptr, {}, refusal};
}

// The picture's pixels in sRGB, or why there are none.
std::variant<std::shared_ptr<CGImage>, DecodeRefusal> decodePixels(
    QImageReader& reader, const DecodePlan& plan, std::span<const std::uint8_t> data,
    std::span<const std::uint8_t> profile, int& dotsPerMeter) {
    const bool unterminated = plan.jpeg.verdict == JpegStructure::Verdict::Unterminated;
    if (plan.jpeg.components == 4) {
        // The plan's output is one of the sizes the reduction gives: asking for its
        // shorter side gets it again.
        const int minimumShortSide =
            plan.output == plan.frame ? 0 : std::min(plan.output.width(), plan.output.height());
        CmykJpeg::Result cmyk = CmykJpeg::decode(data, profile, minimumShortSide);
        if (cmyk.outcome == CmykJpeg::Outcome::Failed ||
            (cmyk.outcome == CmykJpeg::Outcome::Truncated && unterminated)) {
            return DecodeRefusal{cmyk.bitmap ? DecodeRefusal::Reason::Truncated
                                             : DecodeRefusal::Reason::Unreadable};
        }
        return std::move(cmyk.bitmap);
    }
    const QImage::Format codecFormat = reader.imageFormat();
    const bool grey =
        codecFormat == QImage::Format_Grayscale8 || codecFormat == QImage::Format_Grayscale16;
    std::shared_ptr<CGImage> bitmap;
    if (unterminated) {
        // Whole entropy data decodes without a word from the codec; data that stops
        // early makes it warn as it fills the rest of the picture.
        const JpegWarnings::Watch watch;
        bitmap = readPixels(reader, plan.output, dotsPerMeter);
        if (watch.warned()) {
            return DecodeRefusal{DecodeRefusal::Reason::Truncated};
        }
    } else {
        bitmap = readPixels(reader, plan.output, dotsPerMeter);
    }
    if (!bitmap) {
        return DecodeRefusal{DecodeRefusal::Reason::Unreadable};
    }
    SrgbConversion::convertBitmap(*bitmap, profile, grey);
    return bitmap;
}

ImageDecoder::Result decodeHeif(std::span<const std::uint8_t> data, int minimumShortSide) {
    std::variant<HeifPicture::Decoded, DecodeRefusal> decoded =
        HeifPicture::decode(data, minimumShortSide);
    if (const auto* refusal = std::get_if<DecodeRefusal>(&decoded)) {
        return refused(*refusal);
    }
    HeifPicture::Decoded& picture = std::get<HeifPicture::Decoded>(decoded);
    return {UIImage::imageWithCGImage(std::move(picture.bitmap), 1.0, UIImageOrientation::Up,
                                      std::move(picture.metadata)),
            std::move(picture.memory),
            {}};
}

struct FileDescriptor {
    int fd;
    ~FileDescriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

}  // namespace

UIImagePtr ImageDecoder::decodeData(std::span<const std::uint8_t> data) {
    return decodeData(data, Request{}).image;
}

UIImagePtr ImageDecoder::decodeFile(const std::string& path) {
    return decodeFile(path, Request{}).image;
}

ImageDecoder::Result ImageDecoder::decodeData(std::span<const std::uint8_t> data, Request request) {
    if (data.empty()) {
        return refused({DecodeRefusal::Reason::NotAPicture});
    }
    if (static_cast<std::int64_t>(data.size()) > kMaxFileBytes) {
        return refused(DecodeRefusal::tooManyBytes(static_cast<std::int64_t>(data.size())));
    }
    if (HeifPicture::looksLikeHeif(data)) {
        return decodeHeif(data, request.minimumShortSide);
    }
    raiseQtAllocationLimitOnce();
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                               static_cast<qsizetype>(data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    const std::variant<DecodePlan, DecodeRefusal> planned = planDecode(reader, data, request);
    if (const auto* refusal = std::get_if<DecodeRefusal>(&planned)) {
        return refused(*refusal);
    }
    const DecodePlan* plan = &std::get<DecodePlan>(planned);
    Result result{nullptr, DecodeBudget::shared().reserve(plan->peakBytes()), {}};
    if (!result.memory.granted()) {
        const QSize allocated = plan->composesOnCanvas ? plan->canvas : plan->frame;
        return refused(DecodeRefusal::tooManyPixels(allocated.width(), allocated.height()));
    }
    if (plan->output != plan->frame) {
        reader.setScaledSize(plan->output);
    }
    const UIImageOrientation orientation = orientationOf(reader.transformation());
    PictureMetadata::Reading metadata = PictureMetadata::read(data);
    int dotsPerMeter = 0;
    std::variant<std::shared_ptr<CGImage>, DecodeRefusal> pixels =
        decodePixels(reader, *plan, data, metadata.iccProfile, dotsPerMeter);
    if (const auto* refusal = std::get_if<DecodeRefusal>(&pixels)) {
        return refused(*refusal);
    }
    std::shared_ptr<CGImage> bitmap = std::get<std::shared_ptr<CGImage>>(std::move(pixels));
    // Artwork saved as PNG records its pixel density; photos keep scale 1 whatever their
    // print resolution says.
    const double scale = plan->format == "png" ? qtbridge::scaleForDotsPerMeter(dotsPerMeter) : 1.0;
    result.image = UIImage::imageWithCGImage(std::move(bitmap), scale, orientation,
                                             std::move(metadata.metadata));
    return result;
}

ImageDecoder::Result ImageDecoder::decodeFile(const std::string& path, Request request) {
    // Non-blocking, so a FIFO named like a picture can't hang the open.
    const FileDescriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
    struct stat status {};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        return refused({DecodeRefusal::Reason::Unreadable});
    }
    if (status.st_size <= 0) {
        return refused({DecodeRefusal::Reason::NotAPicture});
    }
    if (status.st_size > kMaxFileBytes) {
        return refused(DecodeRefusal::tooManyBytes(status.st_size));
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(status.st_size));
    std::size_t filled = 0;
    while (filled < data.size()) {
        const ssize_t count = ::read(file.fd, data.data() + filled, data.size() - filled);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return refused({DecodeRefusal::Reason::Unreadable});
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    data.resize(filled);
    return decodeData(data, request);
}
