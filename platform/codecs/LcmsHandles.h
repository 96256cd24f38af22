#pragma once

#include <lcms2.h>

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
