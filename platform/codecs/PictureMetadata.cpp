#include "platform/codecs/PictureMetadata.h"

#include <QtCore/QBuffer>
#include <QtGui/QImage>
#include <exiv2/exiv2.hpp>

#include <algorithm>
#include <mutex>
#include <optional>

struct PictureMetadata::Fields {
    Exiv2::ExifData exif;
    Exiv2::XmpData xmp;
    Exiv2::IptcData iptc;
};

namespace {

// Exiv2's XMP toolkit is set up once and used under a lock; Exiv2's warnings about
// damaged metadata are for us to act on, not for the terminal.
void initialiseExiv2Once() {
    static std::once_flag once;
    static std::mutex xmpMutex;
    std::call_once(once, [] {
        Exiv2::XmpParser::initialize(
            [](void* mutex, bool lock) {
                if (lock) {
                    static_cast<std::mutex*>(mutex)->lock();
                } else {
                    static_cast<std::mutex*>(mutex)->unlock();
                }
            },
            &xmpMutex);
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    });
}

bool isPrivate(const std::string& key, const std::string& tagName) {
    return key.starts_with("Exif.GPSInfo.") || key == "Exif.Image.GPSTag" ||
           key.starts_with("Xmp.exif.GPS") || tagName.find("SerialNumber") != std::string::npos;
}

template <typename Data>
void erasePrivate(Data& data) {
    for (auto it = data.begin(); it != data.end();) {
        it = isPrivate(it->key(), it->tagName()) ? data.erase(it) : std::next(it);
    }
}

template <typename Data>
bool holdsPrivate(const Data& data) {
    return std::any_of(data.begin(), data.end(),
                       [](const auto& datum) { return isPrivate(datum.key(), datum.tagName()); });
}

bool contains(const Exiv2::ExifData& data, const char* key) {
    return data.findKey(Exiv2::ExifKey(key)) != data.end();
}

bool contains(const Exiv2::XmpData& data, const char* key) {
    return data.findKey(Exiv2::XmpKey(key)) != data.end();
}

// Sets the key when the data has it already.
template <typename Data, typename Value>
void update(Data& data, const char* key, const Value& value) {
    if (contains(data, key)) {
        data[key] = value;
    }
}

void describeEdit(Exiv2::ExifData& exif, Exiv2::XmpData& xmp, int width, int height) {
    if (!exif.empty()) {
        exif["Exif.Image.Orientation"] = std::uint16_t{1};
        exif["Exif.Photo.PixelXDimension"] = static_cast<std::uint32_t>(width);
        exif["Exif.Photo.PixelYDimension"] = static_cast<std::uint32_t>(height);
        exif["Exif.Image.Software"] = std::string(PictureMetadata::kSoftware);
        update(exif, "Exif.Image.ImageWidth", static_cast<std::uint32_t>(width));
        update(exif, "Exif.Image.ImageLength", static_cast<std::uint32_t>(height));
        update(exif, "Exif.Photo.ColorSpace", std::uint16_t{1});
        update(exif, "Exif.Iop.InteroperabilityIndex", std::string("R98"));
        Exiv2::ExifThumb(exif).erase();
    }
    update(xmp, "Xmp.tiff.Orientation", std::string("1"));
    update(xmp, "Xmp.exif.PixelXDimension", std::to_string(width));
    update(xmp, "Xmp.exif.PixelYDimension", std::to_string(height));
    update(xmp, "Xmp.tiff.ImageWidth", std::to_string(width));
    update(xmp, "Xmp.tiff.ImageLength", std::to_string(height));
    update(xmp, "Xmp.exif.ColorSpace", std::string("1"));
    const auto profileName = xmp.findKey(Exiv2::XmpKey("Xmp.photoshop.ICCProfile"));
    if (profileName != xmp.end()) {
        xmp.erase(profileName);
    }
}

bool isJpeg(std::span<const std::uint8_t> bytes) {
    return bytes.size() > 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

// A 1 × 1 JPEG of Qt's making.
const std::vector<std::uint8_t>& tinyJpeg() {
    static const std::vector<std::uint8_t> bytes = [] {
        QImage pixel(1, 1, QImage::Format_RGB32);
        pixel.fill(Qt::white);
        QByteArray encoded;
        QBuffer buffer(&encoded);
        buffer.open(QIODevice::WriteOnly);
        pixel.save(&buffer, "jpeg");
        return std::vector<std::uint8_t>(encoded.begin(), encoded.end());
    }();
    return bytes;
}

// The JPEG segments before the first scan of a file we wrote (sound by construction):
// where each starts and its marker.
std::vector<std::pair<std::size_t, std::size_t>> headerSegments(
    std::span<const std::uint8_t> jpeg) {
    std::vector<std::pair<std::size_t, std::size_t>> segments;
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA) {
        const std::size_t length = (static_cast<std::size_t>(jpeg[at + 2]) << 8) | jpeg[at + 3];
        segments.emplace_back(at, 2 + length);
        at += 2 + length;
    }
    return segments;
}

bool isMetadataMarker(std::uint8_t marker) {
    return marker == 0xE1 || marker == 0xED;  // APP1: EXIF and XMP; APP13: IPTC
}

// into with the EXIF, XMP and IPTC segments of from, placed after its start and its JFIF
// segment.
std::vector<std::uint8_t> withMetadataSegmentsOf(std::span<const std::uint8_t> from,
                                                 std::span<const std::uint8_t> into) {
    std::vector<std::uint8_t> result;
    result.reserve(into.size() + from.size());
    std::size_t insertAt = 2;
    if (into.size() > 4 && into[2] == 0xFF && into[3] == 0xE0) {
        insertAt += 2 + ((static_cast<std::size_t>(into[4]) << 8) | into[5]);
    }
    result.insert(result.end(), into.begin(), into.begin() + static_cast<std::ptrdiff_t>(insertAt));
    for (const auto& [start, length] : headerSegments(from)) {
        if (isMetadataMarker(from[start + 1])) {
            result.insert(result.end(), from.begin() + static_cast<std::ptrdiff_t>(start),
                          from.begin() + static_cast<std::ptrdiff_t>(start + length));
        }
    }
    result.insert(result.end(), into.begin() + static_cast<std::ptrdiff_t>(insertAt), into.end());
    return result;
}

}  // namespace

// The encoded picture rewritten by Exiv2 with the fields; nothing when it can't.
std::optional<std::vector<std::uint8_t>> PictureMetadata::writtenWith(
    const Fields& fields, std::span<const std::uint8_t> encoded) {
    initialiseExiv2Once();
    try {
        auto image = Exiv2::ImageFactory::open(encoded.data(), static_cast<long>(encoded.size()));
        // Reads the encoder's colour profile, so it is written back with its name.
        image->readMetadata();
        image->setExifData(fields.exif);
        image->setXmpData(fields.xmp);
        image->setIptcData(fields.iptc);
        image->writeMetadata();
        Exiv2::BasicIo& io = image->io();
        io.seek(0, Exiv2::BasicIo::beg);
        const Exiv2::DataBuf written = io.read(static_cast<long>(io.size()));
        if (written.size_ > 0) {
            return std::vector<std::uint8_t>(written.pData_, written.pData_ + written.size_);
        }
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

PictureMetadata::PictureMetadata() : fields_(std::make_unique<Fields>()) {}

PictureMetadata::~PictureMetadata() = default;

bool PictureMetadata::isEmpty() const {
    return fields_->exif.empty() && fields_->xmp.empty() && fields_->iptc.empty();
}

PictureMetadata::Reading PictureMetadata::read(std::span<const std::uint8_t> encoded) {
    initialiseExiv2Once();
    Reading reading;
    std::shared_ptr<PictureMetadata> metadata(new PictureMetadata);
    try {
        auto image = Exiv2::ImageFactory::open(encoded.data(), static_cast<long>(encoded.size()));
        image->readMetadata();
        metadata->fields_->exif = image->exifData();
        metadata->fields_->xmp = image->xmpData();
        metadata->fields_->iptc = image->iptcData();
        if (const Exiv2::DataBuf* profile = image->iccProfile(); profile && profile->size_ > 0) {
            reading.iccProfile.assign(profile->pData_, profile->pData_ + profile->size_);
        }
    } catch (const std::exception&) {
        return reading;
    }
    if (!metadata->isEmpty()) {
        reading.metadata = std::move(metadata);
    }
    return reading;
}

PictureMetadataPtr PictureMetadata::fromBlocks(std::span<const std::uint8_t> exifTiff,
                                               std::string_view xmpPacket) {
    initialiseExiv2Once();
    std::shared_ptr<PictureMetadata> metadata(new PictureMetadata);
    try {
        if (!exifTiff.empty()) {
            Exiv2::ExifParser::decode(metadata->fields_->exif, exifTiff.data(),
                                      static_cast<std::uint32_t>(exifTiff.size()));
        }
    } catch (const std::exception&) {
        metadata->fields_->exif.clear();
    }
    try {
        if (!xmpPacket.empty()) {
            Exiv2::XmpParser::decode(metadata->fields_->xmp, std::string(xmpPacket));
        }
    } catch (const std::exception&) {
        metadata->fields_->xmp.clear();
    }
    return metadata->isEmpty() ? nullptr : PictureMetadataPtr(std::move(metadata));
}

bool PictureMetadata::hasPrivateData() const {
    return holdsPrivate(fields_->exif) || holdsPrivate(fields_->xmp);
}

PictureMetadataPtr PictureMetadata::withoutPrivateData() const {
    std::shared_ptr<PictureMetadata> copy(new PictureMetadata);
    *copy->fields_ = *fields_;
    erasePrivate(copy->fields_->exif);
    erasePrivate(copy->fields_->xmp);
    return copy;
}

std::vector<std::uint8_t> PictureMetadata::writtenInto(std::span<const std::uint8_t> encoded,
                                                       int width, int height) const {
    Fields edited = *fields_;
    describeEdit(edited.exif, edited.xmp, width, height);
    if (isJpeg(encoded)) {
        // Exiv2 copies a whole file to rewrite it: it writes into a tiny JPEG instead,
        // whose metadata segments then go into ours.
        const std::optional<std::vector<std::uint8_t>> carrier = writtenWith(edited, tinyJpeg());
        return withMetadataSegmentsOf(carrier.value_or(std::vector<std::uint8_t>()), encoded);
    }
    std::optional<std::vector<std::uint8_t>> written = writtenWith(edited, encoded);
    return written ? std::move(*written)
                   : std::vector<std::uint8_t>(encoded.begin(), encoded.end());
}

std::string PictureMetadata::value(const std::string& key) const {
    try {
        if (key.starts_with("Exif.")) {
            const auto found = fields_->exif.findKey(Exiv2::ExifKey(key));
            return found == fields_->exif.end() ? std::string() : found->toString();
        }
        if (key.starts_with("Xmp.")) {
            const auto found = fields_->xmp.findKey(Exiv2::XmpKey(key));
            return found == fields_->xmp.end() ? std::string() : found->toString();
        }
        const auto found = fields_->iptc.findKey(Exiv2::IptcKey(key));
        return found == fields_->iptc.end() ? std::string() : found->toString();
    } catch (const std::exception&) {
        return {};  // not a key Exiv2 knows
    }
}

bool PictureMetadata::has(const std::string& key) const {
    return !value(key).empty();
}
