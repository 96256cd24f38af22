#include "imaging/operations/UIDeviceSystemVersion.h"

#include <cstdlib>
#include <mutex>

namespace {
std::mutex versionMutex;
std::string currentVersion = UIDeviceSystemVersion::kDefaultSystemVersion;
}  // namespace

std::string UIDeviceSystemVersion::systemVersion() {
    std::lock_guard lock(versionMutex);
    return currentVersion;
}

void UIDeviceSystemVersion::setSystemVersion(const std::string& version) {
    std::lock_guard lock(versionMutex);
    currentVersion = version;
}

double UIDeviceSystemVersion::iosVersion() {
    // strtof stops at the second dot, so "7.1.2" reads as 7.1.
    return static_cast<double>(std::strtof(systemVersion().c_str(), nullptr));
}
