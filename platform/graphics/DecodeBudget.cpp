#include "platform/graphics/DecodeBudget.h"

#include <algorithm>
#include <utility>

DecodeBudget::Reservation::~Reservation() {
    if (budget_ != nullptr) {
        budget_->release(bytes_);
    }
}

DecodeBudget::Reservation::Reservation(Reservation&& other) noexcept
    : budget_(std::exchange(other.budget_, nullptr)), bytes_(std::exchange(other.bytes_, 0)) {}

DecodeBudget::Reservation& DecodeBudget::Reservation::operator=(Reservation&& other) noexcept {
    if (this != &other) {
        if (budget_ != nullptr) {
            budget_->release(bytes_);
        }
        budget_ = std::exchange(other.budget_, nullptr);
        bytes_ = std::exchange(other.bytes_, 0);
    }
    return *this;
}

DecodeBudget& DecodeBudget::shared() {
    static DecodeBudget budget;
    return budget;
}

DecodeBudget::Reservation DecodeBudget::reserve(std::int64_t bytes) {
    bytes = std::max<std::int64_t>(bytes, 0);
    std::unique_lock lock(mutex_);
    if (bytes > capacity_) {
        return {};
    }
    // First come, first served: a large decode is not overtaken forever by small ones.
    const std::uint64_t ticket = nextTicket_++;
    changed_.wait(lock, [&] {
        return ticket == servedTicket_ && (reserved_ + bytes <= capacity_ || bytes > capacity_);
    });
    ++servedTicket_;
    if (bytes > capacity_) {  // the capacity shrank while it waited
        changed_.notify_all();
        return {};
    }
    reserved_ += bytes;
    peak_ = std::max(peak_, reserved_);
    changed_.notify_all();
    return Reservation(this, bytes);
}

void DecodeBudget::release(std::int64_t bytes) {
    {
        const std::lock_guard lock(mutex_);
        reserved_ -= bytes;
    }
    changed_.notify_all();
}

std::int64_t DecodeBudget::capacity() const {
    const std::lock_guard lock(mutex_);
    return capacity_;
}

void DecodeBudget::setCapacity(std::int64_t bytes) {
    {
        const std::lock_guard lock(mutex_);
        capacity_ = bytes;
    }
    changed_.notify_all();
}

std::int64_t DecodeBudget::reserved() const {
    const std::lock_guard lock(mutex_);
    return reserved_;
}

std::int64_t DecodeBudget::peakReserved() const {
    const std::lock_guard lock(mutex_);
    return peak_;
}

void DecodeBudget::resetPeak() {
    const std::lock_guard lock(mutex_);
    peak_ = reserved_;
}
