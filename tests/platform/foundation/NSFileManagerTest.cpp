#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>

#include "platform/foundation/NSFileManager.h"
#include "tests/platform/foundation/TemporaryFolder.h"

namespace {

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

// The folder's entries straight from readdir, the order the listing must keep.
std::vector<std::string> readdirOrder(const std::string& path) {
    std::vector<std::string> names;
    DIR* folder = ::opendir(path.c_str());
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    ::closedir(folder);
    return names;
}

TEST(NSFileManagerTest, ListsFilesAndFoldersInTheFileSystemsOrder) {
    TemporaryFolder folder;
    for (const char* name : {"b.png", "a.png", "C.jpg", ".hidden", "notes.txt", "z.png"}) {
        folder.write(std::string("stickers/") + name, "x");
    }
    folder.makeFolder("stickers/sub");
    folder.write("stickers/sub/inner.png", "x");
    const std::string path = folder.path("stickers");

    const auto all = NSFileManager::contentsOfDirectoryAtPath(path);
    EXPECT_EQ(sorted(all), (std::vector<std::string>{".hidden", "C.jpg", "a.png", "b.png",
                                                     "notes.txt", "sub", "z.png"}));
    EXPECT_EQ(all, readdirOrder(path));

    const auto files =
        NSFileManager::contentsOfDirectoryAtPath(path, NSFileManager::Listing::FilesOnly);
    EXPECT_EQ(sorted(files), (std::vector<std::string>{".hidden", "C.jpg", "a.png", "b.png",
                                                       "notes.txt", "z.png"}));

    EXPECT_TRUE(NSFileManager::contentsOfDirectoryAtPath(folder.path("missing")).empty());
    EXPECT_TRUE(NSFileManager::contentsOfDirectoryAtPath(folder.path("stickers/a.png")).empty());
    EXPECT_TRUE(NSFileManager::contentsOfDirectoryAtPath("").empty());
    folder.makeFolder("empty");
    EXPECT_TRUE(NSFileManager::contentsOfDirectoryAtPath(folder.path("empty")).empty());
}

TEST(NSFileManagerTest, ExistenceAndFolders) {
    TemporaryFolder folder;
    folder.write("file.txt", "x");
    EXPECT_TRUE(NSFileManager::fileExistsAtPath(folder.path("file.txt")));
    EXPECT_TRUE(NSFileManager::fileExistsAtPath(folder.path()));
    EXPECT_FALSE(NSFileManager::fileExistsAtPath(folder.path("missing")));
    EXPECT_FALSE(NSFileManager::fileExistsAtPath(""));
    EXPECT_TRUE(NSFileManager::isDirectoryAtPath(folder.path()));
    EXPECT_FALSE(NSFileManager::isDirectoryAtPath(folder.path("file.txt")));
    EXPECT_FALSE(NSFileManager::isDirectoryAtPath(folder.path("missing")));
}
}  // namespace
