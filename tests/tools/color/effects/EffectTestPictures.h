#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "imaging/CIRenderLog.h"
#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIImage.h"

// A photo-like picture of width × height pixels: smooth colour ramps, so every effect
// changes it.
inline UIImagePtr rampPicture(int width, int height, double scale = 1,
                              UIImageOrientation orientation = UIImageOrientation::Up) {
    auto bitmap = CGImage::create(width, height, CGPixelFormat::RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bitmap->mutableRow(y));
        for (int x = 0; x < width; ++x) {
            row[x] =
                0xFF000000u | (40 + x * 180 / width) << 16 | (30 + y * 200 / height) << 8 | 0x50;
        }
    }
    return UIImage::imageWithCGImage(bitmap, scale, orientation);
}

inline std::uint32_t pixelAt(const UIImage& image, int x, int y) {
    return reinterpret_cast<const std::uint32_t*>(image.CGImage()->row(y))[x];
}

// The inputs of the one filter the renders since startRecording used.
inline std::map<std::string, Value> recordedInputs() {
    const std::vector<CIRenderRecord> renders = CIRenderLog::stopRecording();
    if (renders.size() != 1 || renders.front().filters.size() != 1) {
        ADD_FAILURE() << "expected one render of one filter, got " << renders.size();
        return {};
    }
    return renders.front().filters.front().inputs;
}
