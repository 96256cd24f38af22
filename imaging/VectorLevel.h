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

}  // namespace vectorlevel
