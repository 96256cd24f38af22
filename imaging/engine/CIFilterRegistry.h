#pragma once

#include <string>
#include <vector>

struct CIFilterDescriptor;

// The filters the engine knows, in one explicit list (CIFilterRegistry.cpp).
class CIFilterRegistry {
public:
    // Null for an unknown name.
    static const CIFilterDescriptor* descriptorNamed(const std::string& name);
    static const std::vector<const CIFilterDescriptor*>& allDescriptors();
};
