#include "ExifSource.h"

#include "platform/FileUtil.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace kamelune {

ExifSource::~ExifSource() {
    Close();
}

bool ExifSource::OpenFile(const std::string& path, int folderFd) {
    Close();
    fd_ = OpenRegularFile(path, &size_, folderFd);
    if (fd_ < 0) {
        size_ = 0;
        return false;
    }
    return true;
}

void ExifSource::OpenMemory(const std::uint8_t* data, std::size_t size) {
    Close();
    memory_ = data;
    size_ = size;
}

void ExifSource::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    memory_ = nullptr;
    size_ = 0;
    slots_.fill(Slot{});
    uses_ = 0;
    asked_ = loaded_ = 0;
    lastSlot_ = 0;
}

ExifSource::Slot* ExifSource::PageSlot(std::uint64_t page) {
    if (slots_[lastSlot_].page == page) {
        slots_[lastSlot_].lastUse = ++uses_;
        return &slots_[lastSlot_];
    }
    std::size_t victim = 0;
    for (std::size_t k = 0; k < kSlots; ++k) {
        if (slots_[k].page == page) {
            lastSlot_ = k;
            slots_[k].lastUse = ++uses_;
            return &slots_[k];
        }
        if (slots_[k].lastUse < slots_[victim].lastUse) victim = k;
    }
    Slot& slot = slots_[victim];
    slot.page = UINT64_MAX;
    std::uint8_t* buffer = Bytes(slot);
    // The page's bytes that the file has (by its size when opened); fewer when it has shrunk.
    const std::uint64_t start = page * kPageSize;
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(kPageSize, size_ - start));
    std::size_t got = 0;
    if (!PRead(start, buffer, want, got)) return nullptr;
    slot.page = page;
    slot.length = got;
    slot.lastUse = ++uses_;
    lastSlot_ = victim;
    return &slot;
}

bool ExifSource::ReadAt(std::uint64_t pos, std::uint8_t* out, std::size_t n) {
    asked_ += n;
    // Most reads are a directory entry or a value in the page of the read before.
    if (const Slot& last = slots_[lastSlot_];
        last.page == pos / kPageSize && pos % kPageSize + n <= last.length) {
        std::memcpy(out, Bytes(last) + pos % kPageSize, n);
        return true;
    }
    std::memset(out, 0, n);
    if (pos >= size_ || n == 0) return true;
    const std::size_t avail = static_cast<std::size_t>(std::min<std::uint64_t>(n, size_ - pos));
    if (memory_) {
        std::memcpy(out, memory_ + pos, avail);
        return true;
    }
    if (fd_ < 0) return true;
    std::size_t done = 0;
    while (done < avail) {
        const std::uint64_t at = pos + done;
        const Slot* slot = PageSlot(at / kPageSize);
        if (!slot) {
            std::memset(out, 0, n);
            return false;
        }
        const std::size_t inPage = static_cast<std::size_t>(at % kPageSize);
        // A file that became shorter than it was: the rest stays zero.
        if (inPage >= slot->length) break;
        const std::size_t take = std::min(avail - done, slot->length - inPage);
        std::memcpy(out + done, Bytes(*slot) + inPage, take);
        done += take;
    }
    return true;
}

bool ExifSource::ReadUncached(std::uint64_t pos, std::uint8_t* out, std::size_t n) {
    if (memory_ || fd_ < 0 || uses_ != 0) return ReadAt(pos, out, n);
    asked_ += n;
    std::memset(out, 0, n);
    std::size_t got = 0;
    return PRead(pos, out, n, got);
}

bool ExifSource::ReadDirect(std::uint64_t pos, std::uint8_t* out, std::size_t n) {
    if (pos > size_ || n > size_ - pos) return false;
    if (memory_) {
        std::memcpy(out, memory_ + pos, n);
        return true;
    }
    std::size_t got = 0;
    return fd_ >= 0 && PRead(pos, out, n, got) && got == n;
}

bool ExifSource::PRead(std::uint64_t pos, std::uint8_t* out, std::size_t n, std::size_t& got) {
    got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd_, out + got, n - got, static_cast<off_t>(pos + got));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return false;
        if (r == 0) break; // the file ends sooner than it did
        got += static_cast<std::size_t>(r);
    }
    loaded_ += got;
    return true;
}

} // namespace kamelune
