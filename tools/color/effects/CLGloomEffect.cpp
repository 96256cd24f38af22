#include "tools/color/effects/CLGloomEffect.h"

#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIDeviceSystemVersion.h"

std::string CLGloomEffect::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLGloomEffect_DefaultTitle", "Gloom");
}

bool CLGloomEffect::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 6.0;
}

CLGloomEffect::CLGloomEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                             CLImageToolInfoPtr toolInfo)
    : CLGlowEffect(superview, imageViewFrame, std::move(toolInfo), "CIGloom") {}
