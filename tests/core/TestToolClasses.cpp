#include "tests/core/TestToolClasses.h"

#include "core/ZOZuzazOzarozEditorClass.h"
#include "core/_ZOZuzazOzarozViewController.h"
#include "platform/graphics/UIGraphics.h"

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
    add<AvailableTool>(*classes, "CLRotateTool", "CLImageToolBase");
    add<HiddenTool>(*classes, "HiddenTool", "CLImageToolBase");
    add<HiddenChildTool>(*classes, "HiddenChildTool", "HiddenTool");
    add<SevenTool>(*classes, "StickerLikeTool", "CLImageToolBase");
    add<SevenTool>(*classes, "EmoticonLikeTool", "CLImageToolBase");
    add<AvailableTool>(*classes, "UnlistedTool", "CLImageToolBase");
    classes->registerClass(std::make_unique<RuntimeClass>("PlainClass", "CLImageToolBase"));
    add<EffectLike>(*classes, "EffectLikeBase", "");
    add<EffectLike>(*classes, "EffectLikeChild", "EffectLikeBase");
    add<EditorRoot>(*classes, CLImageToolInfo::kEditorClassName, "");
    return classes;
}

ClassRegistry* makeEditorRegistry() {
    auto* classes = new ClassRegistry();
    add<CLImageToolBase>(*classes, "CLImageToolBase", "");
    add<PictureTool>(*classes, "PictureTool", "CLImageToolBase");
    add<ErrorTool>(*classes, "ErrorTool", "CLImageToolBase");
    add<SilentTool>(*classes, "SilentTool", "CLImageToolBase");
    add<BackgroundTool>(*classes, "BackgroundTool", "CLImageToolBase");
    add<PreviewTool>(*classes, "PreviewTool", "CLImageToolBase");
    for (const char* name :
         {"CLFilterTool", "CLAdjustmentTool", "CLEffectTool", "CLBlurTool", "CLRotateTool",
          "CLClippingTool", "CLDrawTool", "CLSplashTool", "CLResizeTool"}) {
        add<LoggingTool>(*classes, name, "CLImageToolBase");
    }
    classes->registerClass(std::make_unique<ZOZuzazOzarozEditorClass>(*classes));
    return classes;
}

}  // namespace

ClassRegistry& editorRegistry() {
    static ClassRegistry* classes = makeEditorRegistry();
    return *classes;
}

std::vector<std::string>& toolLog() {
    static std::vector<std::string> log;
    return log;
}

UIImagePtr solidPicture(CGSize size, const UIColor& color) {
    UIGraphicsBeginImageContextWithOptions(size, true, 1);
    const auto context = UIGraphicsGetCurrentContext();
    context->setFillColor(color);
    context->fillRect({{0, 0}, size});
    auto picture = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return picture;
}

const UIImagePtr& toolResult() {
    static const UIImagePtr picture = solidPicture({60, 30}, UIColor::redColor());
    return picture;
}

const UIImagePtr& toolPreview() {
    static const UIImagePtr picture = solidPicture({30, 60}, UIColor::blueColor());
    return picture;
}

void PictureTool::setup() {
    LoggingTool::setup();
    editor()->fixZoomScaleWithAnimated(false);
}

void PictureTool::cleanup() {
    LoggingTool::cleanup();
    editor()->resetZoomScaleWithAnimated(true);
}

void PreviewTool::setup() {
    LoggingTool::setup();
    editor()->imageView()->setImage(toolPreview());
}

ClassRegistry& registry() {
    static ClassRegistry* classes = makeRegistry();
    return *classes;
}

int& hiddenSubtoolsAsked() {
    static int count = 0;
    return count;
}

}  // namespace testtools
