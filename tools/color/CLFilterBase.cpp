#include "tools/color/CLFilterBase.h"

CLFilterBase::CLFilterBase(std::string name, std::string superclassName)
    : CLImageToolClass(std::move(name), std::move(superclassName)) {}

std::optional<std::string> CLFilterBase::defaultIconImagePath() const {
    return std::nullopt;
}

double CLFilterBase::defaultDockedNumber() const {
    return 0;
}

std::string CLFilterBase::defaultTitle() const {
    return kClassName;
}

bool CLFilterBase::isAvailable() const {
    return false;
}

CLImageToolInfoArray CLFilterBase::subtools() const {
    return {};
}

std::optional<ValueDictionary> CLFilterBase::optionalInfo() const {
    return std::nullopt;
}

std::shared_ptr<CLImageToolBase> CLFilterBase::createTool(std::weak_ptr<CLEditorServices>,
                                                          const CLImageToolInfoPtr&) const {
    return nullptr;
}

UIImagePtr CLFilterBase::applyFilter(const UIImagePtr& image) const {
    return image;
}
