#include "imaging/engine/CIFilter.h"

#include <algorithm>
#include <cmath>

#include "imaging/engine/CIFilterDescriptor.h"
#include "imaging/engine/CIFilterRegistry.h"

namespace {

bool fitsKind(const Value& value, CIFilterInput::Kind kind) {
    switch (kind) {
        case CIFilterInput::Kind::Number:
            return (value.type() == Value::Type::Number || value.type() == Value::Type::Integer ||
                    value.type() == Value::Type::Boolean) &&
                   std::isfinite(value.doubleValue());
        case CIFilterInput::Kind::Vector:
            return value.type() == Value::Type::Vector;
        case CIFilterInput::Kind::Transform:
            return value.type() == Value::Type::Transform;
    }
    return false;
}

}  // namespace

CIFilter::CIFilter(const CIFilterDescriptor& descriptor) : descriptor_(descriptor) {
    setDefaults();
}

CIFilterPtr CIFilter::filterWithName(const std::string& name) {
    const CIFilterDescriptor* descriptor = CIFilterRegistry::descriptorNamed(name);
    return descriptor ? CIFilterPtr(new CIFilter(*descriptor)) : nullptr;
}

CIFilterPtr CIFilter::filterWithNameKeysAndValues(const std::string& name,
                                                  const ValueDictionary& keysAndValues) {
    CIFilterPtr filter = filterWithName(name);
    if (filter) {
        for (const auto& [key, value] : keysAndValues) {
            filter->setValueForKey(value, key);
        }
    }
    return filter;
}

const std::string& CIFilter::name() const {
    return descriptor_.name;
}

void CIFilter::setDefaults() {
    for (const CIFilterInput& input : descriptor_.inputs) {
        values_[input.key] = input.defaultValue;
    }
}

void CIFilter::setValueForKey(const Value& value, const std::string& key) {
    if (key == kCIInputImageKey) {
        inputImage_ = CIImage::fromValue(value);
        return;
    }
    const auto input = std::find_if(descriptor_.inputs.begin(), descriptor_.inputs.end(),
                                    [&](const CIFilterInput& i) { return i.key == key; });
    if (input == descriptor_.inputs.end() || !fitsKind(value, input->kind)) {
        return;
    }
    values_[key] = input->kind == CIFilterInput::Kind::Number
                       ? Value(std::clamp(value.doubleValue(), input->minimum, input->maximum))
                       : value;
}

Value CIFilter::valueForKey(const std::string& key) const {
    if (key == kCIInputImageKey) {
        return CIImage::value(inputImage_);
    }
    const auto found = values_.find(key);
    return found == values_.end() ? Value() : found->second;
}

CIImagePtr CIFilter::outputImage() const {
    if (!inputImage_) {
        return nullptr;
    }
    CIFilterParameters parameters(values_);
    const CGRect inputExtent = inputImage_->extent();
    const CGRect extent =
        descriptor_.extent ? descriptor_.extent(inputExtent, parameters) : inputExtent;
    return CIImage::createApplying({&descriptor_, std::move(parameters), inputImage_}, extent);
}
