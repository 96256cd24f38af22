#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class PictureMetadata;
using PictureMetadataPtr = std::shared_ptr<const PictureMetadata>;

// What a picture file says about the photo beside its pixels: its EXIF, XMP and IPTC
// metadata, read and written with Exiv2. Immutable: pictures share it as a value.
// Metadata Exiv2 can't make sense of is dropped, never the picture with it. Safe from
// any thread.
class PictureMetadata {
public:
    // What the software tag of saved files names.
    static constexpr const char* kSoftware = "Photo Editor";

    struct Reading {
        // Null when the file carries no metadata, or none that can be read.
        PictureMetadataPtr metadata;
        // The file's ICC colour profile; empty for none.
        std::vector<std::uint8_t> iccProfile;
    };

    ~PictureMetadata();

    // What an encoded JPEG, PNG or WebP carries.
    static Reading read(std::span<const std::uint8_t> encoded);
    // From the blocks a HEIF file keeps: EXIF as a TIFF structure, XMP as a packet.
    // Null when neither holds anything readable.
    static PictureMetadataPtr fromBlocks(std::span<const std::uint8_t> exifTiff,
                                         std::string_view xmpPacket);

    // True when it records where the photo was taken or a serial number of the camera
    // or the lens.
    bool hasPrivateData() const;
    // The same less GPS data and serial numbers.
    PictureMetadataPtr withoutPrivateData() const;

    // The encoded JPEG or PNG of an edited picture of width × height pixels, with this
    // metadata as the edit leaves it true: orientation 1 (the pixels are upright), the
    // new pixel size, no embedded thumbnail, the sRGB colour space, and this program as
    // the software. The file's own colour profile stays. The bytes come back unchanged
    // when Exiv2 can't write them. A JPEG is copied once, with the metadata inserted.
    std::vector<std::uint8_t> writtenInto(std::span<const std::uint8_t> encoded, int width,
                                          int height) const;

    // The value under an Exiv2 key, such as "Exif.Image.Make"; empty when absent.
    std::string value(const std::string& key) const;
    bool has(const std::string& key) const;

private:
    struct Fields;

    PictureMetadata();
    bool isEmpty() const;
    static std::optional<std::vector<std::uint8_t>> writtenWith(
        const Fields& fields, std::span<const std::uint8_t> encoded);

    std::unique_ptr<Fields> fields_;
};
