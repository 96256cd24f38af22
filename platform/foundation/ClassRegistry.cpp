#include "platform/foundation/ClassRegistry.h"

ClassRegistry& ClassRegistry::shared() {
    static ClassRegistry* const registry = new ClassRegistry;
    return *registry;
}

const RuntimeClass* ClassRegistry::registerClass(std::unique_ptr<RuntimeClass> cls) {
    if (!cls || cls->name().empty()) {
        return nullptr;
    }
    std::lock_guard lock(mutex_);
    if (byName_.contains(cls->name())) {
        return nullptr;
    }
    const RuntimeClass* superclass = nullptr;
    if (!cls->superclassName().empty()) {
        const auto found = byName_.find(cls->superclassName());
        if (found == byName_.end()) {
            return nullptr;
        }
        superclass = found->second;
    }
    cls->superclass_ = superclass;
    cls->registry_ = this;
    const RuntimeClass* registered = cls.get();
    byName_.emplace(cls->name(), registered);
    classes_.push_back(std::move(cls));
    return registered;
}

std::vector<const RuntimeClass*> ClassRegistry::classList() const {
    std::lock_guard lock(mutex_);
    std::vector<const RuntimeClass*> list;
    list.reserve(classes_.size());
    for (const auto& cls : classes_) {
        list.push_back(cls.get());
    }
    return list;
}

const RuntimeClass* ClassRegistry::classNamed(const std::string& name) const {
    std::lock_guard lock(mutex_);
    const auto found = byName_.find(name);
    return found == byName_.end() ? nullptr : found->second;
}

std::vector<const RuntimeClass*> ClassRegistry::subclassesOf(const RuntimeClass* cls) const {
    std::vector<const RuntimeClass*> subclasses;
    if (cls == nullptr) {
        return subclasses;
    }
    // Walk up from each class's superclass, so cls itself is never included.
    for (const RuntimeClass* candidate : classList()) {
        if (candidate->superclass() != nullptr && candidate->superclass()->isSubclassOfClass(cls)) {
            subclasses.push_back(candidate);
        }
    }
    return subclasses;
}
