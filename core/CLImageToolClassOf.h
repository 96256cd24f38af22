#pragma once

#include <memory>
#include <type_traits>

#include "core/CLImageToolBase.h"
#include "core/CLImageToolClass.h"

// The registry class of Tool: answers the tool protocol with Tool's static members
// (inherited ones included) and, when Tool is a constructible tool, creates it.
//
//   registry.registerClass(
//       std::make_unique<CLImageToolClassOf<CLDrawTool>>("CLDrawTool", "CLImageToolBase"));
template <typename Tool>
class CLImageToolClassOf final : public CLImageToolClass {
public:
    using CLImageToolClass::CLImageToolClass;

    std::optional<std::string> defaultIconImagePath() const override {
        return Tool::defaultIconImagePath(*this);
    }
    double defaultDockedNumber() const override { return Tool::defaultDockedNumber(*this); }
    std::string defaultTitle() const override { return Tool::defaultTitle(); }
    bool isAvailable() const override { return Tool::isAvailable(); }
    CLImageToolInfoArray subtools() const override { return Tool::subtools(); }
    std::optional<ValueDictionary> optionalInfo() const override { return Tool::optionalInfo(); }

    std::shared_ptr<CLImageToolBase> createTool(
        [[maybe_unused]] std::weak_ptr<_ZOZuzazOzarozViewController> editor,
        [[maybe_unused]] const CLImageToolInfoPtr& toolInfo) const override {
        if constexpr (std::is_base_of_v<CLImageToolBase, Tool> &&
                      std::is_constructible_v<Tool, const CLImageToolClass&,
                                              std::weak_ptr<_ZOZuzazOzarozViewController>,
                                              const CLImageToolInfoPtr&>) {
            return std::make_shared<Tool>(*this, std::move(editor), toolInfo);
        } else {
            return nullptr;
        }
    }
};
