#include "core/ZOZuzazOzarozEditorClass.h"

#include "core/ZOZuzazOzarozTheme.h"

ZOZuzazOzarozEditorClass::ZOZuzazOzarozEditorClass(const ClassRegistry& registry)
    : CLImageToolClass(CLImageToolInfo::kEditorClassName, ""), registry_(registry) {}

std::string ZOZuzazOzarozEditorClass::defaultTitle() const {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("ZOZuzazOzaroz_DefaultTitle", "Edit");
}

CLImageToolInfoArray ZOZuzazOzarozEditorClass::subtools() const {
    return CLImageToolInfo::toolsWithToolClass(registry_.classNamed("CLImageToolBase"), registry_);
}
