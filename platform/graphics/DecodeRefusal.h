#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Why the decoder gave no picture, as a user can be told it.
struct DecodeRefusal {
    enum class Reason {
        // Empty data, text, or bytes of no picture format at all.
        NotAPicture,
        // A picture format this program does not open.
        UnsupportedFormat,
        // The file ends before the picture does.
        Truncated,
        // The picture or the file is larger than the limits: the sizes say which.
        TooLarge,
        // The file can't be read, or its picture data is damaged.
        Unreadable,
    };

    Reason reason = Reason::Unreadable;
    // TooLarge: the declared pixel size, or 0 × 0 when the file's size was too large.
    std::int64_t width = 0;
    std::int64_t height = 0;
    // TooLarge: the file's size in bytes when that was too large.
    std::int64_t fileBytes = 0;

    static DecodeRefusal tooManyPixels(std::int64_t width, std::int64_t height);
    static DecodeRefusal tooManyBytes(std::int64_t fileBytes);

    // The key of the text in the string tables.
    std::string localizationKey() const;
    // The text for the user in English, with the sizes filled in.
    std::string text() const;
    // Answers the translation of a key, or the English text given when there is none.
    using Lookup = std::function<std::string(const std::string& key, const std::string& english)>;
    // The translated text, with the sizes filled in.
    std::string localizedText(const Lookup& lookup) const;

    bool operator==(const DecodeRefusal&) const = default;
};
