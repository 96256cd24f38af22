#include "platform/graphics/DecodeRefusal.h"

#include <array>

#include "platform/graphics/CGImage.h"
#include "platform/graphics/ImageDecoder.h"

namespace {

constexpr std::int64_t kMegabyte = 1000 * 1000;

// Each "%N" replaced by the N-th argument.
std::string filled(const std::string& text, const std::array<std::string, 4>& arguments) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t index =
            i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : arguments.size();
        if (text[i] == '%' && index < arguments.size()) {
            out += arguments[index];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string englishTemplate(const DecodeRefusal& refusal) {
    switch (refusal.reason) {
        case DecodeRefusal::Reason::NotAPicture:
            return "This file is not a picture.";
        case DecodeRefusal::Reason::UnsupportedFormat:
            return "Pictures in this format can't be opened.";
        case DecodeRefusal::Reason::Truncated:
            return "This picture is incomplete: the file ends too early.";
        case DecodeRefusal::Reason::TooLarge:
            return refusal.fileBytes > 0
                       ? "This file is too large to open: %1 MB (at most %2 MB)."
                       : "This picture is too large to open: %1 × %2 pixels (at most %3 "
                         "megapixels, %4 pixels a side).";
        case DecodeRefusal::Reason::Unreadable:
            break;
    }
    return "This file can't be read.";
}

std::array<std::string, 4> sizes(const DecodeRefusal& refusal) {
    if (refusal.fileBytes > 0) {
        return {std::to_string((refusal.fileBytes + kMegabyte - 1) / kMegabyte),
                std::to_string(ImageDecoder::kMaxFileBytes / kMegabyte),
                {},
                {}};
    }
    return {std::to_string(refusal.width), std::to_string(refusal.height),
            std::to_string(CGImage::kMaxPixels / kMegabyte), std::to_string(CGImage::kMaxSide)};
}

}  // namespace

DecodeRefusal DecodeRefusal::tooManyPixels(std::int64_t width, std::int64_t height) {
    return {Reason::TooLarge, width, height, 0};
}

DecodeRefusal DecodeRefusal::tooManyBytes(std::int64_t fileBytes) {
    return {Reason::TooLarge, 0, 0, fileBytes};
}

std::string DecodeRefusal::localizationKey() const {
    switch (reason) {
        case Reason::NotAPicture:
            return "ImageDecoder_NotAPicture";
        case Reason::UnsupportedFormat:
            return "ImageDecoder_UnsupportedFormat";
        case Reason::Truncated:
            return "ImageDecoder_Truncated";
        case Reason::TooLarge:
            return fileBytes > 0 ? "ImageDecoder_FileTooLarge" : "ImageDecoder_PictureTooLarge";
        case Reason::Unreadable:
            break;
    }
    return "ImageDecoder_Unreadable";
}

std::string DecodeRefusal::text() const {
    return filled(englishTemplate(*this), sizes(*this));
}

std::string DecodeRefusal::localizedText(const Lookup& lookup) const {
    return filled(lookup(localizationKey(), englishTemplate(*this)), sizes(*this));
}
