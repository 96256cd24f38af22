#pragma once

#include "tools/color/effects/CLGlowEffect.h"

// Dulled highlights: the picture multiplied by its blurred colours.
class CLGloomEffect : public CLGlowEffect {
public:
    static constexpr const char* kClassName = "CLGloomEffect";

    static std::string defaultTitle();
    static bool isAvailable();

    CLGloomEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                  CLImageToolInfoPtr toolInfo);
};
