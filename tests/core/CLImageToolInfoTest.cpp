#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/CLClassList.h"
#include "core/CLImageToolBase.h"
#include "core/CLImageToolInfo.h"
#include "core/UIViewCLImageToolInfo.h"
#include "core/ZOZuzazOzarozTheme.h"
#include "tests/core/BundleFixture.h"
#include "tests/core/TestToolClasses.h"

namespace {

using testtools::named;
using testtools::registry;

std::vector<std::string> namesOf(const CLImageToolInfoArray& tools) {
    std::vector<std::string> names;
    for (const auto& tool : tools) {
        names.push_back(tool->toolName());
    }
    return names;
}

CLImageToolInfoPtr descriptor(const std::string& name, CLImageToolInfoArray subtools = {}) {
    auto info = std::make_shared<CLImageToolInfo>();
    info->setToolName(name);
    info->setSubtools(std::move(subtools));
    return info;
}

CLImageToolInfoPtr rootDescriptor() {
    return CLImageToolInfo::toolInfoForToolClass(named(CLImageToolInfo::kEditorClassName));
}

using ToolRegistryTest = AppResourcesTest;

TEST_F(ToolRegistryTest, DiscoveryListsAvailableProtocolClassesBelowTheRoot) {
    EXPECT_EQ(CLClassList::subclassesOfClass(named("HiddenTool"), registry()),
              std::vector<const RuntimeClass*>{named("HiddenChildTool")});
    EXPECT_TRUE(CLClassList::subclassesOfClass(named("EffectLikeChild"), registry()).empty());

    testtools::hiddenSubtoolsAsked() = 0;
    const auto tools = CLImageToolInfo::toolsWithToolClass(named("CLImageToolBase"), registry());
    // Not the unavailable base nor HiddenTool (whose sub-tools are never asked for), not
    // the class without the protocol; HiddenTool's available subclass still counts.
    EXPECT_EQ(namesOf(tools),
              (std::vector<std::string>{"CLFilterTool", "CLRotateTool", "HiddenChildTool",
                                        "StickerLikeTool", "EmoticonLikeTool", "UnlistedTool"}));
    EXPECT_EQ(testtools::hiddenSubtoolsAsked(), 0);
    EXPECT_EQ(CLImageToolInfo::toolInfoForToolClass(named("PlainClass")), nullptr);
    EXPECT_EQ(CLImageToolInfo::toolInfoForToolClass(nullptr), nullptr);

    // An available base class is the first entry of its own list.
    EXPECT_EQ(namesOf(CLImageToolInfo::toolsWithToolClass(named("EffectLikeBase"), registry())),
              (std::vector<std::string>{"EffectLikeBase", "EffectLikeChild"}));
}

TEST_F(ToolRegistryTest, DescriptorTakesTheClassAnswersAndTheBaseDefaults) {
    const auto filter = CLImageToolInfo::toolInfoForToolClass(named("CLFilterTool"));
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(filter->title(), "Filter");
    EXPECT_TRUE(filter->available());
    EXPECT_EQ(filter->dockedNumber(), 0);
    EXPECT_EQ(filter->iconImagePath(), kResourceBundle + "/CLFilterTool/black/icon.png");
    EXPECT_NE(filter->iconImage(), nullptr);
    ASSERT_TRUE(filter->optionalInfo());
    EXPECT_EQ((*filter->optionalInfo())["limitSize"].integerValue(), 2048);
    // The descriptor's settings are its own copy.
    (*filter->optionalInfo())["limitSize"] = 100;
    EXPECT_EQ(
        (*CLImageToolInfo::toolInfoForToolClass(named("CLFilterTool"))->optionalInfo())["limitSize"]
            .integerValue(),
        2048);

    const auto rotate = CLImageToolInfo::toolInfoForToolClass(named("CLRotateTool"));
    EXPECT_EQ(rotate->title(), "DefaultTitle");
    EXPECT_EQ(rotate->dockedNumber(), 4);
    EXPECT_FALSE(rotate->optionalInfo());
    EXPECT_EQ(CLImageToolInfo::toolInfoForToolClass(named("UnlistedTool"))->dockedNumber(),
              9223372036854775808.0);

    // Without a resource bundle a tool has no icon path.
    NSBundle::setMainBundlePath(testing::TempDir());
    EXPECT_FALSE(CLImageToolInfo::toolInfoForToolClass(named("CLRotateTool"))->iconImagePath());
}

TEST_F(ToolRegistryTest, RootReadsAsTheEditorAndSortsStably) {
    const auto root = rootDescriptor();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->toolName(), "ZOZuzazOzaroz");
    EXPECT_EQ(root->title(), "Edit");
    EXPECT_FALSE(root->iconImagePath());

    const std::vector<std::string> menuOrder{"CLFilterTool",     "CLRotateTool",
                                             "HiddenChildTool",  "StickerLikeTool",
                                             "EmoticonLikeTool", "UnlistedTool"};
    EXPECT_EQ(namesOf(root->sortedSubtools()), menuOrder);
    EXPECT_EQ(namesOf(root->sortedSubtools()), menuOrder) << "sorting twice changes nothing";
    EXPECT_EQ(namesOf(root->subtools()), menuOrder) << "the sorted order is stored";

    // Host changes: equal numbers keep the order they had, a NaN sorts last.
    root->subToolInfoWithToolNameRecursive("CLFilterTool", false)->setDockedNumber(7);
    root->subToolInfoWithToolNameRecursive("CLRotateTool", false)
        ->setDockedNumber(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(namesOf(root->sortedSubtools()),
              (std::vector<std::string>{"HiddenChildTool", "CLFilterTool", "StickerLikeTool",
                                        "EmoticonLikeTool", "UnlistedTool", "CLRotateTool"}));
}

TEST(ToolInfoSearch, DirectChildBeforeLaterDeepMatchesButAfterEarlierSubtrees) {
    const auto deepX = descriptor("X");
    const auto directX = descriptor("X");
    const auto laterY = descriptor("Y");
    const auto deepY = descriptor("Y");
    const auto root =
        descriptor("root", {descriptor("A", {deepX}), directX, descriptor("B", {deepY}), laterY});

    EXPECT_EQ(root->subToolInfoWithToolNameRecursive("X", false), directX);
    EXPECT_EQ(root->subToolInfoWithToolNameRecursive("X", true), deepX)
        << "a match under an earlier child wins";
    EXPECT_EQ(root->subToolInfoWithToolNameRecursive("Y", true), deepY);
    EXPECT_EQ(root->subToolInfoWithToolNameRecursive("Y", false), laterY);
    EXPECT_EQ(root->subToolInfoWithToolNameRecursive("A", true)->toolName(), "A");
    EXPECT_EQ(root->subToolInfoWithToolNameRecursive("Z", true), nullptr);
    EXPECT_EQ(root->subToolInfoWithToolNameRecursive("root", true), nullptr);
}

TEST(ToolInfoDescription, LeavesOutAbsentValuesButKeepsEmptyOnes) {
    const auto child = descriptor("Child");
    child->setTitle("");
    child->setIconImagePath("");
    child->setOptionalInfo(ValueDictionary{});
    child->setDockedNumber(2);
    const auto first = descriptor("First");
    first->setDockedNumber(1);
    first->setAvailable(true);
    const auto root = descriptor(CLImageToolInfo::kEditorClassName, {child, first});

    const ValueDictionary bare = first->descriptionDictionary();
    EXPECT_EQ(bare.count("title"), 0u);
    EXPECT_EQ(bare.count("iconImagePath"), 0u);
    EXPECT_EQ(bare.count("optionalInfo"), 0u);
    EXPECT_EQ(bare.at("available").stringValue(), "YES");
    EXPECT_EQ(bare.at("dockedNumber").doubleValue(), 1);
    ASSERT_EQ(bare.at("subtools").type(), Value::Type::Array);
    EXPECT_TRUE(bare.at("subtools").arrayValue().empty());

    const ValueDictionary empties = child->descriptionDictionary();
    EXPECT_EQ(empties.at("title").stringValue("absent"), "");
    EXPECT_EQ(empties.at("iconImagePath").stringValue("absent"), "");
    EXPECT_EQ(empties.at("optionalInfo").type(), Value::Type::Dictionary);
    EXPECT_EQ(empties.at("available").stringValue(), "NO");

    const ValueDictionary tree = root->descriptionDictionary();
    EXPECT_EQ(tree.at("toolName").stringValue(), "ZOZuzazOzaroz");
    const ValueArray& subtools = tree.at("subtools").arrayValue();
    ASSERT_EQ(subtools.size(), 2u);
    EXPECT_EQ(subtools[0]["toolName"].stringValue(), "First") << "subtools sorted";
    EXPECT_EQ(root->description(), Value(tree).description());

    first->setSubtools({descriptor("Leaf")});
    EXPECT_EQ(root->toolTreeDescription(), "\nZOZuzazOzaroz\n    First\n        Leaf\n    Child\n");
    EXPECT_EQ(first->toolTreeDescriptionWithSpace("> "), "> First\n    > Leaf\n");
}

TEST_F(ToolRegistryTest, ClassFactoryMakesToolsThatFindTheirImages) {
    const auto* filterClass = dynamic_cast<const CLImageToolClass*>(named("CLFilterTool"));
    ASSERT_NE(filterClass, nullptr);
    const auto info = CLImageToolInfo::toolInfoForToolClass(filterClass);
    const auto tool = filterClass->createTool({}, info);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(&tool->toolClass(), filterClass);
    EXPECT_EQ(tool->toolInfo(), info);
    EXPECT_EQ(tool->editor(), nullptr);
    tool->setup();
    EXPECT_TRUE(std::dynamic_pointer_cast<testtools::FilterTool>(tool)->setUp);

    const auto* effectClass = dynamic_cast<const CLImageToolClass*>(named("EffectLikeBase"));
    EXPECT_EQ(effectClass->createTool({}, info), nullptr) << "not a tool";

    // An empty name in the settings, or none, means the bundle's own image.
    const auto bundleIcon = ZOZuzazOzarozTheme::imageNamedImage("CLFilterTool", "icon.png");
    ASSERT_NE(bundleIcon, nullptr);
    const auto fromEmpty = tool->imageForKeyDefaultImageName("arrowIconAssetsName", "icon.png");
    ASSERT_NE(fromEmpty, nullptr);
    EXPECT_EQ(fromEmpty->size(), bundleIcon->size());
    EXPECT_NE(tool->imageForKeyDefaultImageName("missingKey", "icon.png"), nullptr);
    EXPECT_EQ(tool->imageForKeyDefaultImageName("missingKey", "nothing.png"), nullptr);
    EXPECT_EQ(info->optionalInfo()->count("missingKey"), 0u) << "reading adds no setting";

    // A name replaces it with the application's own picture.
    (*info->optionalInfo())["arrowIconAssetsName"] = "ic_1text";
    const auto own = tool->imageForKeyDefaultImageName("arrowIconAssetsName", "icon.png");
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own->size(), bundleIcon->size());
    (*info->optionalInfo())["arrowIconAssetsName"] = "no-such-picture";
    EXPECT_EQ(tool->imageForKeyDefaultImageName("arrowIconAssetsName", "icon.png"), nullptr);
}

TEST(ViewToolInfoAttachment, StoresBothValuesUnderTheirKeys) {
    UIView view;
    EXPECT_EQ(UIViewCLImageToolInfo::toolInfo(view), nullptr);
    EXPECT_TRUE(UIViewCLImageToolInfo::userInfo(view).isNull());

    auto info = descriptor("CLTextTool");
    UIViewCLImageToolInfo::setToolInfo(view, info);
    auto payload = std::make_shared<std::string>("payload");
    UIViewCLImageToolInfo::setUserInfo(view, payload);
    EXPECT_EQ(view.associatedValue("UIView+CLImageToolInfo_toolInfo"), info);

    const std::weak_ptr<CLImageToolInfo> weakInfo = info;
    info.reset();
    EXPECT_FALSE(weakInfo.expired()) << "held strongly";
    EXPECT_EQ(UIViewCLImageToolInfo::userInfo(view).as<std::string>(), payload);

    UIViewCLImageToolInfo::setToolInfo(view, nullptr);
    UIViewCLImageToolInfo::setUserInfo(view, nullptr);
    EXPECT_TRUE(weakInfo.expired());
    EXPECT_TRUE(UIViewCLImageToolInfo::userInfo(view).isNull());
}

}  // namespace
