#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

// Writes a whole file or nothing: the bytes go to a hidden temporary file in the
// target's folder, are flushed to the disk, and the temporary file is then moved to
// its name in one step, which replaces an existing file only when asked to. On any
// failure the temporary file is removed, so a reader never sees a partial picture and
// a full disk or a read-only folder leaves the folder (and a file being replaced) as
// it was. Safe from any thread.
class AtomicFileWriter {
public:
    enum class Outcome { Written, NameTaken, Failed };
    struct Result {
        Outcome outcome = Outcome::Failed;
        // Why it failed, for the user; empty when written.
        std::string message;
    };

    static Result writeNew(const std::string& path, std::span<const std::uint8_t> bytes);
    // As writeNew, but a file already at path is replaced, in one step; the new file
    // keeps its permissions.
    static Result replace(const std::string& path, std::span<const std::uint8_t> bytes);

    // True for a file name this writer gives its temporary files. A process killed
    // between writing and moving one leaves it behind, for its folder's owner to remove.
    static bool isTemporaryName(const std::string& filename);

private:
    static Result write(const std::string& path, std::span<const std::uint8_t> bytes, bool replace);
    // Opens a new hidden file beside the target; -1 with errno set on failure.
    static int createTemporary(const std::filesystem::path& folder, const std::string& name,
                               std::string& temporary);
    // Moves temporary to path unless something is already there.
    static Result publish(const std::string& temporary, const std::string& path);
    // Moves temporary to path, over whatever is there.
    static Result publishOver(const std::string& temporary, const std::string& path);
};
