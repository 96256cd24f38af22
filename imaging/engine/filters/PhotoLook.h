#pragma once

#include <string>
#include <vector>

#include "imaging/engine/CIFilterDescriptor.h"
#include "imaging/engine/ColorProgram.h"
#include "imaging/engine/MonotoneCurve.h"

// A point filter without inputs whose colour program is fixed: the photo looks and the
// sRGB tone curves.
inline CIFilterDescriptor fixedColorFilter(std::string name, std::string doc,
                                           ColorProgram program) {
    CIFilterDescriptor descriptor;
    descriptor.name = std::move(name);
    descriptor.doc = std::move(doc);
    descriptor.program = [program = std::move(program)](const CIFilterParameters&) {
        return program;
    };
    return descriptor;
}

// Per-channel curves through points given as (input, output) pairs on 0 … 1.
inline ColorProgram channelCurves(std::vector<CGPoint> red, std::vector<CGPoint> green,
                                  std::vector<CGPoint> blue) {
    return ColorProgram::curves(MonotoneCurve(std::move(red)), MonotoneCurve(std::move(green)),
                                MonotoneCurve(std::move(blue)));
}

inline ColorProgram sameCurve(std::vector<CGPoint> points) {
    return ColorProgram::curves(MonotoneCurve(std::move(points)));
}
