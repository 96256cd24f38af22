#include "platform/codecs/SrgbConversion.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <string>

#include "platform/codecs/LcmsHandles.h"
#include "platform/dispatch/DispatchQueue.h"

namespace {

constexpr std::size_t kCachedConversions = 8;
constexpr int kRowsPerBand = 64;

struct CachedConversion {
    ProfileConversion::Input input;
    std::string profile;
    std::shared_ptr<const ProfileConversion> conversion;  // null: the profile is unusable
};

struct Cache {
    std::mutex mutex;
    std::deque<CachedConversion> entries;  // most recently made first
    std::atomic<int> made{0};
};

Cache& cache() {
    static Cache shared;
    return shared;
}

}  // namespace

std::shared_ptr<const ProfileConversion> SrgbConversion::conversionFor(
    std::span<const std::uint8_t> iccProfile, ProfileConversion::Input input) {
    const std::string key(iccProfile.begin(), iccProfile.end());
    Cache& shared = cache();
    {
        const std::lock_guard lock(shared.mutex);
        for (const CachedConversion& entry : shared.entries) {
            if (entry.input == input && entry.profile == key) {
                return entry.conversion;
            }
        }
    }
    // Made outside the lock: two threads may both make one, and both are right.
    std::shared_ptr<const ProfileConversion> made = ProfileConversion::make(iccProfile, input);
    ++shared.made;
    const std::lock_guard lock(shared.mutex);
    shared.entries.push_front({input, key, made});
    if (shared.entries.size() > kCachedConversions) {
        shared.entries.pop_back();
    }
    return made;
}

bool SrgbConversion::convertBitmap(CGImage& bitmap, std::span<const std::uint8_t> iccProfile,
                                   bool grey) {
    using Input = ProfileConversion::Input;
    if (iccProfile.empty() || bitmap.format() == CGPixelFormat::Grey8) {
        return false;
    }
    const Input input = grey ? Input::Grey
                        : bitmap.format() == CGPixelFormat::ARGB32Premultiplied
                            ? Input::RgbPremultiplied
                            : Input::Rgb;
    const std::shared_ptr<const ProfileConversion> conversion = conversionFor(iccProfile, input);
    if (!conversion) {
        return false;
    }
    if (!conversion->isIdentity()) {
        const auto width = static_cast<std::size_t>(bitmap.width());
        forEachRow(bitmap.height(), [&](int row) {
            conversion->convertRow(bitmap.mutableRow(row), bitmap.mutableRow(row), width);
        });
    }
    return true;
}

void SrgbConversion::forEachRow(int height, const std::function<void(int row)>& convert) {
    const std::size_t bands = static_cast<std::size_t>((height + kRowsPerBand - 1) / kRowsPerBand);
    dispatchApply(bands, [&](std::size_t band) {
        const int first = static_cast<int>(band) * kRowsPerBand;
        for (int row = first; row < std::min(height, first + kRowsPerBand); ++row) {
            convert(row);
        }
    });
}

const std::vector<std::uint8_t>& SrgbConversion::srgbProfile() {
    static const std::vector<std::uint8_t> bytes = iccBytesOf(LcmsProfile{cmsCreate_sRGBProfile()});
    return bytes;
}

int SrgbConversion::conversionsMade() {
    return cache().made.load();
}
