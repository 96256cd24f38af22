#include "imaging/engine/MonotoneCurve.h"
#include "imaging/engine/filters/BuiltInFilters.h"

CIFilterDescriptor toneCurveFilter() {
    CIFilterDescriptor descriptor;
    descriptor.name = "CIToneCurve";
    descriptor.doc = "Maps every colour channel through a smooth curve through five points.";
    const char* keys[] = {"inputPoint0", "inputPoint1", "inputPoint2", "inputPoint3",
                          "inputPoint4"};
    for (int i = 0; i < 5; ++i) {
        descriptor.inputs.push_back({keys[i], CIFilterInput::Kind::Vector,
                                     CIVector::withX(i / 4.0, i / 4.0), 0, 0,
                                     "A point (input, output) of the curve, each 0 to 1."});
    }
    descriptor.program = [keys](const CIFilterParameters& p) {
        std::vector<CGPoint> points;
        for (const char* key : keys) {
            const CIVector v = p.vector(key);
            points.push_back({v.x(), v.y()});
        }
        return ColorProgram::curves(MonotoneCurve(std::move(points)));
    };
    return descriptor;
}
