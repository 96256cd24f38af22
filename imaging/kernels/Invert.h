#pragma once

#include <cstddef>
#include <cstdint>

// Each colour of a premultiplied pixel becomes its opposite: alpha minus the colour, which
// is 1 - value on the unpremultiplied colour; alpha stays. A colour above its alpha (no
// premultiplied pixel has one) gives 0, as the clamped unpremultiplied colour would.
namespace invert {

// opaqueBits is ORed into every pixel read (0xFF000000 reads RGB32 as opaque).
void applyScalar(const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                 std::uint32_t opaqueBits);
// The fastest path the current vector level runs.
void apply(const std::uint32_t* in, std::uint32_t* out, std::size_t count,
           std::uint32_t opaqueBits);

}  // namespace invert
