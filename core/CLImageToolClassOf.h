#pragma once

#include <memory>
#include <type_traits>

#include "core/CLClassFactory.h"
#include "core/CLImageToolBase.h"
#include "core/CLImageToolClass.h"

// The registry class of Tool: answers the tool protocol with Tool's static members
// (inherited ones included), creates Tool when it is a constructible tool, and makes
// instances of Tool through each of Factories (CLClassFactory types).
//
// Register it with CLClassRegistrar, which takes the names from the classes:
//   registrar.add<CLDrawTool, CLImageToolBase>();
template <typename Tool, typename... Factories>
class CLImageToolClassOf final : public CLImageToolClass, public CLFactoryFor<Tool, Factories>... {
public:
    using CLImageToolClass::CLImageToolClass;

    std::optional<std::string> defaultIconImagePath() const override {
        return Tool::defaultIconImagePath(*this);
    }
    double defaultDockedNumber() const override { return Tool::defaultDockedNumber(*this); }
    std::string defaultTitle() const override { return Tool::defaultTitle(); }
    bool isAvailable() const override { return Tool::isAvailable(); }
    // A class whose sub-tools come from its registry is handed itself.
    CLImageToolInfoArray subtools() const override {
        if constexpr (requires { Tool::subtools(*this); }) {
            return Tool::subtools(*this);
        } else {
            return Tool::subtools();
        }
    }
    std::optional<ValueDictionary> optionalInfo() const override { return Tool::optionalInfo(); }

    std::shared_ptr<CLImageToolBase> createTool(
        [[maybe_unused]] std::weak_ptr<CLEditorServices> editor,
        [[maybe_unused]] const CLImageToolInfoPtr& toolInfo) const override {
        if constexpr (std::is_base_of_v<CLImageToolBase, Tool> &&
                      std::is_constructible_v<Tool, const CLImageToolClass&,
                                              std::weak_ptr<CLEditorServices>,
                                              const CLImageToolInfoPtr&>) {
            return std::make_shared<Tool>(*this, std::move(editor), toolInfo);
        } else {
            return nullptr;
        }
    }
};
