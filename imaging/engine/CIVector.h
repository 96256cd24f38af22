#pragma once

#include "platform/foundation/Vector.h"

// The filter engine's points and tone-curve points are the platform's short vectors.
using CIVector = Vector;
