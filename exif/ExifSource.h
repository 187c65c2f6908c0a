// Byte access for the EXIF reader: positioned reads bounded by the file's size, with bytes past
// the end read as zero. A file comes in 4 KB pages, each read when the walk first asks for a byte
// of it: most cameras' directories lie in the first page, so most files cost one read of 4 KB,
// and no byte the walk never asks for is copied out of the page cache.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <string>

namespace kamelune {

class ExifSource {
public:
    ExifSource() {} // the page buffers stay uninitialised: a slot is read only as far as loaded
    ExifSource(const ExifSource&) = delete;
    ExifSource& operator=(const ExifSource&) = delete;
    ~ExifSource();

    // False when the file cannot be opened or measured. One open and one fstat. A relative path
    // counts from folderFd when given.
    bool OpenFile(const std::string& path, int folderFd = AT_FDCWD);
    // Reads from memory the caller keeps alive.
    void OpenMemory(const std::uint8_t* data, std::size_t size);
    void Close();

    std::uint64_t Size() const { return size_; }

    // n bytes from pos (pos >= 0); what lies past the end reads as zero. False on a platform read
    // error (the output is then zero).
    bool ReadAt(std::uint64_t pos, std::uint8_t* out, std::size_t n);
    // The same without a page, for the few bytes of a quick check alone (before any page).
    bool ReadUncached(std::uint64_t pos, std::uint8_t* out, std::size_t n);

    // n bytes at pos read straight from the file, not through the pages (a preview's megabytes);
    // false on a read error or when fewer than n bytes are there.
    bool ReadDirect(std::uint64_t pos, std::uint8_t* out, std::size_t n);

    // Bytes the reader asked for so far: the work of a walk, whatever the clock says.
    std::uint64_t BytesAskedFor() const { return asked_; }
    // Bytes read from the file so far: the pages the walk touched (each once while it stays in
    // the cache), and nothing else.
    std::uint64_t BytesLoaded() const { return loaded_; }

    static constexpr std::size_t kPageSize = 4096;
    static constexpr std::size_t kSlots = 8;

private:
    struct Slot {
        std::uint64_t page = UINT64_MAX;
        std::size_t length = 0;    // valid bytes: short at the end of the file
        std::uint64_t lastUse = 0; // the least recently used slot takes the next page
    };
    // Up to n bytes at pos into out (got: how many); false on a read error.
    bool PRead(std::uint64_t pos, std::uint8_t* out, std::size_t n, std::size_t& got);
    // The slot holding page, loading it first when needed; nullptr on a read error.
    Slot* PageSlot(std::uint64_t page);
    std::uint8_t* Bytes(const Slot& slot) {
        return pages_.data() + static_cast<std::size_t>(&slot - slots_.data()) * kPageSize;
    }

    std::uint64_t asked_ = 0;
    std::uint64_t loaded_ = 0;
    int fd_ = -1;
    const std::uint8_t* memory_ = nullptr;
    std::uint64_t size_ = 0;
    std::array<Slot, kSlots> slots_{};
    std::uint64_t uses_ = 0;
    std::size_t lastSlot_ = 0; // most reads fall in the page of the one before
    std::array<std::uint8_t, kSlots * kPageSize> pages_;
};

} // namespace kamelune
