#include <gtest/gtest.h>

#include "platform/foundation/ClassRegistry.h"

namespace {

// A class carrying one class-level answer, as the layers above derive them.
class DockedClass : public RuntimeClass {
public:
    DockedClass(std::string name, std::string superclassName, double dockedNumber)
        : RuntimeClass(std::move(name), std::move(superclassName)), dockedNumber_(dockedNumber) {}
    double dockedNumber() const { return dockedNumber_; }

private:
    double dockedNumber_;
};

std::vector<std::string> names(const std::vector<const RuntimeClass*>& classes) {
    std::vector<std::string> out;
    for (const RuntimeClass* cls : classes) {
        out.push_back(cls->name());
    }
    return out;
}

const RuntimeClass* add(ClassRegistry& registry, const std::string& name,
                        const std::string& superclass) {
    return registry.registerClass(std::make_unique<RuntimeClass>(name, superclass));
}

class ClassRegistryTest : public testing::Test {
protected:
    void SetUp() override {
        for (const auto& [name, superclass] : std::vector<std::pair<std::string, std::string>>{
                 {"NSObject", ""},
                 {"CLImageToolBase", "NSObject"},
                 {"CLFilterBase", "NSObject"},
                 {"CLFilterTool", "CLImageToolBase"},
                 {"CLDefaultEmptyFilter", "CLFilterBase"},
                 {"CLStickerTool", "CLImageToolBase"},
                 {"CLEmoticonTool", "CLStickerTool"},
                 {"CLDefaultLinearFilter", "CLDefaultEmptyFilter"},
                 {"CLTextTool", "CLImageToolBase"}}) {
            ASSERT_NE(add(registry, name, superclass), nullptr) << name;
        }
    }

    ClassRegistry registry;
};

TEST_F(ClassRegistryTest, ListsClassesInRegistrationOrderAndFindsThemByName) {
    EXPECT_EQ(names(registry.classList()),
              (std::vector<std::string>{"NSObject", "CLImageToolBase", "CLFilterBase",
                                        "CLFilterTool", "CLDefaultEmptyFilter", "CLStickerTool",
                                        "CLEmoticonTool", "CLDefaultLinearFilter", "CLTextTool"}));
    const RuntimeClass* emoticon = registry.classNamed("CLEmoticonTool");
    ASSERT_NE(emoticon, nullptr);
    EXPECT_EQ(emoticon->name(), "CLEmoticonTool");
    EXPECT_EQ(emoticon->superclass(), registry.classNamed("CLStickerTool"));
    EXPECT_EQ(registry.classNamed("NSObject")->superclass(), nullptr);
    EXPECT_EQ(registry.classNamed("CLMissingTool"), nullptr);
    EXPECT_EQ(registry.classNamed(""), nullptr);
}

TEST_F(ClassRegistryTest, SubclassesAreProperDescendantsInRegistryOrder) {
    const RuntimeClass* toolBase = registry.classNamed("CLImageToolBase");
    EXPECT_EQ(names(registry.subclassesOf(toolBase)),
              (std::vector<std::string>{"CLFilterTool", "CLStickerTool", "CLEmoticonTool",
                                        "CLTextTool"}));
    EXPECT_EQ(names(registry.subclassesOf(registry.classNamed("CLFilterBase"))),
              (std::vector<std::string>{"CLDefaultEmptyFilter", "CLDefaultLinearFilter"}));
    EXPECT_TRUE(registry.subclassesOf(registry.classNamed("CLTextTool")).empty());
    EXPECT_EQ(registry.subclassesOf(registry.classNamed("NSObject")).size(), 8u);
    EXPECT_TRUE(registry.subclassesOf(nullptr).empty());

    // A class of another registry with the same name is a different class.
    ClassRegistry other;
    const RuntimeClass* stranger = add(other, "CLImageToolBase", "");
    EXPECT_TRUE(registry.subclassesOf(stranger).empty());

    EXPECT_TRUE(registry.classNamed("CLEmoticonTool")->isSubclassOfClass(toolBase));
    EXPECT_TRUE(toolBase->isSubclassOfClass(toolBase));
    EXPECT_FALSE(toolBase->isSubclassOfClass(registry.classNamed("CLEmoticonTool")));
}

TEST_F(ClassRegistryTest, RefusesDuplicatesUnknownSuperclassesAndEmptyNames) {
    const std::size_t before = registry.classList().size();
    EXPECT_EQ(add(registry, "CLTextTool", "CLImageToolBase"), nullptr);
    EXPECT_EQ(add(registry, "CLTextTool", "NSObject"), nullptr);
    EXPECT_EQ(add(registry, "CLOrphanTool", "CLMissingBase"), nullptr);
    EXPECT_EQ(add(registry, "", "NSObject"), nullptr);
    EXPECT_EQ(registry.registerClass(nullptr), nullptr);
    // A class cannot be its own superclass: at its registration it is not there yet.
    EXPECT_EQ(add(registry, "CLLoop", "CLLoop"), nullptr);
    EXPECT_EQ(registry.classList().size(), before);
    EXPECT_EQ(registry.classNamed("CLTextTool")->superclass(),
              registry.classNamed("CLImageToolBase"));
    EXPECT_EQ(registry.classNamed("CLOrphanTool"), nullptr);
}

TEST_F(ClassRegistryTest, DerivedClassesKeepTheirAnswers) {
    const RuntimeClass* resize = registry.registerClass(
        std::make_unique<DockedClass>("CLResizeTool", "CLImageToolBase", 5.5));
    ASSERT_NE(resize, nullptr);
    const auto* docked = dynamic_cast<const DockedClass*>(registry.classNamed("CLResizeTool"));
    ASSERT_NE(docked, nullptr);
    EXPECT_EQ(docked->dockedNumber(), 5.5);
    EXPECT_EQ(dynamic_cast<const DockedClass*>(registry.classNamed("CLTextTool")), nullptr);
    EXPECT_EQ(names(registry.subclassesOf(registry.classNamed("CLImageToolBase"))).back(),
              "CLResizeTool");
}
}  // namespace
