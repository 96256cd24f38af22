#include <gtest/gtest.h>

#include "platform/runtime/Runtime.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    Runtime runtime(argc, argv);
    return RUN_ALL_TESTS();
}
