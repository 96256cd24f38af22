#include "imaging/operations/BitmapRecycler.h"

#include <mutex>

namespace {

// Smaller bitmaps come cheaply from the heap.
constexpr std::size_t kWorthKeeping = 4 * 1024 * 1024;

struct Spare {
    std::mutex mutex;
    std::shared_ptr<CGImage> bitmap;
};

// Never destroyed: a bitmap may come back while the program shuts down.
Spare& spare() {
    static auto* const instance = new Spare;
    return *instance;
}

}  // namespace

std::shared_ptr<CGImage> BitmapRecycler::create(int width, int height) {
    std::shared_ptr<CGImage> bitmap;
    {
        Spare& kept = spare();
        const std::lock_guard<std::mutex> lock(kept.mutex);
        if (kept.bitmap && kept.bitmap->width() == width && kept.bitmap->height() == height) {
            bitmap = std::move(kept.bitmap);
        }
        kept.bitmap.reset();
    }
    if (!bitmap) {
        bitmap = CGImage::create(width, height, CGPixelFormat::ARGB32Premultiplied,
                                 CGImage::Contents::Uninitialized);
    }
    if (!bitmap || bitmap->byteCount() < kWorthKeeping) {
        return bitmap;
    }
    CGImage* const pixels = bitmap.get();
    // When the last user lets go, the bitmap waits for the next render instead.
    return std::shared_ptr<CGImage>(pixels, [owner = std::move(bitmap)](CGImage*) mutable {
        Spare& kept = spare();
        const std::lock_guard<std::mutex> lock(kept.mutex);
        kept.bitmap = std::move(owner);
    });
}

void BitmapRecycler::releaseKept() {
    std::shared_ptr<CGImage> released;
    Spare& kept = spare();
    const std::lock_guard<std::mutex> lock(kept.mutex);
    // Freed after the lock is let go: giving back a photo's pages takes a while.
    released.swap(kept.bitmap);
}

std::size_t BitmapRecycler::keptBytes() {
    Spare& kept = spare();
    const std::lock_guard<std::mutex> lock(kept.mutex);
    return kept.bitmap ? kept.bitmap->byteCount() : 0;
}
