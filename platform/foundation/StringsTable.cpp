#include "platform/foundation/StringsTable.h"

#include <QtCore/QByteArray>
#include <QtCore/QFile>
#include <QtCore/QStringDecoder>
#include <cstdint>
#include <optional>

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

void appendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        c = kReplacementCharacter;
    }
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isBareWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || c == '+' || c == '/' || c == ':' || c == '.' || c == '-';
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// A recursive-descent reader of the table's text, with the recovery rules of the
// header: on an error it skips to the next ';' or line end and starts a new entry.
class StringsParser {
public:
    explicit StringsParser(std::string_view text) : text_(text) {}

    void readEntriesInto(std::unordered_map<std::string, std::string>& entries) {
        for (skipSpaceAndComments(); pos_ < text_.size(); skipSpaceAndComments()) {
            if (!readEntry(entries)) {
                skipPastEntryEnd();
            }
        }
    }

private:
    // Leaves pos_ where the error was seen when it answers false.
    bool readEntry(std::unordered_map<std::string, std::string>& entries) {
        std::optional<std::string> key = readString();
        if (!key) {
            return false;
        }
        skipSpaceAndComments();
        if (peek() == ';') {
            ++pos_;
            std::string value = *key;
            entries[std::move(*key)] = std::move(value);
            return true;
        }
        if (peek() != '=') {
            return false;
        }
        ++pos_;
        skipSpaceAndComments();
        std::optional<std::string> value = readString();
        if (!value) {
            return false;
        }
        const std::size_t valueEnd = pos_;
        skipSpaceAndComments();
        const bool semicolon = peek() == ';';
        const bool nextEntryOnNewLine =
            pos_ >= text_.size() ||
            text_.substr(valueEnd, pos_ - valueEnd).find('\n') != std::string_view::npos;
        if (!semicolon && !nextEntryOnNewLine) {
            return false;
        }
        if (semicolon) {
            ++pos_;
        }
        entries[std::move(*key)] = std::move(*value);
        return true;
    }

    std::optional<std::string> readString() {
        if (peek() == '"') {
            return readQuotedString();
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size() && isBareWordCharacter(text_[pos_])) {
            ++pos_;
        }
        if (pos_ == start) {
            return std::nullopt;
        }
        return std::string(text_.substr(start, pos_ - start));
    }

    // On an unterminated string, pos_ is left just after the opening quote.
    std::optional<std::string> readQuotedString() {
        const std::size_t afterQuote = ++pos_;
        std::string out;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') {
                return out;
            }
            if (c != '\\') {
                out += c;
            } else if (!readEscape(out)) {
                break;
            }
        }
        pos_ = afterQuote;
        return std::nullopt;
    }

    // pos_ is just after the backslash. False when the text ends there.
    bool readEscape(std::string& out) {
        if (pos_ >= text_.size()) {
            return false;
        }
        const char c = text_[pos_++];
        switch (c) {
            case 'n':
                out += '\n';
                return true;
            case 't':
                out += '\t';
                return true;
            case 'r':
                out += '\r';
                return true;
            case 'a':
                out += '\a';
                return true;
            case 'b':
                out += '\b';
                return true;
            case 'f':
                out += '\f';
                return true;
            case 'v':
                out += '\v';
                return true;
            case 'U':
            case 'u':
                appendUtf8(out, readUtf16Escape());
                return true;
            default:
                if (c >= '0' && c <= '7') {
                    appendUtf8(out, readOctalEscape(c));
                } else {
                    out += c;  // \" \\ \' and any other character stand for themselves
                }
                return true;
        }
    }

    // Up to four hex digits after \U; a high surrogate joins a following \U low one.
    char32_t readUtf16Escape() {
        const char32_t unit = readHexUnit();
        const bool highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
        if (highSurrogate && text_.substr(pos_, 2) == "\\U") {
            const std::size_t mark = pos_;
            pos_ += 2;
            const char32_t low = readHexUnit();
            if (low >= 0xDC00 && low <= 0xDFFF) {
                return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            }
            pos_ = mark;
        }
        return unit;
    }

    char32_t readHexUnit() {
        char32_t unit = 0;
        for (int digits = 0; digits < 4 && pos_ < text_.size(); ++digits) {
            const int digit = hexDigit(text_[pos_]);
            if (digit < 0) {
                break;
            }
            unit = unit * 16 + static_cast<char32_t>(digit);
            ++pos_;
        }
        return unit;
    }

    char32_t readOctalEscape(char first) {
        char32_t value = static_cast<char32_t>(first - '0');
        for (int digits = 1; digits < 3 && pos_ < text_.size(); ++digits) {
            const char c = text_[pos_];
            if (c < '0' || c > '7') {
                break;
            }
            value = value * 8 + static_cast<char32_t>(c - '0');
            ++pos_;
        }
        return value;
    }

    void skipSpaceAndComments() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
                ++pos_;
            } else if (text_.substr(pos_, 2) == "/*") {
                const std::size_t end = text_.find("*/", pos_ + 2);
                pos_ = end == std::string_view::npos ? text_.size() : end + 2;
            } else if (text_.substr(pos_, 2) == "//") {
                const std::size_t end = text_.find('\n', pos_);
                pos_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else {
                return;
            }
        }
    }

    void skipPastEntryEnd() {
        const std::size_t end = text_.find_first_of(";\n", pos_);
        pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    }

    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

    std::string_view text_;
    std::size_t pos_ = 0;
};

std::string decodeToUtf8(const QByteArray& bytes) {
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (utf16) {
        QStringDecoder decoder(QStringDecoder::Utf16);
        const QString text = decoder(bytes);
        return text.toStdString();
    }
    const bool utf8Bom = bytes.startsWith("\xEF\xBB\xBF");
    return std::string(bytes.constData() + (utf8Bom ? 3 : 0),
                       static_cast<std::size_t>(bytes.size()) - (utf8Bom ? 3 : 0));
}
}  // namespace

StringsTable StringsTable::parse(std::string_view text) {
    StringsTable table;
    StringsParser(text).readEntriesInto(table.entries_);
    return table;
}

StringsTable StringsTable::loadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return parse(decodeToUtf8(file.readAll()));
}

const std::string* StringsTable::find(const std::string& key) const {
    const auto found = entries_.find(key);
    return found == entries_.end() ? nullptr : &found->second;
}
