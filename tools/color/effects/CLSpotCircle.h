#pragma once

#include "core/CLFadingIndicator.h"

// The outline of the spot over the picture.
class CLSpotCircle : public CLFadingIndicator {
public:
    using CLFadingIndicator::CLFadingIndicator;
    void drawRect(CGContext& context, const CGRect& rect) override;
};
