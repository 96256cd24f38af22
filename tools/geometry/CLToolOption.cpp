#include "tools/geometry/CLToolOption.h"

Value toolOption(const CLImageToolBase& tool, const std::string& key) {
    const auto info = tool.toolInfo();
    if (!info || !info->optionalInfo()) {
        return {};
    }
    const auto found = info->optionalInfo()->find(key);
    return found != info->optionalInfo()->end() ? found->second : Value();
}
