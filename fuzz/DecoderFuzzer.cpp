// The picture decoder, from bytes: any input gives a picture or nothing, never a crash,
// a hang or unbounded memory.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "fuzz/FuzzRuntime.h"
#include "platform/graphics/ImageDecoder.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    startFuzzRuntime(argc, argv);
    // Small budget, so inputs declaring large pictures are refused instead of spending a
    // second each on zeroed megapixels; the budget's own refusal is what they exercise.
    DecodeBudget::shared().setCapacity(64LL * 1024 * 1024);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const UIImagePtr picture = ImageDecoder::decodeData(bytes);
    if (picture && !picture->CGImage()) {
        std::abort();
    }
    // Thumbnails take the reduced JPEG path.
    ImageDecoder::decodeData(bytes, {16});
    return 0;
}
