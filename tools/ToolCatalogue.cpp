#include "tools/ToolCatalogue.h"

#include <cstdlib>
#include <iostream>
#include <mutex>

#include "core/CLClassRegistrar.h"
#include "core/ZOZuzazOzarozEditorClass.h"
#include "tools/blur/CLBlurTool.h"
#include "tools/color/CLAdjustmentTool.h"
#include "tools/color/CLDefaultEmptyFilter.h"
#include "tools/color/CLFilterBase.h"
#include "tools/color/CLFilterTool.h"
#include "tools/color/effects/CLBloomEffect.h"
#include "tools/color/effects/CLEffectBase.h"
#include "tools/color/effects/CLEffectTool.h"
#include "tools/color/effects/CLGloomEffect.h"
#include "tools/color/effects/CLHighlightShadowEffect.h"
#include "tools/color/effects/CLHueEffect.h"
#include "tools/color/effects/CLPixellateEffect.h"
#include "tools/color/effects/CLPosterizeEffect.h"
#include "tools/color/effects/CLSpotEffect.h"
#include "tools/geometry/CLClippingTool.h"
#include "tools/geometry/CLResizeTool.h"
#include "tools/geometry/CLRotateTool.h"
#include "tools/overlay/stickers/CLEmoticonTool.h"
#include "tools/overlay/stickers/CLStickerTool.h"
#include "tools/overlay/text/CLTextTool.h"
#include "tools/paint/CLDrawTool.h"
#include "tools/paint/CLSplashTool.h"
#include "tools/tonecurve/CLToneCurveTool.h"

namespace {

void addFilterCatalogue(CLClassRegistrar& registrar) {
    registrar.add(std::make_unique<CLFilterBase>(CLFilterBase::kClassName, ""));
    registrar.add(std::make_unique<CLDefaultEmptyFilter>(CLDefaultEmptyFilter::kClassName,
                                                         CLFilterBase::kClassName));
    for (const std::string& name : CLDefaultEmptyFilter::catalogueSubclassNames()) {
        registrar.add(
            std::make_unique<CLDefaultEmptyFilter>(name, CLDefaultEmptyFilter::kClassName));
    }
}

void addEffectCatalogue(CLClassRegistrar& registrar) {
    registrar.add<CLEffectBase, void, CLEffectFactory>();
    registrar.add<CLSpotEffect, CLEffectBase, CLEffectFactory>();
    registrar.add<CLHueEffect, CLEffectBase, CLEffectFactory>();
    registrar.add<CLHighlightShadowEffect, CLEffectBase, CLEffectFactory>();
    registrar.add<CLBloomEffect, CLEffectBase, CLEffectFactory>();
    registrar.add<CLGloomEffect, CLEffectBase, CLEffectFactory>();
    registrar.add<CLPosterizeEffect, CLEffectBase, CLEffectFactory>();
    registrar.add<CLPixellateEffect, CLEffectBase, CLEffectFactory>();
}

}  // namespace

std::vector<std::string> ToolCatalogue::registerClasses(ClassRegistry& registry) {
    CLClassRegistrar registrar(registry);
    registrar.add<CLImageToolBase, void>();
    registrar.add<CLFilterTool, CLImageToolBase>();
    registrar.add<CLAdjustmentTool, CLImageToolBase>();
    registrar.add<CLBlurTool, CLImageToolBase>();
    registrar.add<CLRotateTool, CLImageToolBase>();
    registrar.add<CLDrawTool, CLImageToolBase>();
    registrar.add<CLSplashTool, CLImageToolBase>();
    registrar.add<CLToneCurveTool, CLImageToolBase>();
    registrar.add<CLClippingTool, CLImageToolBase>();
    registrar.add<CLResizeTool, CLImageToolBase>();
    registrar.add<CLStickerTool, CLImageToolBase>();
    registrar.add<CLEmoticonTool, CLImageToolBase>();
    registrar.add<CLTextTool, CLImageToolBase>();
    addFilterCatalogue(registrar);
    registrar.add<CLEffectTool, CLImageToolBase>();
    addEffectCatalogue(registrar);
    registrar.add(std::make_unique<ZOZuzazOzarozEditorClass>(registry));
    return registrar.refused();
}

void ToolCatalogue::registerSharedClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        const std::vector<std::string> refused = registerClasses(ClassRegistry::shared());
        for (const std::string& name : refused) {
            std::cerr << "The class registry refused " << name
                      << ": its name is taken or its superclass is missing.\n";
        }
        if (!refused.empty()) {
            std::abort();
        }
    });
}
