#pragma once

#include <gtest/gtest.h>

#include "imaging/kernels/VectorLevel.h"

// Runs a check at every vector level this processor has, each named in a failure.
template <typename Check>
void atEveryVectorLevel(const Check& check) {
    for (VectorLevel level : vectorlevel::available()) {
        const vectorlevel::ScopedLimit limit(level);
        SCOPED_TRACE(vectorlevel::name(level));
        check();
    }
}
