#pragma once

#include "platform/runtime/Runtime.h"

// The platform's start-up for a fuzz target: offscreen, made once before the first
// input and kept for the process's life.
inline void startFuzzRuntime(int* argc, char*** argv) {
    static Runtime* runtime = new Runtime(*argc, *argv);
    (void)runtime;
}
