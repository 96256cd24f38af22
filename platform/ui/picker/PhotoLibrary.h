#pragma once

#include <string>
#include <vector>

#include "platform/graphics/UIImage.h"

// The photo library as a folder of picture files. The folder is a setting: by default
// the user's pictures folder; the program may name another. When the folder holds no
// files (or does not exist) the library shows a fallback folder instead, the sample
// pictures a program ships with, so the picker never opens on an empty screen.
//
// Settings may be read and changed from any thread.
class PhotoLibrary {
public:
    struct SaveResult {
        // The new file's path; empty on failure.
        std::string path;
        // Why it failed, for the user; empty on success.
        std::string error;
        bool succeeded() const { return !path.empty(); }
    };

    // The files to show and where they come from.
    struct Listing {
        std::vector<std::string> paths;
        // The library folder has no files, so these are the fallback folder's.
        bool fromFallback = false;
    };

    static constexpr double kJpegQuality = 0.9;

    static std::string libraryPath();
    static void setLibraryPath(const std::string& path);
    // Empty for none.
    static std::string fallbackPath();
    static void setFallbackPath(const std::string& path);
    // The user's pictures folder as the desktop names it.
    static std::string defaultLibraryPath();

    // The files to show, newest first (by modification time, then by name): the
    // library's regular, non-hidden files with a picture's extension, or the fallback
    // folder's when there are none. Nothing here reads the files; ones that turn out not
    // to be pictures are for the caller to skip.
    static std::vector<std::string> picturePaths();
    static Listing listing();

    // Removes the temporary files of saves that were killed before they finished: the
    // library folder's hidden files named as the saver names them and untouched for
    // over a minute (a save in progress writes its file within seconds).
    static void removeAbandonedSaves();

    // A square thumbnail of side points at scale, the picture scaled to fill it and
    // cut to the middle; null when the file is not a readable picture. A JPEG decodes
    // at a reduced size. Slow for big pictures the first time (ThumbnailCache keeps
    // them): call it off the main thread.
    static UIImagePtr thumbnailForPicture(const std::string& path, double side, double scale);

    // Saves the picture as a new file in the library folder (made if missing) under a
    // name no file has yet: a JPEG, or a PNG when it has transparent pixels. Never
    // replaces a file and never leaves a partial one. Slow for big pictures: call it off
    // the main thread.
    static SaveResult saveImage(const UIImage& image);

    // ".png" for a picture with transparent pixels, which a JPEG would lose, else ".jpg".
    // An opaque picture with an alpha channel is read whole to tell.
    static std::string fileExtensionForImage(const UIImage& image);
    // The picture as a file of the type the extension names: PNG for ".png" (any case),
    // else JPEG at the library's quality. Empty when it can't be encoded.
    static std::vector<std::uint8_t> encodeImage(const UIImage& image,
                                                 const std::string& extension);

private:
    static UIImagePtr drawThumbnail(const std::string& path, double side, double scale);
    static std::vector<std::string> sortedFiles(const std::string& folder);
};
