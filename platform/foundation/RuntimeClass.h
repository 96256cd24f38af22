#pragma once

#include <string>

class ClassRegistry;

// One class of the class registry: a name and a superclass. Layers above derive from
// it to carry what a class answers at class level (the tool protocol's questions, a
// factory), and test whether a class offers a protocol with dynamic_cast.
//
// The superclass is named when the class is made and resolved when a registry
// accepts the class; until then superclass() is null.
class RuntimeClass {
public:
    // An empty superclass name makes a root class.
    RuntimeClass(std::string name, std::string superclassName);
    virtual ~RuntimeClass();
    RuntimeClass(const RuntimeClass&) = delete;
    RuntimeClass& operator=(const RuntimeClass&) = delete;

    const std::string& name() const { return name_; }
    const std::string& superclassName() const { return superclassName_; }
    const RuntimeClass* superclass() const { return superclass_; }
    // The registry that accepted the class, or null before one did.
    const ClassRegistry* registry() const { return registry_; }

    // True for the class itself and every class below it.
    bool isSubclassOfClass(const RuntimeClass* other) const;

private:
    friend class ClassRegistry;

    std::string name_;
    std::string superclassName_;
    const RuntimeClass* superclass_ = nullptr;
    const ClassRegistry* registry_ = nullptr;
};
