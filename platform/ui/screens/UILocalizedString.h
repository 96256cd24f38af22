#pragma once

#include <functional>
#include <string>

// The platform's own texts (the share sheet's, the picker's) in the user's language.
// The program names where translations come from; until it does, and for keys without
// one, the English text given is used. Main thread only.
class UILocalizedString {
public:
    // Answers the translation of key, or english when there is none.
    using Lookup = std::function<std::string(const std::string& key, const std::string& english)>;

    static std::string text(const std::string& key, const std::string& english);
    // text with each "%@" replaced by argument, in order.
    static std::string format(const std::string& key, const std::string& english,
                              std::initializer_list<std::string> arguments);
    static void setLookup(Lookup lookup);
};
