#include "core/CLClassRegistrar.h"

void CLClassRegistrar::add(std::unique_ptr<RuntimeClass> cls) {
    const std::string name = cls ? cls->name() : std::string();
    if (!registry_.registerClass(std::move(cls))) {
        refused_.push_back(name);
    }
}
