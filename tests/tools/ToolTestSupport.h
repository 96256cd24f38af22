#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/CLImageToolInfo.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIImage.h"
#include "tools/ToolCatalogue.h"

// A photo-like picture of width × height pixels: smooth colour ramps, so every filter
// and effect changes it.
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

inline std::uint32_t pixelAt(const UIImagePtr& image, int x, int y) {
    return reinterpret_cast<const std::uint32_t*>(image->CGImage()->row(y))[x];
}

// The whole catalogue in a registry of its own.
inline ClassRegistry& catalogue() {
    static ClassRegistry* registry = [] {
        auto* classes = new ClassRegistry();
        ToolCatalogue::registerClasses(*classes);
        return classes;
    }();
    return *registry;
}

// The titles a strip of the classes below rootClassName shows at a system version, in
// strip order.
inline std::vector<std::string> offeredTitles(const std::string& rootClassName,
                                              const std::string& version) {
    UIDeviceSystemVersion::setSystemVersion(version);
    CLImageToolInfo strip;
    strip.setSubtools(
        CLImageToolInfo::toolsWithToolClass(catalogue().classNamed(rootClassName), catalogue()));
    std::vector<std::string> titles;
    for (const CLImageToolInfoPtr& info : strip.sortedSubtools()) {
        if (info->available()) {
            titles.push_back(info->title().value_or("?"));
        }
    }
    UIDeviceSystemVersion::setSystemVersion(UIDeviceSystemVersion::kDefaultSystemVersion);
    return titles;
}
