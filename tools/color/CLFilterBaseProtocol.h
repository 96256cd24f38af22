#pragma once

#include "platform/graphics/UIImage.h"

// What a filter class offers besides the tool protocol: one picture in, one out. A
// registry class conforms when it derives from this (dynamic_cast tells).
class CLFilterBaseProtocol {
public:
    virtual ~CLFilterBaseProtocol() = default;

    // A new picture, or the given one when the filter leaves it as it is; null when the
    // engine can't render it. Never changes the given picture; safe from any thread.
    virtual UIImagePtr applyFilter(const UIImagePtr& image) const = 0;
};
