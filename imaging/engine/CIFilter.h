#pragma once

#include <map>
#include <memory>
#include <string>

#include "imaging/engine/CIImage.h"
#include "platform/foundation/Value.h"

struct CIFilterDescriptor;
class CIFilter;
using CIFilterPtr = std::shared_ptr<CIFilter>;

// The key of every filter's input image.
inline const std::string kCIInputImageKey = "inputImage";

// One use of a named filter: its input image and input values. Values are checked as
// they are set: unknown keys and values of the wrong kind are ignored (the input keeps
// its value), numbers are brought into the input's valid range.
class CIFilter {
public:
    // Null for a name the engine does not know.
    static CIFilterPtr filterWithName(const std::string& name);
    // The filter with these inputs set (the image under kCIInputImageKey, as
    // CIImage::value or as a picture).
    static CIFilterPtr filterWithNameKeysAndValues(const std::string& name,
                                                   const ValueDictionary& keysAndValues);

    const std::string& name() const;
    // Every input back to its default; the input image stays.
    void setDefaults();
    void setValueForKey(const Value& value, const std::string& key);
    Value valueForKey(const std::string& key) const;

    // The filter applied to the input image with the values set now; later changes to
    // the filter do not change it. Null without an input image.
    CIImagePtr outputImage() const;

private:
    explicit CIFilter(const CIFilterDescriptor& descriptor);

    const CIFilterDescriptor& descriptor_;
    CIImagePtr inputImage_;
    std::map<std::string, Value> values_;
};
