#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

// One memory budget shared by every picture decode in the process. A decode reserves
// what it will allocate before it starts; one that does not fit beside the decodes
// running waits for them to finish, in the order the decodes asked, and one larger
// than the whole budget is refused. A folder of decompression bombs decoded for
// thumbnails, one per core, so takes at most the budget at a time. Safe from any thread.
class DecodeBudget {
public:
    // Holds a 48 MP progressive JPEG's decode (bitmap and coefficients) with room left.
    static constexpr std::int64_t kDefaultCapacity = 512LL * 1024 * 1024;

    // Bytes held until destroyed; nothing when the reservation was refused.
    class Reservation {
    public:
        Reservation() = default;
        ~Reservation();
        Reservation(Reservation&& other) noexcept;
        Reservation& operator=(Reservation&& other) noexcept;

        bool granted() const { return budget_ != nullptr; }
        std::int64_t bytes() const { return bytes_; }

    private:
        friend class DecodeBudget;
        Reservation(DecodeBudget* budget, std::int64_t bytes) : budget_(budget), bytes_(bytes) {}

        DecodeBudget* budget_ = nullptr;
        std::int64_t bytes_ = 0;
    };

    static DecodeBudget& shared();

    // Waits until bytes fit; refused at once when they never can.
    Reservation reserve(std::int64_t bytes);

    std::int64_t capacity() const;
    // Test seam: a small capacity lets small pictures play the bombs.
    void setCapacity(std::int64_t bytes);
    std::int64_t reserved() const;
    // The most ever reserved at once since the last reset.
    std::int64_t peakReserved() const;
    void resetPeak();

private:
    void release(std::int64_t bytes);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::int64_t capacity_ = kDefaultCapacity;
    std::int64_t reserved_ = 0;
    std::int64_t peak_ = 0;
    std::uint64_t nextTicket_ = 0;
    std::uint64_t servedTicket_ = 0;
};
