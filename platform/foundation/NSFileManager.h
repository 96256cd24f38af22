#pragma once

#include <string>
#include <vector>

// The file-system questions the editor asks: folder listings and existence.
class NSFileManager {
public:
    enum class Listing { AllEntries, FilesOnly };

    // The names (not paths) of the folder's entries, without "." and "..", in the
    // order the file system returns them (readdir order on POSIX systems): nothing
    // sorts them, so the order may differ between machines and file systems. Hidden
    // entries are included. FilesOnly leaves out folders and anything that is not a
    // regular file (a link to a file counts as a file). A missing or unreadable
    // folder, or an error while reading it, gives an empty list.
    static std::vector<std::string> contentsOfDirectoryAtPath(
        const std::string& path, Listing listing = Listing::AllEntries);

    // True when something (a file, a folder, …) exists at the path, following links.
    static bool fileExistsAtPath(const std::string& path);
    static bool isDirectoryAtPath(const std::string& path);
};
