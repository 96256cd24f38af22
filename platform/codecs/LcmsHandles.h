#pragma once

#include <lcms2.h>

#include <cstdint>
#include <vector>

// Little CMS's profiles and transforms, closed when they go out of scope.
struct LcmsProfile {
    cmsHPROFILE handle;
    ~LcmsProfile() {
        if (handle != nullptr) {
            cmsCloseProfile(handle);
        }
    }
};

struct LcmsTransform {
    cmsHTRANSFORM handle;
    ~LcmsTransform() {
        if (handle != nullptr) {
            cmsDeleteTransform(handle);
        }
    }
};

// The profile as ICC bytes; empty when there is none or it can't be written.
inline std::vector<std::uint8_t> iccBytesOf(const LcmsProfile& profile) {
    std::vector<std::uint8_t> bytes;
    cmsUInt32Number size = 0;
    if (profile.handle != nullptr && cmsSaveProfileToMem(profile.handle, nullptr, &size) &&
        size > 0) {
        bytes.resize(size);
        if (!cmsSaveProfileToMem(profile.handle, bytes.data(), &size)) {
            bytes.clear();
        }
    }
    return bytes;
}
