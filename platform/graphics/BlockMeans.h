#pragma once

#include "platform/graphics/CGImage.h"

// The bitmap shrunk by a whole factor: each pixel the rounded mean of a factor × factor
// block of the source's bytes (premultiplied pixels average correctly as they are), the
// blocks at the right and bottom edges cut to the source. A box filter: fine detail
// turns into its mean instead of the aliasing of point sampling. Rows are split over the
// global pool. Null when factor < 1 or memory runs out.
CGImageRef shrinkByBlockMeans(const CGImage& source, int factor);
