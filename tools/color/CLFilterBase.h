#pragma once

#include "core/CLImageToolClass.h"
#include "tools/color/CLFilterBaseProtocol.h"

// The registry class at the root of the filter catalogue. Its own answers keep it out
// of every menu; its subclasses are the filters the filter tool offers.
class CLFilterBase : public CLImageToolClass, public CLFilterBaseProtocol {
public:
    static constexpr const char* kClassName = "CLFilterBase";

    CLFilterBase(std::string name, std::string superclassName);

    std::optional<std::string> defaultIconImagePath() const override;
    double defaultDockedNumber() const override;
    std::string defaultTitle() const override;
    bool isAvailable() const override;
    CLImageToolInfoArray subtools() const override;
    std::optional<ValueDictionary> optionalInfo() const override;
    // Filters are not tools of their own: no tool is made from them.
    std::shared_ptr<CLImageToolBase> createTool(std::weak_ptr<CLEditorServices> editor,
                                                const CLImageToolInfoPtr& toolInfo) const override;

    UIImagePtr applyFilter(const UIImagePtr& image) const override;
};
