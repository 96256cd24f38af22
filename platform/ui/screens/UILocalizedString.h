#pragma once

#include <functional>
#include <string>

// Every text the user reads, in the user's language: the platform's own (the share
// sheet's, the picker's, the bars') and the program's screens. The program names where
// translations come from, once, at start-up; until it does, and for keys without one,
// the English text given is used. After that, texts may be asked for from any thread
// (the savers word their failures on the global queue).
class UILocalizedString {
public:
    // Answers the translation of key, or english when there is none.
    using Lookup = std::function<std::string(const std::string& key, const std::string& english)>;

    static std::string text(const std::string& key, const std::string& english);
    // text with each "%@" replaced by argument, in order.
    static std::string format(const std::string& key, const std::string& english,
                              std::initializer_list<std::string> arguments);
    // Before any other thread asks for a text.
    static void setLookup(Lookup lookup);
};
