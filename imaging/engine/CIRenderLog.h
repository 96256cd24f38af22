#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/geometry/CGRect.h"

// A test seam: while recording, every render says which filters it ran, in the order
// they apply, with the values of their inputs, and the rectangle it rendered.
struct CIRenderedFilter {
    std::string name;
    std::map<std::string, Value> inputs;
};

struct CIRenderRecord {
    std::vector<CIRenderedFilter> filters;
    CGRect rect;
};

class CIRenderLog {
public:
    static void startRecording();
    // The renders since startRecording, oldest first; recording stops.
    static std::vector<CIRenderRecord> stopRecording();

    static bool isRecording();
    static void add(CIRenderRecord record);
};
