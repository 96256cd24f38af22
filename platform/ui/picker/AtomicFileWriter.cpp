#include "platform/ui/picker/AtomicFileWriter.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "platform/ui/screens/UILocalizedString.h"

namespace {

std::string describe(const std::string& what, int error) {
    return what + ": " + std::strerror(error);
}

std::string cantWrite(const std::string& path, int error) {
    return describe(UILocalizedString::format("File_CantWrite", "Can't write %@", {path}), error);
}

// A file being replaced keeps its permissions: a picture kept private stays private.
// Where there is none yet, the new file keeps the usual ones.
void keepPermissionsOf(const std::string& path, int fd) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        ::fchmod(fd, existing.st_mode & 07777);
    }
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

AtomicFileWriter::Result AtomicFileWriter::writeNew(const std::string& path,
                                                    std::span<const std::uint8_t> bytes) {
    return write(path, bytes, false);
}

AtomicFileWriter::Result AtomicFileWriter::replace(const std::string& path,
                                                   std::span<const std::uint8_t> bytes) {
    return write(path, bytes, true);
}

AtomicFileWriter::Result AtomicFileWriter::write(const std::string& path,
                                                 std::span<const std::uint8_t> bytes,
                                                 bool replace) {
    const std::filesystem::path target(path);
    if (target.filename().empty()) {
        return {Outcome::Failed, UILocalizedString::text("File_NoName", "No file name was given.")};
    }
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string temporary;
    const int fd = createTemporary(folder, target.filename().string(), temporary);
    if (fd < 0) {
        return {Outcome::Failed,
                describe(UILocalizedString::format("File_CantWriteIn", "Can't write in %@",
                                                   {folder.string()}),
                         errno)};
    }
    if (replace) {
        keepPermissionsOf(path, fd);
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    const int error = written ? errno : writeError;
    if (!written || !closed) {
        ::unlink(temporary.c_str());
        return {Outcome::Failed, cantWrite(path, error)};
    }
    Result result = replace ? publishOver(temporary, path) : publish(temporary, path);
    if (result.outcome != Outcome::Written) {
        ::unlink(temporary.c_str());
    }
    return result;
}

AtomicFileWriter::Result AtomicFileWriter::publishOver(const std::string& temporary,
                                                       const std::string& path) {
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        return {Outcome::Failed, cantWrite(path, errno)};
    }
    return {Outcome::Written, {}};
}

bool AtomicFileWriter::isTemporaryName(const std::string& filename) {
    // "." + name + "." + random number + "-" + counter, as createTemporary makes them.
    const std::size_t dash = filename.rfind('-');
    const std::size_t dot = filename.rfind('.', dash);
    const auto isNumber = [&](std::size_t from, std::size_t to) {
        return from < to && std::all_of(filename.begin() + static_cast<std::ptrdiff_t>(from),
                                        filename.begin() + static_cast<std::ptrdiff_t>(to),
                                        [](char c) { return c >= '0' && c <= '9'; });
    };
    return filename.starts_with(".") && dash != std::string::npos && dot != std::string::npos &&
           dot > 1 && isNumber(dot + 1, dash) && isNumber(dash + 1, filename.size());
}

int AtomicFileWriter::createTemporary(const std::filesystem::path& folder, const std::string& name,
                                      std::string& temporary) {
    // Made with the usual permissions (0666 less the umask), unlike mkstemp's 0600,
    // so the finished file is as readable as any other the user saves.
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::string suffix = std::to_string(random()) + "-" + std::to_string(counter++);
        temporary = (folder / ("." + name + "." + suffix)).string();
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

AtomicFileWriter::Result AtomicFileWriter::publish(const std::string& temporary,
                                                   const std::string& path) {
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
        return {Outcome::Written, {}};
    }
    if (errno == EEXIST) {
        return {Outcome::NameTaken, "A file named " + path + " already exists"};
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return {Outcome::Failed, cantWrite(path, errno)};
    }
    // File systems without the no-replace move still refuse to link over a name.
    if (::link(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        return {error == EEXIST ? Outcome::NameTaken : Outcome::Failed, cantWrite(path, error)};
    }
    ::unlink(temporary.c_str());
    return {Outcome::Written, {}};
}
