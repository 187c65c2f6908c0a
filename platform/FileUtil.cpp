#include "FileUtil.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kamelune {
namespace {

std::string ErrnoText(const std::string& what, const std::string& path) {
    return FailureText(what, path, errno);
}

} // namespace

Fd::~Fd() {
    if (fd_ >= 0) ::close(fd_);
}

bool Fd::Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
}

namespace {

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Reads until size bytes are in or the file ends; the count read, or -1 on an error.
ssize_t ReadFull(int fd, char* data, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, data + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(got);
}

// A temporary file in the folder of path, for writing before the final rename.
int MakeTempBeside(const std::string& path, std::string& tempPath) {
    tempPath = path + ".kmtmp-XXXXXX";
    int fd = ::mkstemp(tempPath.data());
    if (fd >= 0) ::fchmod(fd, 0644);
    return fd;
}

// Where a write to `path` lands without replacing anything but a regular file: the file a
// symbolic link leads to (made when it is missing), or path itself. A FIFO, a device or a folder
// is refused: renaming a new file over it would replace it. inPlace: a file of several hard
// links, written where it is so that every name keeps seeing it.
FileResult WriteTarget(const std::string& path, std::string& target, bool& inPlace) {
    inPlace = false;
    std::string at = path;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0) {
            if (errno != ENOENT) return FileResult::Fail(ErrnoText("cannot write", path));
            target = at;
            return FileResult::Ok();
        }
        if (S_ISREG(st.st_mode)) {
            target = at;
            inPlace = st.st_nlink > 1;
            return FileResult::Ok();
        }
        if (!S_ISLNK(st.st_mode)) return FileResult::Fail("通常のファイルではありません: " + path);
        std::string link(PATH_MAX, '\0');
        const ssize_t n = hops < 40 ? ::readlink(at.c_str(), link.data(), link.size()) : -1;
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) {
            if (hops >= 40)
                errno = ELOOP;
            else if (n >= 0)
                errno = ENAMETOOLONG;
            return FileResult::Fail(ErrnoText("cannot write", path));
        }
        link.resize(static_cast<std::size_t>(n));
        const auto slash = at.rfind('/');
        at = link.front() == '/' || slash == std::string::npos ? link
                                                               : at.substr(0, slash + 1) + link;
    }
}

// Over a regular file of several names, in place: never a FIFO that took its name meanwhile.
FileResult WriteInPlace(const std::string& target, std::string_view data) {
    Fd fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0)
        return FileResult::Fail(ErrnoText("cannot write", target));
    if (!S_ISREG(st.st_mode)) return FileResult::Fail("通常のファイルではありません: " + target);
    if (!WriteAll(fd.get(), data.data(), data.size()) ||
        ::ftruncate(fd.get(), static_cast<off_t>(data.size())) != 0 || !fd.Close())
        return FileResult::Fail(ErrnoText("cannot write", target));
    return FileResult::Ok();
}

} // namespace

std::string FailureText(const std::string& what, const std::string& path, int err) {
    const char* reason = nullptr;
    switch (err) {
    case ENOSPC:
        reason = "ディスクの空き容量がありません";
        break;
    case EACCES:
    case EPERM:
        reason = "アクセスする権限がありません";
        break;
    case EROFS:
        reason = "読み取り専用のファイルシステムです";
        break;
    case ENAMETOOLONG:
        reason = "名前が長すぎます";
        break;
    case ENOENT:
        reason = "見つかりません";
        break;
    case EEXIST:
        reason = "すでに存在します";
        break;
    default:
        return what + " " + path + ": " + std::strerror(err);
    }
    return std::string(reason) + ": " + path;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<std::uint64_t> FileSizeOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

int OpenFolder(const std::string& path) {
    return ::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

int OpenRegularFile(const std::string& path, std::uint64_t* size, int folderFd) {
    // O_NONBLOCK keeps open() from waiting for a FIFO's writer; a regular file ignores it.
    const int fd = ::openat(folderFd, path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int why = S_ISREG(st.st_mode) ? errno : EINVAL;
        ::close(fd);
        errno = why;
        return -1;
    }
    if (size) *size = static_cast<std::uint64_t>(st.st_size);
    return fd;
}

FileResult ReadFileStart(const std::string& path, std::string& out, std::size_t limit) {
    out.assign(limit, '\0');
    Fd fd(OpenRegularFile(path));
    if (fd.get() < 0) return FileResult::Fail(ErrnoText("cannot open", path));
    const ssize_t got = ReadFull(fd.get(), out.data(), limit);
    if (got < 0) {
        out.clear();
        return FileResult::Fail(ErrnoText("cannot read", path));
    }
    out.resize(static_cast<std::size_t>(got));
    return FileResult::Ok();
}

FileResult ReadWholeFile(const std::string& path, std::string& out, std::uint64_t maxBytes) {
    out.clear();
    Fd fd(OpenRegularFile(path));
    if (fd.get() < 0) return FileResult::Fail(ErrnoText("cannot open", path));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return FileResult::Fail(ErrnoText("cannot stat", path));
    if (static_cast<std::uint64_t>(st.st_size) > maxBytes)
        return FileResult::Fail("file too large: " + path);
    // Straight into a buffer of the file's size; a file that grows meanwhile is read to its end
    // (within maxBytes).
    out.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    for (;;) {
        if (got == out.size()) {
            if (out.size() >= maxBytes) break;
            out.resize(std::min<std::uint64_t>(maxBytes, out.size() + 65536));
        }
        const ssize_t n = ReadFull(fd.get(), out.data() + got, out.size() - got);
        if (n < 0) {
            out.clear();
            return FileResult::Fail(ErrnoText("cannot read", path));
        }
        got += static_cast<std::size_t>(n);
        if (got < out.size()) break; // the end of the file
    }
    if (got == out.size() && got >= maxBytes) {
        char probe;
        if (::read(fd.get(), &probe, 1) > 0) {
            out.clear();
            return FileResult::Fail("file too large: " + path);
        }
    }
    out.resize(got);
    return FileResult::Ok();
}

FileResult WriteFileAtomically(const std::string& destination, std::string_view data) {
    std::string path;
    bool inPlace = false;
    if (FileResult r = WriteTarget(destination, path, inPlace); !r) return r;
    if (inPlace) return WriteInPlace(path, data);
    std::string temp;
    Fd fd(MakeTempBeside(path, temp));
    if (fd.get() < 0) return FileResult::Fail(ErrnoText("cannot create a file beside", path));
    if (!WriteAll(fd.get(), data.data(), data.size()) || !fd.Close()) {
        const std::string why = ErrnoText("cannot write", path);
        ::unlink(temp.c_str());
        return FileResult::Fail(why);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string why = ErrnoText("cannot replace", path);
        ::unlink(temp.c_str());
        return FileResult::Fail(why);
    }
    return FileResult::Ok();
}

FileResult CopyFileByBlocks(const std::string& source, const std::string& destination) {
    Fd in(OpenRegularFile(source));
    if (in.get() < 0) return FileResult::Fail(ErrnoText("cannot open", source));
    struct stat srcStat {};
    if (::fstat(in.get(), &srcStat) != 0) return FileResult::Fail(ErrnoText("cannot stat", source));
    struct stat dstStat {};
    if (::stat(destination.c_str(), &dstStat) == 0 && dstStat.st_dev == srcStat.st_dev &&
        dstStat.st_ino == srcStat.st_ino)
        return FileResult::Fail("source and destination are the same file: " + destination);
    std::string target;
    bool inPlace = false;
    if (FileResult r = WriteTarget(destination, target, inPlace); !r) return r;
    if (inPlace) {
        std::string data;
        if (FileResult r = ReadWholeFile(source, data); !r) return r;
        return WriteInPlace(target, data);
    }

    std::string temp;
    Fd out(MakeTempBeside(target, temp));
    if (out.get() < 0) return FileResult::Fail(ErrnoText("cannot create", destination));
    char block[2048];
    for (;;) {
        const ssize_t n = ::read(in.get(), block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const std::string why = ErrnoText("cannot read", source);
            ::unlink(temp.c_str());
            return FileResult::Fail(why);
        }
        if (n == 0) break;
        if (!WriteAll(out.get(), block, static_cast<std::size_t>(n))) {
            const std::string why = ErrnoText("cannot write", destination);
            ::unlink(temp.c_str());
            return FileResult::Fail(why);
        }
    }
    if (!out.Close()) {
        const std::string why = ErrnoText("cannot write", destination);
        ::unlink(temp.c_str());
        return FileResult::Fail(why);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const std::string why = ErrnoText("cannot create", destination);
        ::unlink(temp.c_str());
        return FileResult::Fail(why);
    }
    return FileResult::Ok();
}

std::string ColorToHtml(std::uint32_t color) {
    char bgr[8];
    std::snprintf(bgr, sizeof bgr, "%06X", color & 0xFFFFFFu);
    return std::string("#") + bgr[4] + bgr[5] + bgr[2] + bgr[3] + bgr[0] + bgr[1];
}

FileResult RenameNoReplace(const std::string& from, const std::string& to, int* errnoOut) {
    // `left`: where the file stands after a failure that could not be taken back.
    auto fail = [&](int err, const std::string& what, const std::string& left = {}) {
        if (errnoOut) *errnoOut = err;
        errno = err;
        return FileResult::Fail(
            FailureText(what, from + " -> " + to + (left.empty() ? "" : " (" + left + ")"), err));
    };
    if (errnoOut) *errnoOut = 0;
    struct stat fromStat {};
    if (::lstat(from.c_str(), &fromStat) != 0) return fail(errno, "cannot rename");
    struct stat toStat {};
    if (::lstat(to.c_str(), &toStat) == 0) {
        if (toStat.st_dev != fromStat.st_dev || toStat.st_ino != fromStat.st_ino || from == to)
            return fail(EEXIST, "will not replace");
        // The same file under another letter case: through a name of its own.
        std::string temp = from + ".kmren-XXXXXX";
        const int fd = ::mkstemp(temp.data());
        if (fd < 0) return fail(errno, "cannot rename");
        ::close(fd);
        ::unlink(temp.c_str());
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, temp.c_str(), RENAME_NOREPLACE) != 0)
            return fail(errno, "cannot rename");
        if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
            const int err = errno;
            // The file must not stay under a name the user never gave it unnoticed.
            if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, from.c_str(), RENAME_NOREPLACE) != 0)
                return fail(err, "cannot rename", "now " + temp);
            return fail(err, "cannot rename");
        }
        return FileResult::Ok();
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return FileResult::Ok();
    if (errno != EINVAL && errno != ENOSYS) return fail(errno, "cannot rename");
    // A file system without RENAME_NOREPLACE: a hard link cannot replace either.
    if (::link(from.c_str(), to.c_str()) != 0) return fail(errno, "cannot rename");
    if (::unlink(from.c_str()) != 0) {
        // Both names would stay: the new one is taken back, the file keeps its old name.
        const int err = errno;
        if (::unlink(to.c_str()) != 0) return fail(err, "cannot rename", "both names stand");
        return fail(err, "cannot rename");
    }
    return FileResult::Ok();
}

FileResult MakeDirectories(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec && !DirectoryExists(path))
        return FileResult::Fail(FailureText("cannot create folder", path, ec.value()));
    return FileResult::Ok();
}

} // namespace kamelune
