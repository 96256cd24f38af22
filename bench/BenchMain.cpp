#include <benchmark/benchmark.h>

#include "platform/runtime/Runtime.h"

int main(int argc, char** argv) {
    Runtime runtime(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
