#pragma once

#include <cstdint>
#include <list>
#include <mutex>
#include <optional>
#include <string>

#include "platform/graphics/UIImage.h"

// Thumbnails already made, so a picker opened again shows them without decoding a
// file. A thumbnail is known by its file's path, size and modification time, and its
// own side in pixels: a file changed since is decoded again. The least recently used
// go once the cache holds more than kBudgetBytes. Safe from any thread.
class ThumbnailCache {
public:
    // About 250 thumbnails of a phone's grid.
    static constexpr std::size_t kBudgetBytes = 32u << 20;

    struct Key {
        std::string path;
        std::uintmax_t fileSize = 0;
        std::int64_t modified = 0;
        int side = 0;
        bool operator==(const Key&) const = default;
    };

    static ThumbnailCache& shared();

    // The key of the file as it is now; none when it can't be looked at.
    static std::optional<Key> keyFor(const std::string& path, int side);

    UIImagePtr find(const Key& key);
    void store(const Key& key, UIImagePtr thumbnail);
    void clear();

private:
    struct Entry {
        Key key;
        UIImagePtr thumbnail;
        std::size_t bytes;
    };

    std::mutex mutex_;
    // Most recently used first.
    std::list<Entry> entries_;
    std::size_t bytes_ = 0;
};
