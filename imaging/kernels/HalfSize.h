#pragma once

#include <cstddef>
#include <cstdint>

// A picture at exactly half its size: each pixel the rounded mean of a 2 × 2 block, the
// very pixels the area resample gives for half the size, at a fraction of its work.
namespace halfsize {

// Output pixels 0 … count - 1 of a row from source rows upper and lower (2 · count
// pixels each); opaqueBits is ORed into every result.
void meanScalar(const std::uint32_t* upper, const std::uint32_t* lower, std::uint32_t* out,
                std::size_t count, std::uint32_t opaqueBits);
// The fastest path the current vector level runs.
void mean(const std::uint32_t* upper, const std::uint32_t* lower, std::uint32_t* out,
          std::size_t count, std::uint32_t opaqueBits);

}  // namespace halfsize
