#include "platform/codecs/PictureMetadata.h"

#include <exiv2/exiv2.hpp>

#include <mutex>

struct PictureMetadata::Fields {
    Exiv2::ExifData exif;
    Exiv2::XmpData xmp;
    Exiv2::IptcData iptc;
};

namespace {

// Exiv2's XMP toolkit must be set up once before threads use it; its warnings about
// damaged metadata are for us to act on, not for the terminal.
void initialiseExiv2Once() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::XmpParser::initialize();
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    });
}

}  // namespace

PictureMetadata::PictureMetadata() : fields_(std::make_unique<Fields>()) {}

PictureMetadata::~PictureMetadata() = default;

PictureMetadataPtr PictureMetadata::read(std::span<const std::uint8_t> encoded) {
    initialiseExiv2Once();
    std::shared_ptr<PictureMetadata> metadata(new PictureMetadata);
    try {
        auto image = Exiv2::ImageFactory::open(encoded.data(), static_cast<long>(encoded.size()));
        image->readMetadata();
        metadata->fields_->exif = image->exifData();
        metadata->fields_->xmp = image->xmpData();
        metadata->fields_->iptc = image->iptcData();
        if (const Exiv2::DataBuf* profile = image->iccProfile(); profile && profile->size_ > 0) {
            metadata->iccProfile_.assign(profile->pData_, profile->pData_ + profile->size_);
        }
    } catch (const std::exception&) {
        return nullptr;
    }
    const Fields& fields = *metadata->fields_;
    if (fields.exif.empty() && fields.xmp.empty() && fields.iptc.empty() &&
        metadata->iccProfile_.empty()) {
        return nullptr;
    }
    return metadata;
}
