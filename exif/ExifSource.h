// Byte access for the EXIF reader: positioned reads bounded by the file's size, with bytes past
// the end read as zero. The first 64 KB (where cameras put the EXIF block) come in one read;
// bytes beyond go through a small page cache, so that the many 2-, 4- and 12-byte fields of a
// directory cost one system call per 8 KB page.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kamelune {

class ExifSource {
public:
    ExifSource() = default;
    ExifSource(const ExifSource&) = delete;
    ExifSource& operator=(const ExifSource&) = delete;
    ~ExifSource();

    // False when the file cannot be opened or measured. One open and one fstat.
    bool OpenFile(const std::string& path);
    // Reads from memory the caller keeps alive.
    void OpenMemory(const std::uint8_t* data, std::size_t size);
    void Close();

    std::uint64_t Size() const { return size_; }

    // n bytes from pos (pos >= 0); what lies past the end reads as zero. False on a platform read
    // error (the output is then zero).
    bool ReadAt(std::uint64_t pos, std::uint8_t* out, std::size_t n);
    // The same without reading the head, for the few bytes of a quick check alone.
    bool ReadUncached(std::uint64_t pos, std::uint8_t* out, std::size_t n);

    // Bytes the reader asked for so far: the work of a walk, whatever the clock says.
    std::uint64_t BytesAskedFor() const { return asked_; }

    static constexpr std::size_t kHeadSize = 65536;

private:
    static constexpr std::size_t kPageSize = 8192;
    static constexpr std::size_t kSlots = 8;
    struct Slot {
        std::uint64_t page = UINT64_MAX;
        std::size_t length = 0;
    };
    bool LoadPage(std::uint64_t page, Slot& slot, std::uint8_t* buffer);
    bool LoadHead();
    bool PRead(std::uint64_t pos, std::uint8_t* out, std::size_t n, std::size_t& got);

    std::uint64_t asked_ = 0;
    int fd_ = -1;
    const std::uint8_t* memory_ = nullptr;
    std::uint64_t size_ = 0;
    std::array<Slot, kSlots> slots_{};
    // The head: loaded on the first read, headLength_ bytes valid.
    bool headLoaded_ = false;
    std::size_t headLength_ = 0;
    std::unique_ptr<std::uint8_t[]> head_;
    // kSlots × kPageSize, allocated on first use and not cleared: a slot's bytes are read only up
    // to the length loaded into it.
    std::unique_ptr<std::uint8_t[]> pages_;
};

} // namespace kamelune
