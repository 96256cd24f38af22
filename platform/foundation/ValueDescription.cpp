#include "platform/foundation/ValueDescription.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "platform/foundation/Value.h"

namespace {

constexpr int kIndentWidth = 4;

bool isPlainWord(const std::string& text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || !(std::isalnum(byte) || c == '_')) {
            return false;
        }
    }
    return true;
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\U%04x", static_cast<unsigned>(c));
                    out += escape;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::string numbers(std::initializer_list<double> values, const char* separator) {
    std::string out;
    for (const double value : values) {
        if (!out.empty()) {
            out += separator;
        }
        out += describeNumber(value);
    }
    return out;
}

class Describer {
public:
    std::string text() && { return std::move(out_); }

    void write(const Value& value, int depth, bool insideCollection) {
        switch (value.type()) {
            case Value::Type::Array:
                writeArray(value.arrayValue(), depth);
                break;
            case Value::Type::Dictionary:
                writeDictionary(value.dictionaryValue(), depth);
                break;
            case Value::Type::String:
                writeString(value.stringValue(), insideCollection);
                break;
            default:
                out_ += describeScalar(value);
        }
    }

private:
    void writeArray(const ValueArray& array, int depth) {
        out_ += "(\n";
        for (std::size_t i = 0; i < array.size(); ++i) {
            indent(depth + 1);
            write(array[i], depth + 1, true);
            out_ += i + 1 < array.size() ? ",\n" : "\n";
        }
        indent(depth);
        out_ += ")";
    }

    void writeDictionary(const ValueDictionary& dictionary, int depth) {
        out_ += "{\n";
        for (const auto& [key, entry] : dictionary) {
            indent(depth + 1);
            writeString(key, true);
            out_ += " = ";
            write(entry, depth + 1, true);
            out_ += ";\n";
        }
        indent(depth);
        out_ += "}";
    }

    void writeString(const std::string& text, bool insideCollection) {
        out_ += !insideCollection || isPlainWord(text) ? text : quoted(text);
    }

    void indent(int depth) { out_.append(static_cast<std::size_t>(depth * kIndentWidth), ' '); }

    static std::string describeScalar(const Value& value) {
        switch (value.type()) {
            case Value::Type::Number:
                return describeNumber(value.doubleValue());
            case Value::Type::Integer:
                return std::to_string(value.integerValue());
            case Value::Type::Boolean:
                return value.boolValue() ? "1" : "0";
            case Value::Type::Image: {
                const CGSize size = value.imageValue()->size();
                return "<UIImage {" + numbers({size.width, size.height}, ", ") + "}>";
            }
            case Value::Type::Vector: {
                const Vector vector = value.vectorValue();
                std::string out;
                for (const double component : vector.values()) {
                    out += (out.empty() ? "" : " ") + describeNumber(component);
                }
                return "[" + out + "]";
            }
            case Value::Type::Transform: {
                const CGAffineTransform t = value.transformValue();
                return "CGAffineTransform: {{" + numbers({t.a, t.b, t.c, t.d}, ", ") + "}, {" +
                       numbers({t.tx, t.ty}, ", ") + "}}";
            }
            case Value::Type::Rect: {
                const CGRect r = value.rectValue();
                return "NSRect: {{" + numbers({r.origin.x, r.origin.y}, ", ") + "}, {" +
                       numbers({r.size.width, r.size.height}, ", ") + "}}";
            }
            case Value::Type::Object:
                return "<object>";
            default:
                return "<null>";
        }
    }

    std::string out_;
};
}  // namespace

std::string describeValue(const Value& value) {
    Describer describer;
    describer.write(value, 0, false);
    return std::move(describer).text();
}

std::string describeNumber(double number) {
    if (std::isnan(number)) {
        return "nan";
    }
    if (std::isinf(number)) {
        return number > 0 ? "inf" : "-inf";
    }
    // The fewest significant digits, from 15, that read back as the same number, in
    // printf's %g notation (fixed below 1e15, no trailing zeros). to_chars, unlike
    // printf, ignores the C locale the application object sets.
    char buffer[32];
    for (int precision = 15;; ++precision) {
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, number,
                                           std::chars_format::general, precision);
        double readBack = 0;
        std::from_chars(buffer, written.ptr, readBack);
        if (readBack == number || precision == 17) {
            return std::string(buffer, written.ptr);
        }
    }
}
