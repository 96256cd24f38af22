#include "platform/codecs/HeifPicture.h"

#include <libheif/heif.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/codecs/CodePointProfile.h"
#include "platform/codecs/SrgbConversion.h"

namespace {

// libheif's objects, released when the decode is done.
struct Context {
    heif_context* context = heif_context_alloc();
    ~Context() { heif_context_free(context); }
};
struct Handle {
    heif_image_handle* handle = nullptr;
    Handle() = default;
    Handle(Handle&& other) noexcept : handle(std::exchange(other.handle, nullptr)) {}
    Handle& operator=(Handle&&) = delete;
    ~Handle() { heif_image_handle_release(handle); }
};
struct Image {
    heif_image* image = nullptr;
    ~Image() { heif_image_release(image); }
};
struct Options {
    heif_decoding_options* options = heif_decoding_options_alloc();
    ~Options() { heif_decoding_options_free(options); }
};

// How far a thumbnail's width over height may stray from the picture's, relatively: its
// sides are rounded to whole pixels, and no more.
constexpr double kShapeTolerance = 0.02;

void initialiseLibheifOnce() {
    static std::once_flag once;
    std::call_once(once, [] { heif_init(nullptr); });
}

DecodeRefusal refusalOf(const heif_error& error) {
    // The file's description (its 'meta' box) comes first: a file cut short lacks it.
    if (error.code == heif_error_Invalid_input && (error.subcode == heif_suberror_End_of_data ||
                                                   error.subcode == heif_suberror_No_meta_box)) {
        return {DecodeRefusal::Reason::Truncated};
    }
    if (error.code == heif_error_Unsupported_feature ||
        error.code == heif_error_Unsupported_filetype) {
        return {DecodeRefusal::Reason::UnsupportedFormat};
    }
    return {DecodeRefusal::Reason::Unreadable};
}

std::vector<std::uint8_t> metadataBlock(const heif_image_handle* handle, heif_item_id id) {
    std::vector<std::uint8_t> block(heif_image_handle_get_metadata_size(handle, id));
    if (heif_image_handle_get_metadata(handle, id, block.data()).code != heif_error_Ok) {
        block.clear();
    }
    return block;
}

// The file's EXIF (after the offset HEIF puts before its TIFF header) and XMP.
PictureMetadataPtr metadataOf(const heif_image_handle* handle) {
    std::vector<std::uint8_t> exif;
    std::string xmp;
    const int count = heif_image_handle_get_number_of_metadata_blocks(handle, nullptr);
    std::vector<heif_item_id> ids(static_cast<std::size_t>(std::max(count, 0)));
    heif_image_handle_get_list_of_metadata_block_IDs(handle, nullptr, ids.data(), count);
    for (const heif_item_id id : ids) {
        const std::string type = heif_image_handle_get_metadata_type(handle, id);
        const std::string content = heif_image_handle_get_metadata_content_type(handle, id);
        std::vector<std::uint8_t> block = metadataBlock(handle, id);
        if (type == "Exif" && block.size() > 4) {
            const std::size_t offset = (std::size_t{block[0]} << 24) |
                                       (std::size_t{block[1]} << 16) |
                                       (std::size_t{block[2]} << 8) | block[3];
            if (offset < block.size() - 4) {
                exif.assign(block.begin() + 4 + static_cast<std::ptrdiff_t>(offset), block.end());
            }
        } else if (type == "mime" && content == "application/rdf+xml") {
            xmp.assign(block.begin(), block.end());
        }
    }
    return PictureMetadata::fromBlocks(exif, xmp);
}

// The colour space a file names by code points, as a profile; none for sRGB itself.
// Rec. 709's primaries are sRGB's, and unspecified ones are taken as those.
std::vector<std::uint8_t> codePointProfileOf(const heif_image_handle* handle) {
    heif_color_profile_nclx* nclx = nullptr;
    if (heif_image_handle_get_nclx_color_profile(handle, &nclx).code != heif_error_Ok) {
        return {};
    }
    const bool srgbPrimaries = nclx->color_primaries == heif_color_primaries_ITU_R_BT_709_5 ||
                               nclx->color_primaries == heif_color_primaries_unspecified;
    const int transfer = nclx->transfer_characteristics;
    const CodePointProfile::Primaries primaries =
        srgbPrimaries ? CodePointProfile::kSrgbPrimaries
                      : CodePointProfile::Primaries{
                            {nclx->color_primary_red_x, nclx->color_primary_red_y},
                            {nclx->color_primary_green_x, nclx->color_primary_green_y},
                            {nclx->color_primary_blue_x, nclx->color_primary_blue_y},
                            {nclx->color_primary_white_x, nclx->color_primary_white_y}};
    heif_nclx_color_profile_free(nclx);
    return CodePointProfile::icc(primaries, transfer);
}

// The file's ICC profile, or one made from the code points it gives instead.
std::vector<std::uint8_t> colourProfileOf(const heif_image_handle* handle) {
    const heif_color_profile_type type = heif_image_handle_get_color_profile_type(handle);
    if (type == heif_color_profile_type_nclx) {
        return codePointProfileOf(handle);
    }
    if (type != heif_color_profile_type_prof && type != heif_color_profile_type_rICC) {
        return {};
    }
    std::vector<std::uint8_t> profile(heif_image_handle_get_raw_color_profile_size(handle));
    if (heif_image_handle_get_raw_color_profile(handle, profile.data()).code != heif_error_Ok) {
        profile.clear();
    }
    return profile;
}

// Of the thumbnails stored with the picture, the smallest that is smaller than the
// picture, keeps at least minimumShortSide pixels on its shorter side and has the
// picture's shape; none when none will do.
Handle thumbnailOf(const heif_image_handle* primary, int minimumShortSide) {
    Handle best;
    const int count =
        minimumShortSide > 0 ? heif_image_handle_get_number_of_thumbnails(primary) : 0;
    if (count <= 0) {
        return best;
    }
    std::vector<heif_item_id> ids(static_cast<std::size_t>(count));
    heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    const int primaryWidth = heif_image_handle_get_width(primary);
    const double shape = static_cast<double>(primaryWidth) / heif_image_handle_get_height(primary);
    for (const heif_item_id id : ids) {
        Handle candidate;
        if (heif_image_handle_get_thumbnail(primary, id, &candidate.handle).code != heif_error_Ok) {
            continue;
        }
        const int width = heif_image_handle_get_width(candidate.handle);
        const int height = heif_image_handle_get_height(candidate.handle);
        const bool fits =
            std::min(width, height) >= minimumShortSide && width < primaryWidth &&
            CGImage::isAcceptableSize(width, height) &&
            std::abs(static_cast<double>(width) / height - shape) <= kShapeTolerance * shape;
        if (fits && (best.handle == nullptr || width < heif_image_handle_get_width(best.handle))) {
            std::swap(best.handle, candidate.handle);
        }
    }
    return best;
}

// libheif's interleaved R, G, B, A rows into our premultiplied B, G, R, A ones.
void copyPixels(const heif_image* image, bool alpha, CGImage& bitmap) {
    int stride = 0;
    const std::uint8_t* planes =
        heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
    SrgbConversion::forEachRow(bitmap.height(), [&](int y) {
        const std::uint8_t* in = planes + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint8_t* out = bitmap.mutableRow(y);
        for (int x = 0; x < bitmap.width(); ++x, in += 4, out += 4) {
            const int a = alpha ? in[3] : 255;
            out[0] = static_cast<std::uint8_t>((in[2] * a + 127) / 255);
            out[1] = static_cast<std::uint8_t>((in[1] * a + 127) / 255);
            out[2] = static_cast<std::uint8_t>((in[0] * a + 127) / 255);
            out[3] = static_cast<std::uint8_t>(a);
        }
    });
}

}  // namespace

bool HeifPicture::looksLikeHeif(std::span<const std::uint8_t> data) {
    const int length = static_cast<int>(std::min<std::size_t>(data.size(), 64));
    const heif_filetype_result type = heif_check_filetype(data.data(), length);
    return type == heif_filetype_yes_supported || type == heif_filetype_yes_unsupported;
}

std::variant<HeifPicture::Decoded, DecodeRefusal> HeifPicture::decode(
    std::span<const std::uint8_t> data, int minimumShortSide) {
    initialiseLibheifOnce();
    const Context context;
    heif_context_set_maximum_image_size_limit(context.context, CGImage::kMaxSide);
    // Reads the boxes only: no pixel is decoded yet.
    heif_error error = heif_context_read_from_memory_without_copy(context.context, data.data(),
                                                                  data.size(), nullptr);
    Handle primary;
    if (error.code == heif_error_Ok) {
        error = heif_context_get_primary_image_handle(context.context, &primary.handle);
    }
    if (error.code != heif_error_Ok) {
        return refusalOf(error);
    }
    if (!CGImage::isAcceptableSize(heif_image_handle_get_width(primary.handle),
                                   heif_image_handle_get_height(primary.handle))) {
        return DecodeRefusal::tooManyPixels(heif_image_handle_get_width(primary.handle),
                                            heif_image_handle_get_height(primary.handle));
    }
    const Handle thumbnail = thumbnailOf(primary.handle, minimumShortSide);
    const heif_image_handle* shown =
        thumbnail.handle != nullptr ? thumbnail.handle : primary.handle;
    const int width = heif_image_handle_get_width(shown);
    const int height = heif_image_handle_get_height(shown);
    Decoded decoded;
    decoded.memory = DecodeBudget::shared().reserve(static_cast<std::int64_t>(width) * height *
                                                    kPeakBytesPerPixel);
    if (!decoded.memory.granted()) {
        return DecodeRefusal::tooManyPixels(width, height);
    }
    const bool alpha = heif_image_handle_has_alpha_channel(shown) != 0;
    const Options options;
    options.options->convert_hdr_to_8bit = 1;
    Image image;
    error = heif_decode_image(shown, &image.image, heif_colorspace_RGB,
                              heif_chroma_interleaved_RGBA, options.options);
    if (error.code != heif_error_Ok) {
        return refusalOf(error);
    }
    // The decoded size, which libheif may have turned, is the one that counts.
    decoded.bitmap =
        CGImage::create(heif_image_get_width(image.image, heif_channel_interleaved),
                        heif_image_get_height(image.image, heif_channel_interleaved),
                        alpha ? CGPixelFormat::ARGB32Premultiplied : CGPixelFormat::RGB32,
                        CGImage::Contents::Uninitialized);
    if (!decoded.bitmap) {
        return DecodeRefusal{DecodeRefusal::Reason::Unreadable};
    }
    copyPixels(image.image, alpha, *decoded.bitmap);
    // A thumbnail that doesn't describe its colours has the picture's.
    const bool described =
        heif_image_handle_get_color_profile_type(shown) != heif_color_profile_type_not_present;
    SrgbConversion::convertBitmap(*decoded.bitmap,
                                  colourProfileOf(described ? shown : primary.handle), false);
    decoded.metadata = metadataOf(primary.handle);
    return decoded;
}
