#pragma once

#include "platform/graphics/CGImage.h"

// A copy of image (ARGB32Premultiplied) with mask applied as alpha: where the mask is
// dark the image stays, where it is light the image is removed, in between it fades
// (alpha = 1 − the mask's grey level, times the image's own alpha). The mask may be
// any format and size: it is read as grey (transparency laid over black) and stretched
// smoothly over the image. Null when either is null.
CGImageRef CGImageCreateWithMask(const CGImageRef& image, const CGImageRef& mask);
