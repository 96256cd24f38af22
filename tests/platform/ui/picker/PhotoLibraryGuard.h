#pragma once

#include <string>

#include "platform/ui/picker/PhotoLibrary.h"

// Points the photo library at test folders and puts the settings back afterwards.
class PhotoLibraryGuard {
public:
    PhotoLibraryGuard(const std::string& library, const std::string& fallback = {})
        : library_(PhotoLibrary::libraryPath()), fallback_(PhotoLibrary::fallbackPath()) {
        PhotoLibrary::setLibraryPath(library);
        PhotoLibrary::setFallbackPath(fallback);
    }
    ~PhotoLibraryGuard() {
        PhotoLibrary::setLibraryPath(library_);
        PhotoLibrary::setFallbackPath(fallback_);
    }
    PhotoLibraryGuard(const PhotoLibraryGuard&) = delete;
    PhotoLibraryGuard& operator=(const PhotoLibraryGuard&) = delete;

private:
    std::string library_;
    std::string fallback_;
};
