#include "platform/foundation/RuntimeClass.h"

RuntimeClass::RuntimeClass(std::string name, std::string superclassName)
    : name_(std::move(name)), superclassName_(std::move(superclassName)) {}

RuntimeClass::~RuntimeClass() = default;

bool RuntimeClass::isSubclassOfClass(const RuntimeClass* other) const {
    for (const RuntimeClass* cls = this; cls != nullptr; cls = cls->superclass_) {
        if (cls == other) {
            return true;
        }
    }
    return false;
}
