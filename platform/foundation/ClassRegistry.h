#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/foundation/RuntimeClass.h"

// The table of classes the editor discovers its tools in. The application fills the
// shared registry at start-up from one explicit list, in a fixed order that is the
// registry's enumeration order; tests make their own registries.
//
// A class is refused (registerClass answers null and nothing changes) when its name
// is empty or already registered, or when its superclass is not registered yet, so
// superclasses come first and the class graph never has loops or dangling links.
// Registered classes live as long as the registry. Safe from any thread.
class ClassRegistry {
public:
    ClassRegistry() = default;
    ClassRegistry(const ClassRegistry&) = delete;
    ClassRegistry& operator=(const ClassRegistry&) = delete;

    // The registry of the running program. Never destroyed, so classes stay valid for
    // work that runs while the process exits.
    static ClassRegistry& shared();

    // The registered class, or null when refused.
    const RuntimeClass* registerClass(std::unique_ptr<RuntimeClass> cls);

    // Every class, in registration order.
    std::vector<const RuntimeClass*> classList() const;
    // The class of that name, or null.
    const RuntimeClass* classNamed(const std::string& name) const;
    // Every registered class that has cls as a proper ancestor (direct or indirect
    // superclass), in registration order; not cls itself. Empty for null or for a
    // class of another registry.
    std::vector<const RuntimeClass*> subclassesOf(const RuntimeClass* cls) const;

private:
    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<RuntimeClass>> classes_;
    std::map<std::string, const RuntimeClass*, std::less<>> byName_;
};
