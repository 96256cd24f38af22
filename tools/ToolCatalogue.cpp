#include "tools/ToolCatalogue.h"

#include <mutex>

#include "core/CLImageToolBase.h"
#include "core/CLImageToolClassOf.h"
#include "core/ZOZuzazOzarozEditorClass.h"
#include "tools/color/CLDefaultEmptyFilter.h"
#include "tools/color/CLFilterBase.h"
#include "tools/color/CLFilterTool.h"

namespace {

template <typename Tool>
void addTool(ClassRegistry& registry, const char* name, const char* superclass) {
    registry.registerClass(std::make_unique<CLImageToolClassOf<Tool>>(name, superclass));
}

void addFilterCatalogue(ClassRegistry& registry) {
    registry.registerClass(std::make_unique<CLFilterBase>(CLFilterBase::kClassName, ""));
    registry.registerClass(std::make_unique<CLDefaultEmptyFilter>(CLDefaultEmptyFilter::kClassName,
                                                                  CLFilterBase::kClassName));
    for (const std::string& name : CLDefaultEmptyFilter::catalogueSubclassNames()) {
        registry.registerClass(
            std::make_unique<CLDefaultEmptyFilter>(name, CLDefaultEmptyFilter::kClassName));
    }
}

}  // namespace

void ToolCatalogue::registerClasses(ClassRegistry& registry) {
    addTool<CLImageToolBase>(registry, "CLImageToolBase", "");
    addTool<CLFilterTool>(registry, "CLFilterTool", "CLImageToolBase");
    addFilterCatalogue(registry);
    registry.registerClass(std::make_unique<ZOZuzazOzarozEditorClass>(registry));
}

void ToolCatalogue::registerSharedClasses() {
    static std::once_flag once;
    std::call_once(once, [] { registerClasses(ClassRegistry::shared()); });
}
