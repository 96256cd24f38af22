#pragma once

#include <string>

// Which on-screen keyboard a text input asks for, numbered as the platform numbers
// them. The number pads also limit what can be typed.
enum class UIKeyboardType {
    Default,
    ASCIICapable,
    NumbersAndPunctuation,
    URL,
    NumberPad,
    PhonePad,
    NamePhonePad,
    EmailAddress,
    DecimalPad,
};

// The part of typed text (UTF-8) that the keyboard type lets through: the number pads
// have keys for digits only (the phone pad also for "+*#", the decimal pad for "." and
// ","); the other keyboards type anything.
std::string textTypeableOn(UIKeyboardType type, const std::string& text);
