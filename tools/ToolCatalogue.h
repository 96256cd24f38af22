#pragma once

#include <string>
#include <vector>

#include "platform/foundation/ClassRegistry.h"

// The one list of the editor's classes: every tool, filter and effect class, in the
// order the editor discovers them. Adding a tool is one line here.
class ToolCatalogue {
public:
    // Registers the classes into registry and answers the names it refused (a name
    // already there, a superclass missing): none for a fresh registry.
    static std::vector<std::string> registerClasses(ClassRegistry& registry);
    // The shared registry, filled once; safe from any thread. A refused class is a
    // programming error that ends the program at start-up, naming the class.
    static void registerSharedClasses();
};
