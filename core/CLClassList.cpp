#include "core/CLClassList.h"

std::vector<const RuntimeClass*> CLClassList::subclassesOfClass(const RuntimeClass* cls,
                                                                const ClassRegistry& registry) {
    return registry.subclassesOf(cls);
}
