#include "platform/ui/controls/UIKeyboardType.h"

#include <cctype>

namespace {

// The pads' extra keys besides the digits, or null for a keyboard with every key.
const char* padKeys(UIKeyboardType type) {
    switch (type) {
        case UIKeyboardType::NumberPad:
            return "";
        case UIKeyboardType::PhonePad:
            return "+*#";
        case UIKeyboardType::DecimalPad:
            return ".,";
        default:
            return nullptr;
    }
}

}  // namespace

std::string textTypeableOn(UIKeyboardType type, const std::string& text) {
    const char* pad = padKeys(type);
    if (pad == nullptr) {
        return text;
    }
    const std::string extra = pad;
    std::string typeable;
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)) || extra.find(c) != std::string::npos) {
            typeable.push_back(c);
        }
    }
    return typeable;
}
