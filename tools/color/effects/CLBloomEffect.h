#pragma once

#include "tools/color/effects/CLGlowEffect.h"

// A soft glow: the blurred picture screened over it, which brightens.
class CLBloomEffect : public CLGlowEffect {
public:
    static constexpr const char* kClassName = "CLBloomEffect";

    static std::string defaultTitle();
    static bool isAvailable();

    CLBloomEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                  CLImageToolInfoPtr toolInfo);
};
