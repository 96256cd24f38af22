#include "core/CLImageToolInfo.h"

#include <algorithm>
#include <cmath>

#include "core/CLClassList.h"
#include "core/CLImageToolClass.h"
#include "imaging/operations/UIImageUtility.h"

namespace {

// Ascending docked numbers. A NaN set by a host sorts last instead of breaking the
// ordering the stable sort relies on.
bool docksBefore(const CLImageToolInfoPtr& a, const CLImageToolInfoPtr& b) {
    if (std::isnan(a->dockedNumber())) {
        return false;
    }
    return std::isnan(b->dockedNumber()) || a->dockedNumber() < b->dockedNumber();
}

}  // namespace

CLImageToolInfoPtr CLImageToolInfo::toolInfoForToolClass(const RuntimeClass* toolClass) {
    const auto* protocol = dynamic_cast<const CLImageToolClass*>(toolClass);
    if (protocol == nullptr || !protocol->isAvailable()) {
        return nullptr;
    }
    auto info = std::make_shared<CLImageToolInfo>();
    info->toolName_ = protocol->name();
    info->title_ = protocol->defaultTitle();
    info->available_ = true;
    info->dockedNumber_ = protocol->defaultDockedNumber();
    info->iconImagePath_ = protocol->defaultIconImagePath();
    info->subtools_ = protocol->subtools();
    info->optionalInfo_ = protocol->optionalInfo();
    return info;
}

CLImageToolInfoArray CLImageToolInfo::toolsWithToolClass(const RuntimeClass* toolClass,
                                                         const ClassRegistry& registry) {
    CLImageToolInfoArray tools;
    if (auto own = toolInfoForToolClass(toolClass)) {
        tools.push_back(std::move(own));
    }
    for (const RuntimeClass* subclass : CLClassList::subclassesOfClass(toolClass, registry)) {
        if (auto info = toolInfoForToolClass(subclass)) {
            tools.push_back(std::move(info));
        }
    }
    return tools;
}

std::string CLImageToolInfo::toolName() const {
    return toolName_ == kEditorClassName ? kEditorToolName : toolName_;
}

UIImagePtr CLImageToolInfo::iconImage() const {
    if (!iconImagePath_) {
        return nullptr;
    }
    return UIImageUtility::fastImageWithContentsOfFile(*iconImagePath_);
}

const CLImageToolInfoArray& CLImageToolInfo::sortedSubtools() {
    std::stable_sort(subtools_.begin(), subtools_.end(), docksBefore);
    return subtools_;
}

CLImageToolInfoPtr CLImageToolInfo::subToolInfoWithToolNameRecursive(const std::string& toolName,
                                                                     bool recursive) const {
    for (const CLImageToolInfoPtr& child : subtools_) {
        if (child->toolName() == toolName) {
            return child;
        }
        if (recursive) {
            if (auto found = child->subToolInfoWithToolNameRecursive(toolName, true)) {
                return found;
            }
        }
    }
    return nullptr;
}

ValueDictionary CLImageToolInfo::descriptionDictionary() {
    ValueDictionary dictionary{
        {"toolName", toolName()},
        {"available", available_ ? "YES" : "NO"},
        {"dockedNumber", dockedNumber_},
    };
    if (title_) {
        dictionary["title"] = *title_;
    }
    if (iconImagePath_) {
        dictionary["iconImagePath"] = *iconImagePath_;
    }
    ValueArray subtoolDescriptions;
    for (const CLImageToolInfoPtr& child : sortedSubtools()) {
        subtoolDescriptions.emplace_back(child->descriptionDictionary());
    }
    dictionary["subtools"] = std::move(subtoolDescriptions);
    if (optionalInfo_) {
        dictionary["optionalInfo"] = *optionalInfo_;
    }
    return dictionary;
}

std::string CLImageToolInfo::description() {
    return Value(descriptionDictionary()).description();
}

std::string CLImageToolInfo::toolTreeDescription() {
    return "\n" + toolTreeDescriptionWithSpace("");
}

std::string CLImageToolInfo::toolTreeDescriptionWithSpace(const std::string& indent) {
    std::string text = indent + toolName() + "\n";
    for (const CLImageToolInfoPtr& child : sortedSubtools()) {
        text += child->toolTreeDescriptionWithSpace("    " + indent);
    }
    return text;
}
