#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/geometry/CGSize.h"
#include "platform/graphics/UIImage.h"

// Pictures drawn from SVG documents (the static subset: shapes, paths, gradients,
// transforms). The document's view box is stretched over the whole picture, which is
// transparent where the document draws nothing.
class SVGImage {
public:
    // A picture of pointSize points at scale pixels per point (the bitmap has
    // pointSize × scale pixels, rounded up). Null for a document that does not parse,
    // an empty or oversized size, or a scale that is not positive.
    static UIImagePtr render(const std::vector<std::uint8_t>& document, CGSize pointSize,
                             double scale);
    // The document read from a file; null when it can't be read.
    static UIImagePtr renderFile(const std::string& path, CGSize pointSize, double scale);
};
