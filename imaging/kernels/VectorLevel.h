#pragma once

#include <cstdint>
#include <vector>

// The vector instructions the engine's fast paths may use: what this processor has, no
// more than a limit that tests lower to run the portable paths on any machine. Every
// level computes the same pixels. Levels are ordered by width; a processor has only its
// own architecture's.
enum class VectorLevel {
    Portable,  // the plain loops, one pixel at a time
    Neon,      // every ARM64 processor
    Sse4,
    Avx2,
    Avx512,  // with the BW, VNNI and VBMI extensions
};

namespace vectorlevel {

VectorLevel current();
// The best level this processor has, whatever the limit.
VectorLevel best();
// Every level this processor runs, Portable first.
std::vector<VectorLevel> available();
// The environment variable PHOTOEDITOR_VECTOR_LEVEL (a name below) sets the limit a
// program starts with.
void setLimit(VectorLevel limit);
VectorLevel limit();

const char* name(VectorLevel level);

// The Highway target the kernels run at the current level (0 at Portable: the plain
// loops).
std::int64_t highwayTarget();

// Runs the engine's fast paths no higher than a level while it lives: how tests and
// benchmarks reach every level on any machine.
class ScopedLimit {
public:
    explicit ScopedLimit(VectorLevel level) : previous_(limit()) { setLimit(level); }
    ~ScopedLimit() { setLimit(previous_); }
    ScopedLimit(const ScopedLimit&) = delete;
    ScopedLimit& operator=(const ScopedLimit&) = delete;

private:
    VectorLevel previous_;
};

}  // namespace vectorlevel
