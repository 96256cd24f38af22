#include "platform/ui/picker/ThumbnailCache.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

ThumbnailCache& ThumbnailCache::shared() {
    static ThumbnailCache cache;
    return cache;
}

std::optional<ThumbnailCache::Key> ThumbnailCache::keyFor(const std::string& path, int side) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) {
        return std::nullopt;
    }
    const fs::file_time_type modified = fs::last_write_time(path, error);
    if (error) {
        return std::nullopt;
    }
    return Key{path, size, static_cast<std::int64_t>(modified.time_since_epoch().count()), side};
}

UIImagePtr ThumbnailCache::find(const Key& key) {
    std::lock_guard lock(mutex_);
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& entry) { return entry.key == key; });
    if (found == entries_.end()) {
        return nullptr;
    }
    entries_.splice(entries_.begin(), entries_, found);
    return found->thumbnail;
}

void ThumbnailCache::store(const Key& key, UIImagePtr thumbnail) {
    if (!thumbnail || !thumbnail->CGImage()) {
        return;
    }
    const std::size_t bytes = thumbnail->CGImage()->byteCount();
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [&](const Entry& entry) {
        const bool same = entry.key.path == key.path && entry.key.side == key.side;
        bytes_ -= same ? entry.bytes : 0;
        return same;
    });
    entries_.push_front({key, std::move(thumbnail), bytes});
    bytes_ += bytes;
    while (bytes_ > kBudgetBytes && entries_.size() > 1) {
        bytes_ -= entries_.back().bytes;
        entries_.pop_back();
    }
}

void ThumbnailCache::clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
    bytes_ = 0;
}
