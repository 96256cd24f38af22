#include "platform/ui/screens/UILocalizedString.h"

namespace {

UILocalizedString::Lookup& sharedLookup() {
    static UILocalizedString::Lookup shared;
    return shared;
}

}  // namespace

std::string UILocalizedString::text(const std::string& key, const std::string& english) {
    return sharedLookup() ? sharedLookup()(key, english) : english;
}

std::string UILocalizedString::format(const std::string& key, const std::string& english,
                                      std::initializer_list<std::string> arguments) {
    std::string result = text(key, english);
    std::size_t from = 0;
    for (const std::string& argument : arguments) {
        const std::size_t at = result.find("%@", from);
        if (at == std::string::npos) {
            break;
        }
        result.replace(at, 2, argument);
        from = at + argument.size();
    }
    return result;
}

void UILocalizedString::setLookup(Lookup lookup) {
    sharedLookup() = std::move(lookup);
}
