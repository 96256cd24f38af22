#pragma once

#include "core/CLImageToolClass.h"
#include "platform/foundation/ClassRegistry.h"

// The editor controller's entry in a class registry: the root of the tool tree. Its
// sub-tools are the tools of the registry it answers for, which must outlive it.
//
//   registry.registerClass(std::make_unique<ZOZuzazOzarozEditorClass>(registry));
class ZOZuzazOzarozEditorClass final : public CLImageToolClass {
public:
    explicit ZOZuzazOzarozEditorClass(const ClassRegistry& registry);

    // The localized "ZOZuzazOzaroz_DefaultTitle", "Edit" by default.
    std::optional<std::string> defaultIconImagePath() const override { return std::nullopt; }
    double defaultDockedNumber() const override { return 0; }
    std::string defaultTitle() const override;
    bool isAvailable() const override { return true; }
    // The descriptors of every available class below CLImageToolBase.
    CLImageToolInfoArray subtools() const override;
    std::optional<ValueDictionary> optionalInfo() const override { return std::nullopt; }

    // The editor is not a tool the editor starts.
    std::shared_ptr<CLImageToolBase> createTool(std::weak_ptr<CLEditorServices>,
                                                const CLImageToolInfoPtr&) const override {
        return nullptr;
    }

private:
    const ClassRegistry& registry_;
};
