#include "platform/ui/picker/PhotoLibrary.h"

#include <QtCore/QStandardPaths>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>

#include "platform/graphics/ImageDecoder.h"
#include "platform/graphics/ImageEncoder.h"
#include "platform/graphics/Transparency.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/ui/picker/AtomicFileWriter.h"
#include "platform/ui/picker/ThumbnailCache.h"
#include "platform/ui/screens/UILocalizedString.h"

namespace fs = std::filesystem;

namespace {

std::string lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// What the decoder opens. Other files in a pictures folder (a licence, notes) are not
// the user's pictures and are not counted as ones that couldn't be opened.
bool hasPictureExtension(const fs::path& path) {
    static const std::set<std::string> kExtensions = {".jpg", ".jpeg", ".png",  ".webp", ".gif",
                                                      ".bmp", ".heic", ".heif", ".avif"};
    return kExtensions.contains(lowercase(path.extension().string()));
}

struct Folders {
    std::mutex mutex;
    std::string library = PhotoLibrary::defaultLibraryPath();
    std::string fallback;
};

Folders& folders() {
    static Folders shared;
    return shared;
}

// "IMG_20261207_153000.jpg", then "IMG_20261207_153000_2.jpg", … for later tries.
std::string candidateName(const std::string& stamp, int attempt, const std::string& extension) {
    return "IMG_" + stamp + (attempt > 1 ? "_" + std::to_string(attempt) : "") + extension;
}

std::string timeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d_%H%M%S", &local);
    return text;
}

}  // namespace

std::string PhotoLibrary::defaultLibraryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation).toStdString();
}

std::string PhotoLibrary::libraryPath() {
    const std::lock_guard lock(folders().mutex);
    return folders().library;
}

void PhotoLibrary::setLibraryPath(const std::string& path) {
    const std::lock_guard lock(folders().mutex);
    folders().library = path;
}

std::string PhotoLibrary::fallbackPath() {
    const std::lock_guard lock(folders().mutex);
    return folders().fallback;
}

void PhotoLibrary::setFallbackPath(const std::string& path) {
    const std::lock_guard lock(folders().mutex);
    folders().fallback = path;
}

std::vector<std::string> PhotoLibrary::picturePaths() {
    return listing().paths;
}

PhotoLibrary::Listing PhotoLibrary::listing() {
    Listing listing{sortedFiles(libraryPath())};
    const std::string fallback = fallbackPath();
    if (listing.paths.empty() && !fallback.empty()) {
        listing = {sortedFiles(fallback), true};
    }
    return listing;
}

std::vector<std::string> PhotoLibrary::sortedFiles(const std::string& folder) {
    struct Entry {
        fs::file_time_type modified;
        std::string path;
    };
    std::vector<Entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path& path = it->path();
        // Hidden files include the saver's temporary files while they are written.
        if (path.filename().string().starts_with(".") || !hasPictureExtension(path) ||
            !it->is_regular_file(error)) {
            continue;
        }
        const fs::file_time_type modified = it->last_write_time(error);
        if (!error) {
            entries.push_back({modified, path.string()});
        }
        error.clear();
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.modified != b.modified ? a.modified > b.modified : a.path < b.path;
    });
    std::vector<std::string> paths;
    paths.reserve(entries.size());
    for (Entry& entry : entries) {
        paths.push_back(std::move(entry.path));
    }
    return paths;
}

void PhotoLibrary::removeAbandonedSaves() {
    constexpr auto kAbandonedAfter = std::chrono::minutes(1);
    const fs::file_time_type cutoff = fs::file_time_type::clock::now() - kAbandonedAfter;
    std::error_code error;
    for (fs::directory_iterator it(libraryPath(), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code entryError;
        if (AtomicFileWriter::isTemporaryName(it->path().filename().string()) &&
            it->is_regular_file(entryError) && it->last_write_time(entryError) < cutoff &&
            !entryError) {
            fs::remove(it->path(), entryError);
        }
    }
}

UIImagePtr PhotoLibrary::thumbnailForPicture(const std::string& path, double side, double scale) {
    if (side <= 0) {
        return nullptr;
    }
    const int pixels = static_cast<int>(std::ceil(side * scale));
    const std::optional<ThumbnailCache::Key> key = ThumbnailCache::keyFor(path, pixels);
    if (!key) {
        return nullptr;
    }
    if (UIImagePtr known = ThumbnailCache::shared().find(*key)) {
        return known;
    }
    UIImagePtr thumbnail = drawThumbnail(path, side, scale);
    ThumbnailCache::shared().store(*key, thumbnail);
    return thumbnail;
}

UIImagePtr PhotoLibrary::drawThumbnail(const std::string& path, double side, double scale) {
    // The decode's share of the memory budget is kept until the thumbnail is drawn.
    const ImageDecoder::Result decoded =
        ImageDecoder::decodeFile(path, {static_cast<int>(std::ceil(side * scale))});
    const UIImagePtr& picture = decoded.image;
    if (!picture) {
        return nullptr;
    }
    const CGSize size = picture->size();
    const double fill = std::max(side / size.width, side / size.height);
    const CGSize drawn{size.width * fill, size.height * fill};
    UIGraphicsBeginImageContextWithOptions(CGSize{side, side}, true, scale);
    picture->drawInRect(
        CGRect{(side - drawn.width) / 2, (side - drawn.height) / 2, drawn.width, drawn.height});
    UIImagePtr thumbnail = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return thumbnail;
}

std::string PhotoLibrary::fileExtensionForImage(const UIImage& image) {
    return image.CGImage() && Transparency::hasTransparentPixels(*image.CGImage()) ? ".png"
                                                                                   : ".jpg";
}

std::vector<std::uint8_t> PhotoLibrary::encodeImage(const UIImage& image,
                                                    const std::string& extension) {
    return lowercase(extension) == ".png" ? ImageEncoder::encodePNG(image)
                                          : ImageEncoder::encodeJPEG(image, kJpegQuality);
}

PhotoLibrary::SaveResult PhotoLibrary::saveImage(const UIImage& image) {
    const std::string extension = fileExtensionForImage(image);
    const std::vector<std::uint8_t> bytes = encodeImage(image, extension);
    if (bytes.empty()) {
        return {{},
                UILocalizedString::text("File_CantEncode", "The picture could not be encoded.")};
    }
    const fs::path folder(libraryPath());
    if (folder.empty()) {
        return {{},
                UILocalizedString::text("File_NoLibraryFolder",
                                        "There is no pictures folder to save to.")};
    }
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        return {{},
                UILocalizedString::format("File_CantMakeFolder", "Can't make the folder %@: %@",
                                          {folder.string(), error.message()})};
    }
    const std::string stamp = timeStamp();
    // A burst of saves within one second takes the next free suffix.
    constexpr int kAttempts = 1000;
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        const std::string path = (folder / candidateName(stamp, attempt, extension)).string();
        const AtomicFileWriter::Result written = AtomicFileWriter::writeNew(path, bytes);
        if (written.outcome == AtomicFileWriter::Outcome::Written) {
            return {path, {}};
        }
        if (written.outcome == AtomicFileWriter::Outcome::Failed) {
            return {{}, written.message};
        }
    }
    return {{},
            UILocalizedString::format("File_NoFreeName", "No free file name in %@.",
                                      {folder.string()})};
}
