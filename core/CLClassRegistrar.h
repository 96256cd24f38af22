#pragma once

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "core/CLImageToolClassOf.h"
#include "platform/foundation/ClassRegistry.h"

// Fills a class registry and remembers what it refused (a name registered twice, a
// superclass not registered first), so start-up can tell.
class CLClassRegistrar {
public:
    explicit CLClassRegistrar(ClassRegistry& registry) : registry_(registry) {}

    // Registers the C++ class Class under its kClassName, as a subclass of Super's
    // (a root class when Super is void), answering the tool protocol and making
    // instances through Factories.
    template <typename Class, typename Super, typename... Factories>
    void add() {
        if constexpr (std::is_void_v<Super>) {
            add(std::make_unique<CLImageToolClassOf<Class, Factories...>>(Class::kClassName, ""));
        } else {
            static_assert(std::is_base_of_v<Super, Class>, "a class registers below its base");
            add(std::make_unique<CLImageToolClassOf<Class, Factories...>>(Class::kClassName,
                                                                          Super::kClassName));
        }
    }
    void add(std::unique_ptr<RuntimeClass> cls);

    // The names of the classes refused, in order.
    const std::vector<std::string>& refused() const { return refused_; }

private:
    ClassRegistry& registry_;
    std::vector<std::string> refused_;
};
