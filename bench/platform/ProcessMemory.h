#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench/platform/PhotoLikePicture.h"

// A field of /proc/self/status in kilobytes ("VmHWM:", "VmRSS:"); -1 when missing.
inline long kilobytesOf(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::strtol(line.c_str() + std::string(field).size(), nullptr, 10);
        }
    }
    return -1;
}

// A photo-like JPEG of that size at path, for a run measured in a fresh process;
// answers the exit status.
inline int writePhotoLikeJpeg(const char* path, int width, int height, double quality) {
    const std::vector<std::uint8_t> jpeg =
        UIImageJPEGRepresentation(*makePhotoLikePicture(width, height), quality);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(jpeg.data()),
               static_cast<std::streamsize>(jpeg.size()));
    return jpeg.empty() ? 1 : 0;
}
