// File helpers shared by every subsystem: whole-file reads and safe writes, the block copy,
// colour texts. No Qt.
#pragma once

#include <cstdint>
#include <fcntl.h>
#include <optional>
#include <string>
#include <string_view>

namespace kamelune {

inline constexpr int kWorkingFolder = AT_FDCWD;

// Closes a descriptor on every path out of a function.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd();
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (a late write error shows here).
    bool Close();

private:
    int fd_;
};

// Outcome of a file operation that a user may have to be told about. A result nobody set says
// failure, so that a path that forgets to fill it in is never taken for success.
struct [[nodiscard]] FileResult {
    bool ok = false;
    std::string error; // empty when ok

    static FileResult Ok() { return {true, {}}; }
    static FileResult Fail(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

// What the user reads of a failed operation: the reason in Japanese for the common cases (no
// space, no permission, read-only, name too long, not found, already exists) with the path
// after it; otherwise what failed, the path and the system's own words.
std::string FailureText(const std::string& what, const std::string& path, int err);

bool FileExists(const std::string& path);      // a regular file (or a link to one)
bool DirectoryExists(const std::string& path); // a folder (or a link to one)
std::optional<std::uint64_t> FileSizeOf(const std::string& path);

// Opens a regular file for reading without ever blocking: a FIFO or device that took a
// picture's name is refused (errno EINVAL) rather than waited on. -1 on failure, errno set.
// A relative path counts from folderFd (a folder opened by OpenFolder), else from the working
// folder: the files of one folder opened without walking its path each time.
int OpenRegularFile(const std::string& path, std::uint64_t* size = nullptr,
                    int folderFd = kWorkingFolder);
// A folder to open files in by name; -1 on failure, errno set.
int OpenFolder(const std::string& path);

// Reads a whole file; fails for files larger than maxBytes.
FileResult ReadWholeFile(const std::string& path, std::string& out,
                         std::uint64_t maxBytes = 256u << 20);

// Reads at most limit bytes from the start of a file.
FileResult ReadFileStart(const std::string& path, std::string& out, std::size_t limit);

// Writes data to a temporary file beside path and renames it over path, so that path is either
// the old file or the complete new one, never half written. Only a regular file is ever
// replaced: a symbolic link is written through to its target, a file of several hard links is
// written in place (each name keeps it), anything else (a FIFO, a device, a folder) is refused.
FileResult WriteFileAtomically(const std::string& path, std::string_view data);

// Byte-for-byte copy in 2,048-byte blocks; the destination is created or replaced, as
// WriteFileAtomically replaces a file. A failed read or short write leaves the destination as it
// was and is reported. Copying a file onto itself is refused rather than truncating it.
FileResult CopyFileByBlocks(const std::string& source, const std::string& destination);

// Colour 0x00BBGGRR to "#RRGGBB" with upper-case digits.
std::string ColorToHtml(std::uint32_t color);

// Renames without ever replacing a file: fails when `to` exists (unless it is `from` itself under
// another letter case, as on a case-insensitive file system, where the rename goes through a
// temporary name). errnoOut gets the reason (ENOENT when `from` is gone, EEXIST when `to` exists).
FileResult RenameNoReplace(const std::string& from, const std::string& to, int* errnoOut = nullptr);

// Creates a folder with its missing parents.
FileResult MakeDirectories(const std::string& path);

} // namespace kamelune
