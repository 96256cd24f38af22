#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "imaging/engine/CIFilterInput.h"
#include "imaging/engine/CIFilterParameters.h"
#include "imaging/engine/CIPixels.h"
#include "imaging/engine/ColorProgram.h"
#include "platform/geometry/CGRect.h"
#include "platform/graphics/CGImage.h"

// Everything the engine knows about one named filter. A point filter gives a colour
// program (and keeps its input's extent); any other filter renders its output itself
// and says which extent that output covers.
struct CIFilterDescriptor {
    using ProgramFunction = std::function<ColorProgram(const CIFilterParameters&)>;
    using ExtentFunction = std::function<CGRect(const CGRect&, const CIFilterParameters&)>;
    using RenderFunction = std::function<std::shared_ptr<CGImage>(
        const CIPixels&, const CGRect& outputExtent, const CIFilterParameters&)>;

    std::string name;
    std::string doc;
    std::vector<CIFilterInput> inputs;
    ProgramFunction program;  // point filters
    ExtentFunction extent;    // the others; absent means the input's extent
    RenderFunction render;

    bool isPointFilter() const { return static_cast<bool>(program); }
};
