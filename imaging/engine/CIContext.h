#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "imaging/engine/CIImage.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/CGImage.h"

// Accepted for the callers' sake; every render runs on the processor's cores.
inline const std::string kCIContextUseSoftwareRenderer = "kCIContextUseSoftwareRenderer";

class CIContext;
using CIContextPtr = std::shared_ptr<CIContext>;

// Renders CIImages into bitmaps, over the worker pool. A context holds no state
// between renders, so one may render on several threads at once.
class CIContext {
public:
    static CIContextPtr contextWithOptions(const ValueDictionary& options = {});

    // The image's pixels over the rectangle (engine coordinates, y up; made integral),
    // premultiplied; transparent where the image does not reach. Null for a null image,
    // an empty rectangle or when memory is short.
    CGImageRef createCGImage(const CIImagePtr& image, const CGRect& fromRect) const;

    // The picture the named filter makes of image with its defaults, then inputs, set,
    // rendered over the output's whole extent. Null for an unknown filter, a null image,
    // or when memory is short.
    UIImagePtr filteredImage(const std::string& filterName, const UIImagePtr& image,
                             const ValueDictionary& inputs = {}) const;
    // The same for a chain of filters, each taking the one before's output, rendered
    // once at the end: a run of point filters becomes one pass.
    using FilterChain = std::vector<std::pair<std::string, ValueDictionary>>;
    UIImagePtr filteredImage(const UIImagePtr& image, const FilterChain& chain) const;
};
