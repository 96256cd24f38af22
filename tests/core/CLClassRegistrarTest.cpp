#include <gtest/gtest.h>

#include "core/CLClassRegistrar.h"
#include "tests/core/TestToolClasses.h"

namespace {

// Answers the tool protocol as an effect does.
struct Shape : testtools::EffectLike {
    static constexpr const char* kClassName = "Shape";

    explicit Shape(int side) : side(side) {}
    virtual ~Shape() = default;
    virtual int corners() const { return 0; }
    int side;
};

struct Square : Shape {
    static constexpr const char* kClassName = "Square";
    using Shape::Shape;
    int corners() const override { return 4; }
};

// Forgot its own name: it would take its base's.
struct Circle : Shape {
    using Shape::Shape;
};

using ShapeFactory = CLClassFactory<Shape, int>;

}  // namespace

TEST(ClassRegistrar, RegistersByTypeReportsRefusalsAndMakesInstances) {
    ClassRegistry registry;
    CLClassRegistrar registrar(registry);
    registrar.add<Shape, void, ShapeFactory>();
    registrar.add<Square, Shape, ShapeFactory>();
    registrar.add<Circle, Shape, ShapeFactory>();
    registrar.add(std::make_unique<RuntimeClass>("Orphan", "Missing"));
    EXPECT_EQ(registrar.refused(), (std::vector<std::string>{"Shape", "Orphan"}));

    const RuntimeClass* square = registry.classNamed("Square");
    ASSERT_NE(square, nullptr);
    EXPECT_EQ(square->superclass(), registry.classNamed("Shape"));
    EXPECT_EQ(square->registry(), &registry);
    const auto made = ShapeFactory::of(square)->makeInstance(3);
    EXPECT_EQ(made->corners(), 4);
    EXPECT_EQ(made->side, 3);
    EXPECT_EQ(CLClassFactory<Shape>::of(square), nullptr) << "no factory for other arguments";
}
