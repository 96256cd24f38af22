#include <gtest/gtest.h>

#include "imaging/operations/UIDeviceSystemVersion.h"

namespace {

TEST(UIDeviceSystemVersionTest, VersionReadsAsAFloatWidenedToDouble) {
    UIDeviceSystemVersion::setSystemVersion("8.4");
    EXPECT_EQ(UIDeviceSystemVersion::iosVersion(), 8.399999618530273);
    UIDeviceSystemVersion::setSystemVersion("7.1.2");
    EXPECT_EQ(UIDeviceSystemVersion::iosVersion(), static_cast<double>(7.1f));
    UIDeviceSystemVersion::setSystemVersion("10.0");
    EXPECT_EQ(UIDeviceSystemVersion::iosVersion(), 10.0);
    UIDeviceSystemVersion::setSystemVersion(UIDeviceSystemVersion::kDefaultSystemVersion);
    EXPECT_GE(UIDeviceSystemVersion::iosVersion(), 7.0);
}

}  // namespace
