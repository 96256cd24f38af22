#include "tests/core/TestToolClasses.h"

namespace testtools {

namespace {

template <typename Tool>
void add(ClassRegistry& classes, const std::string& name, const std::string& superclass) {
    classes.registerClass(std::make_unique<CLImageToolClassOf<Tool>>(name, superclass));
}

ClassRegistry* makeRegistry() {
    auto* classes = new ClassRegistry();
    add<CLImageToolBase>(*classes, "CLImageToolBase", "");
    add<FilterTool>(*classes, "CLFilterTool", "CLImageToolBase");
    add<RotateTool>(*classes, "CLRotateTool", "CLImageToolBase");
    add<HiddenTool>(*classes, "HiddenTool", "CLImageToolBase");
    add<HiddenChildTool>(*classes, "HiddenChildTool", "HiddenTool");
    add<SevenTool>(*classes, "StickerLikeTool", "CLImageToolBase");
    add<SevenTool>(*classes, "EmoticonLikeTool", "CLImageToolBase");
    add<UnlistedTool>(*classes, "UnlistedTool", "CLImageToolBase");
    classes->registerClass(std::make_unique<RuntimeClass>("PlainClass", "CLImageToolBase"));
    add<EffectLike>(*classes, "EffectLikeBase", "");
    add<EffectLike>(*classes, "EffectLikeChild", "EffectLikeBase");
    add<EditorRoot>(*classes, CLImageToolInfo::kEditorClassName, "");
    return classes;
}

}  // namespace

ClassRegistry& registry() {
    static ClassRegistry* classes = makeRegistry();
    return *classes;
}

int& hiddenSubtoolsAsked() {
    static int count = 0;
    return count;
}

}  // namespace testtools
