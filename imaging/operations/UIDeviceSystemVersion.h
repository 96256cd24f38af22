#pragma once

#include <string>

// The platform version the catalogues test against ("is this filter offered?").
// It is a setting of ours: by default a version at which every tool, filter and
// effect is offered; tests set older versions to see the catalogues shrink.
class UIDeviceSystemVersion {
public:
    static constexpr const char* kDefaultSystemVersion = "17.0";

    static std::string systemVersion();
    static void setSystemVersion(const std::string& version);

    // The version string read as a single-precision number, widened to double:
    // "7.1.2" gives the float nearest to 7.1, "10.0" gives 10.
    static double iosVersion();
};
