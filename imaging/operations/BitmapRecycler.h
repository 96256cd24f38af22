#pragma once

#include <memory>

#include "platform/graphics/CGImage.h"

// Output bitmaps for renders. A large bitmap that nobody uses any more is kept (only
// the latest one) and handed to the next render of the same size: fresh memory of a
// photo's size costs the system thousands of cleared pages, often more than the filter
// itself. A request of another size lets the kept one go, so at most one bitmap waits.
class BitmapRecycler {
public:
    // A premultiplied bitmap whose every pixel the caller will write; null when the size
    // is not acceptable or memory is short.
    static std::shared_ptr<CGImage> create(int width, int height);

    // Lets the kept bitmap go, for when no render is coming soon (the editor has closed).
    static void releaseKept();
    // The bytes of the bitmap kept, 0 when none is.
    static std::size_t keptBytes();
};
