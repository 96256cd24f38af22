#pragma once

#include "platform/foundation/ClassRegistry.h"

// The one list of the editor's classes: every tool, filter and effect class, in the
// order the editor discovers them. Adding a tool is one line here.
class ToolCatalogue {
public:
    // Registers the classes into registry; classes already there are left as they are.
    static void registerClasses(ClassRegistry& registry);
    // The shared registry, filled once; safe from any thread.
    static void registerSharedClasses();
};
