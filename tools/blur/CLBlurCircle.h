#pragma once

#include "core/CLFadingIndicator.h"

// The circle mode's indicator: a ring of 30 % of its square frame around its centre,
// the sharp zone's middle. Its frame is in the picture's on-screen coordinates.
class CLBlurCircle : public CLFadingIndicator {
public:
    using CLFadingIndicator::CLFadingIndicator;
    void drawRect(CGContext& context, const CGRect& rect) override;
};
