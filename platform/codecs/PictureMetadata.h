#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class PictureMetadata;
using PictureMetadataPtr = std::shared_ptr<const PictureMetadata>;

// What a picture file carries beside its pixels: its EXIF, XMP and IPTC metadata and
// its ICC colour profile, read with Exiv2. Immutable: pictures share it as a value.
// Metadata Exiv2 can't make sense of is dropped, never the picture with it.
class PictureMetadata {
public:
    ~PictureMetadata();

    // What the encoded picture carries; null when it carries nothing or nothing
    // readable. Safe from any thread.
    static PictureMetadataPtr read(std::span<const std::uint8_t> encoded);

    const std::vector<std::uint8_t>& iccProfile() const { return iccProfile_; }

private:
    struct Fields;

    PictureMetadata();

    std::unique_ptr<Fields> fields_;
    std::vector<std::uint8_t> iccProfile_;
};
