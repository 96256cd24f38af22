#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/foundation/NSBundle.h"

// The application's resources as the build lays them out, with the generated resource
// bundle and its string tables; tests point the main bundle at them in English.
inline const std::string kAppResources = PHOTOEDITOR_APP_RESOURCES;
inline const std::string kResourceBundle = kAppResources + "/ZOZuzazOzaroz.bundle";

class AppResourcesTest : public testing::Test {
protected:
    void SetUp() override {
        NSBundle::setMainBundlePath(kAppResources);
        NSBundle::setPreferredLanguage("en");
    }
    void TearDown() override {
        NSBundle::setMainBundlePath("");
        NSBundle::setPreferredLanguage("");
    }
};
