#pragma once

#include <vector>

#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/RuntimeClass.h"

// Questions about the class registry that tool discovery asks.
class CLClassList {
public:
    // Every class of the registry that has cls as a proper ancestor, in the registry's
    // enumeration order; not cls itself. Empty for null.
    static std::vector<const RuntimeClass*> subclassesOfClass(
        const RuntimeClass* cls, const ClassRegistry& registry = ClassRegistry::shared());
};
