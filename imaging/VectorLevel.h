#pragma once

// The vector instructions the engine's fast paths may use: what this processor has, no
// more than a limit that tests lower to run the portable paths on any machine. Every
// level computes the same pixels.
enum class VectorLevel {
    Portable,  // scalar code, and SSE2 on x86-64, where every processor has it
    Avx2,
    Avx512,  // with the BW, VNNI and VBMI extensions
};

namespace vectorlevel {

VectorLevel current();
void setLimit(VectorLevel limit);

// Runs the engine's fast paths no higher than a level while it lives: how tests and
// benchmarks reach every level on any machine.
class ScopedLimit {
public:
    explicit ScopedLimit(VectorLevel level) { setLimit(level); }
    ~ScopedLimit() { setLimit(VectorLevel::Avx512); }
    ScopedLimit(const ScopedLimit&) = delete;
    ScopedLimit& operator=(const ScopedLimit&) = delete;
};

}  // namespace vectorlevel
