// The metadata reader and writer, from a picture file's bytes: any input gives metadata
// or none, and what was read can be written into a JPEG and stripped of private data,
// never a crash, a hang or unbounded memory.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "fuzz/FuzzRuntime.h"
#include "platform/codecs/PictureMetadata.h"
#include "platform/graphics/ImageEncoder.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    startFuzzRuntime(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const PictureMetadata::Reading reading = PictureMetadata::read(std::span(data, size));
    if (reading.metadata) {
        static const UIImagePtr pixel =
            UIImage::imageWithCGImage(CGImage::create(2, 2, CGPixelFormat::RGB32));
        const UIImagePtr shared = pixel->imageWithMetadata(reading.metadata->withoutPrivateData());
        if (ImageEncoder::encodeJPEG(*shared, 0.5).empty()) {
            std::abort();
        }
    }
    return 0;
}
