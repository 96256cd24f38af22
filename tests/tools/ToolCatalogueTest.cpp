#include <gtest/gtest.h>

#include "tools/ToolCatalogue.h"

TEST(ToolCatalogue, RegistersEveryClassOnceAndReportsEachRegisteredTwice) {
    ClassRegistry registry;
    EXPECT_EQ(ToolCatalogue::registerClasses(registry), std::vector<std::string>{});
    const std::size_t count = registry.classList().size();
    EXPECT_GT(count, 10u);
    EXPECT_EQ(ToolCatalogue::registerClasses(registry).size(), count);
}
