#pragma once

#include <vector>

#include "imaging/engine/CIFilterDescriptor.h"
#include "imaging/engine/CIImage.h"
#include "imaging/engine/CIRenderLog.h"

// Turns a CIImage recipe into pixels. A run of point filters becomes one colour
// program applied in one pass; any other filter renders from its input's pixels, which
// are let go as soon as its output exists, so a render holds at most its input, its
// output and the scratch picture of one filter.
class CIRenderer {
public:
    // Null pixels when memory is short.
    CIPixels render(const CIImage& image);

    // The filters render ran, in the order they apply.
    const std::vector<CIRenderedFilter>& filtersUsed() const { return used_; }

private:
    CIPixels renderPointRun(const CIImage& image);
    void note(const CIImage::Application& application);

    std::vector<CIRenderedFilter> used_;
};
