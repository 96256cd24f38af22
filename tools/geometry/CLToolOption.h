#pragma once

#include <string>

#include "core/CLImageToolBase.h"
#include "platform/foundation/Value.h"

// The setting under key in the tool's descriptor's optionalInfo; null when the
// descriptor, its options or the key are missing.
Value toolOption(const CLImageToolBase& tool, const std::string& key);
