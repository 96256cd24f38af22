#include "tools/color/effects/CLBloomEffect.h"

#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIDeviceSystemVersion.h"

std::string CLBloomEffect::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLBloomEffect_DefaultTitle", "Bloom");
}

bool CLBloomEffect::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 6.0;
}

CLBloomEffect::CLBloomEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                             CLImageToolInfoPtr toolInfo)
    : CLGlowEffect(superview, imageViewFrame, std::move(toolInfo), "CIBloom") {}
