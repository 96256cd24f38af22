#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "imaging/engine/CIRenderLog.h"

// The inputs of the one filter that the one render since CIRenderLog::startRecording
// used; recording stops.
inline std::map<std::string, Value> recordedInputs() {
    const std::vector<CIRenderRecord> renders = CIRenderLog::stopRecording();
    if (renders.size() != 1 || renders.front().filters.size() != 1) {
        ADD_FAILURE() << "expected one render of one filter, got " << renders.size();
        return {};
    }
    return renders.front().filters.front().inputs;
}
