#pragma once

#include <memory>

#include "platform/foundation/RuntimeClass.h"

// A registered class that makes instances of its C++ class as Product from Args: how
// a tool creates, say, an effect from the class a descriptor names.
//
//   using EffectFactory = CLClassFactory<CLEffectBase, UIViewPtr, CLImageToolInfoPtr>;
//   if (const auto* factory = EffectFactory::of(registry.classNamed(name))) {
//       effect = factory->makeInstance(superview, info);
//   }
template <typename Product, typename... Args>
class CLClassFactory {
public:
    virtual ~CLClassFactory() = default;
    virtual std::shared_ptr<Product> makeInstance(Args... args) const = 0;

    // The factory of cls, or null when cls makes no Product from these arguments.
    static const CLClassFactory* of(const RuntimeClass* cls) {
        return dynamic_cast<const CLClassFactory*>(cls);
    }
};

// Implements Factory for the C++ class Concrete.
template <typename Concrete, typename Factory>
class CLFactoryFor;

template <typename Concrete, typename Product, typename... Args>
class CLFactoryFor<Concrete, CLClassFactory<Product, Args...>>
    : public CLClassFactory<Product, Args...> {
public:
    std::shared_ptr<Product> makeInstance(Args... args) const override {
        return std::make_shared<Concrete>(args...);
    }
};
