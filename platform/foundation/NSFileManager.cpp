#include "platform/foundation/NSFileManager.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::vector<std::string> NSFileManager::contentsOfDirectoryAtPath(const std::string& path,
                                                                  Listing listing) {
    std::error_code error;
    fs::directory_iterator entries(fs::path(path), error);
    std::vector<std::string> names;
    for (const fs::directory_iterator end; !error && entries != end; entries.increment(error)) {
        std::error_code typeError;
        if (listing == Listing::FilesOnly && !entries->is_regular_file(typeError)) {
            continue;
        }
        names.push_back(entries->path().filename().string());
    }
    if (error) {
        return {};
    }
    return names;
}

bool NSFileManager::fileExistsAtPath(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::exists(fs::path(path), error);
}

bool NSFileManager::isDirectoryAtPath(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(fs::path(path), error);
}
