#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Memory for pixels. Small blocks come from the heap, 64-byte aligned. Large ones
// (a photo's bitmap) are mapped from the system in 2 MiB-aligned runs that may use
// huge pages: a 48 MB bitmap then costs a few page faults instead of twelve thousand,
// which otherwise dominate a filter pass over a 12 MP picture. Mapped memory is
// zero already, so asking for zeroed memory costs nothing there.
class PixelMemory {
public:
    struct Release {
        std::size_t mappedBytes = 0;  // 0: heap memory
        void operator()(std::uint8_t* memory) const;
    };
    using Pointer = std::unique_ptr<std::uint8_t[], Release>;

    // Null when the memory can't be had.
    static Pointer allocate(std::size_t bytes, bool zeroed);
};
