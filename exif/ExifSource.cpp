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

bool ExifSource::OpenFile(const std::string& path) {
    Close();
    fd_ = OpenRegularFile(path, &size_);
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
    headLoaded_ = false;
    headLength_ = 0;
}

// Reads up to n bytes at pos into out; got says how many (fewer at the end of the file).
bool ExifSource::PRead(std::uint64_t pos, std::uint8_t* out, std::size_t n, std::size_t& got) {
    got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd_, out + got, n - got, static_cast<off_t>(pos + got));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return false;
        if (r == 0) break;
        got += static_cast<std::size_t>(r);
    }
    return true;
}

bool ExifSource::LoadPage(std::uint64_t page, Slot& slot, std::uint8_t* buffer) {
    slot.page = UINT64_MAX;
    std::size_t got = 0;
    if (!PRead(page * kPageSize, buffer, kPageSize, got)) return false;
    slot.page = page;
    slot.length = got;
    return true;
}

bool ExifSource::LoadHead() {
    if (!head_) head_.reset(new std::uint8_t[kHeadSize]);
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(size_, kHeadSize));
    if (!PRead(0, head_.get(), want, headLength_)) return false;
    headLoaded_ = true;
    return true;
}

bool ExifSource::ReadAt(std::uint64_t pos, std::uint8_t* out, std::size_t n) {
    asked_ += n;
    std::memset(out, 0, n);
    if (pos >= size_ || n == 0) return true;
    const std::size_t avail = static_cast<std::size_t>(std::min<std::uint64_t>(n, size_ - pos));
    if (memory_) {
        std::memcpy(out, memory_ + pos, avail);
        return true;
    }
    if (fd_ < 0) return true;
    if (!headLoaded_ && !LoadHead()) {
        std::memset(out, 0, n);
        return false;
    }
    std::size_t done = 0;
    if (pos < kHeadSize) {
        // A file that became shorter than it was: the rest stays zero.
        if (pos >= headLength_) return true;
        done = std::min<std::size_t>(avail, headLength_ - static_cast<std::size_t>(pos));
        std::memcpy(out, head_.get() + pos, done);
        if (done == avail || headLength_ < kHeadSize) return true;
    }
    if (!pages_) pages_.reset(new std::uint8_t[kSlots * kPageSize]);
    while (done < avail) {
        const std::uint64_t at = pos + done;
        const std::uint64_t page = at / kPageSize;
        const std::size_t index = static_cast<std::size_t>(page % kSlots);
        Slot& slot = slots_[index];
        std::uint8_t* buffer = pages_.get() + index * kPageSize;
        if (slot.page != page && !LoadPage(page, slot, buffer)) {
            std::memset(out, 0, n);
            return false;
        }
        const std::size_t inPage = static_cast<std::size_t>(at % kPageSize);
        if (inPage >= slot.length) break;
        const std::size_t take = std::min(avail - done, slot.length - inPage);
        std::memcpy(out + done, buffer + inPage, take);
        done += take;
    }
    return true;
}

bool ExifSource::ReadUncached(std::uint64_t pos, std::uint8_t* out, std::size_t n) {
    if (memory_ || fd_ < 0 || headLoaded_) return ReadAt(pos, out, n);
    std::memset(out, 0, n);
    std::size_t got = 0;
    return PRead(pos, out, n, got);
}

} // namespace kamelune
