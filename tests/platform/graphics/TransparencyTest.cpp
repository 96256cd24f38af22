#include <gtest/gtest.h>

#include <cstring>

#include "platform/graphics/Transparency.h"

namespace {

// Any one pixel less than opaque counts, wherever it falls in the row's words.
TEST(TransparencyTest, OnePixelLessThanOpaqueAnywhereMakesAPictureTransparent) {
    for (const int width : {1, 2, 7, 8, 9, 33}) {
        const auto bitmap = CGImage::create(width, 3, CGPixelFormat::ARGB32Premultiplied);
        std::memset(bitmap->mutableData(), 0xFF, bitmap->byteCount());
        EXPECT_FALSE(Transparency::hasTransparentPixels(*bitmap)) << width;
        for (int x = 0; x < width; ++x) {
            bitmap->mutableRow(2)[4 * x + 3] = 0xFE;
            EXPECT_TRUE(Transparency::hasTransparentPixels(*bitmap)) << width << " at " << x;
            bitmap->mutableRow(2)[4 * x + 3] = 0xFF;
        }
        // Only the alpha byte counts.
        bitmap->mutableRow(1)[0] = 0;
        EXPECT_FALSE(Transparency::hasTransparentPixels(*bitmap)) << width;
    }
    const auto opaqueKind = CGImage::create(4, 4, CGPixelFormat::RGB32);
    std::memset(opaqueKind->mutableData(), 0, opaqueKind->byteCount());
    EXPECT_FALSE(Transparency::hasTransparentPixels(*opaqueKind));
}

}  // namespace
