#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/geometry/CGRect.h"
#include "platform/graphics/UIImage.h"

// The picture operations every tool uses. Each takes its picture first, returns a new
// picture (null for a null or unusable input) and never changes its input.
//
// Results made "in a bitmap context" (grayScaleImage, resize, aspectFit, aspectFill,
// maskedImage, gaussBlur) have scale 1 and stand upright; decode, deepCopy and crop keep
// the source's scale. Every result is upright: orientations, mirrored ones included,
// are applied to the pixels.
class UIImageUtility {
public:
    // The picture with its pixels decoded and stood upright, at its scale.
    static UIImagePtr decode(const UIImagePtr& image);
    static UIImagePtr fastImageWithData(const std::vector<std::uint8_t>& data);
    static UIImagePtr fastImageWithContentsOfFile(const std::string& path);

    static UIImagePtr deepCopy(const UIImagePtr& image);
    // A grey picture of the point size (fractions dropped), colour drawn over black.
    static UIImagePtr grayScaleImage(const UIImagePtr& image);
    // The upright picture stretched to the size (fractions dropped), in pixels.
    static UIImagePtr resize(const UIImagePtr& image, CGSize size);
    // resize to the largest size with the picture's proportions inside the target.
    static UIImagePtr aspectFit(const UIImagePtr& image, CGSize size);
    // The target filled with the picture at its proportions, centred, the spare part cut
    // away; offset moves the cut along the axis that has spare picture.
    static UIImagePtr aspectFill(const UIImagePtr& image, CGSize size);
    static UIImagePtr aspectFillOffset(const UIImagePtr& image, CGSize size, double offset);
    // The rectangle (in points) of the upright picture; parts beyond it are transparent.
    static UIImagePtr crop(const UIImagePtr& image, const CGRect& rect);
    // Dark mask pixels keep the picture, light ones remove it; the mask is stretched to
    // the picture's pixel size.
    static UIImagePtr maskedImage(const UIImagePtr& image, const UIImagePtr& mask);
    // A separable Gaussian blur whose strength, from 0 to 1, is relative to the shorter
    // side; the result is opaque.
    static UIImagePtr gaussBlur(const UIImagePtr& image, double level);
};
