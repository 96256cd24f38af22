#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/CLImageToolInfo.h"
#include "platform/foundation/RuntimeClass.h"
#include "platform/foundation/Value.h"

class CLEditorServices;
class CLImageToolBase;

// A registry class that offers the tool protocol: the class-level answers every tool,
// filter and effect class gives, and a factory for the tools. A class offers the
// protocol when it is registered as one of these (dynamic_cast tells).
// CLImageToolClassOf forwards the answers to a C++ class's static members.
class CLImageToolClass : public RuntimeClass {
public:
    using RuntimeClass::RuntimeClass;

    // The icon's absolute path, or nothing.
    virtual std::optional<std::string> defaultIconImagePath() const = 0;
    virtual double defaultDockedNumber() const = 0;
    virtual std::string defaultTitle() const = 0;
    virtual bool isAvailable() const = 0;
    virtual CLImageToolInfoArray subtools() const = 0;
    virtual std::optional<ValueDictionary> optionalInfo() const = 0;

    // A new tool of this class, started from toolInfo in editor; null for classes that
    // are not tools (filters, effects, the editor itself).
    virtual std::shared_ptr<CLImageToolBase> createTool(
        std::weak_ptr<CLEditorServices> editor, const CLImageToolInfoPtr& toolInfo) const = 0;
};
