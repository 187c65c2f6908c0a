// Shared by the directory walk, the tag texts and the maker-note decoders: the file position,
// the byte order and the typed little readers over an ExifSource.
#pragma once

#include "ExifSource.h"

#include <array>
#include <cstdint>

namespace kamelune {

// A platform read error or a seek to a negative position: the read ends here.
struct ExifReadAborted {};

enum class ByteOrder { Little, Big };

class TiffStream {
public:
    explicit TiffStream(ExifSource& source) : source_(source) {}

    std::int64_t Pos() const { return pos_; }
    std::uint64_t Size() const { return source_.Size(); }
    void Seek(std::int64_t pos) {
        if (pos < 0) throw ExifReadAborted{};
        pos_ = pos;
    }
    // Reads n bytes and moves on by n; past the end of the file the bytes are zero.
    void Read(std::uint8_t* out, std::size_t n) {
        if (!source_.ReadAt(static_cast<std::uint64_t>(pos_), out, n)) throw ExifReadAborted{};
        pos_ += static_cast<std::int64_t>(n);
    }
    // Reads at an absolute position without moving.
    void ReadAt(std::int64_t pos, std::uint8_t* out, std::size_t n) {
        if (pos < 0) throw ExifReadAborted{};
        if (!source_.ReadAt(static_cast<std::uint64_t>(pos), out, n)) throw ExifReadAborted{};
    }
    std::uint16_t ReadU16() {
        std::uint8_t b[2];
        Read(b, 2);
        return U16(b);
    }
    std::uint32_t ReadU32() {
        std::uint8_t b[4];
        Read(b, 4);
        return U32(b);
    }

    std::uint16_t U16(const std::uint8_t* p) const { return U16(p, order); }
    std::uint32_t U32(const std::uint8_t* p) const { return U32(p, order); }
    static std::uint16_t U16(const std::uint8_t* p, ByteOrder o) {
        return o == ByteOrder::Little ? static_cast<std::uint16_t>(p[0] | (p[1] << 8))
                                      : static_cast<std::uint16_t>((p[0] << 8) | p[1]);
    }
    static std::uint32_t U32(const std::uint8_t* p, ByteOrder o) {
        return o == ByteOrder::Little ? (std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                                         (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24))
                                      : ((std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) |
                                         (std::uint32_t(p[2]) << 8) | std::uint32_t(p[3]));
    }

    ByteOrder order = ByteOrder::Big;
    std::int64_t tiffBase = 0;
    // Maker-note entries one read may still walk: a file of 300 maker-note entries of 65,535
    // entries each must not take seconds.
    std::int64_t noteEntryBudget = 2 * 65535;

private:
    ExifSource& source_;
    std::int64_t pos_ = 0;
};

// One 12-byte directory entry: tag, type, count, and the 4-byte value field.
struct DirEntry {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    std::array<std::uint8_t, 4> field{};
};

// The value of an entry: the value field itself when it is 4 bytes or less, else up to 1,024
// bytes loaded from base + offset. Bytes the entry does not supply read as zero up to kZeroed
// (the rules read at most six rationals, 48 bytes); beyond both they are never read.
struct ValueBytes {
    static constexpr int kMax = 1024;
    static constexpr int kZeroed = 64;
    std::array<std::uint8_t, kMax> bytes;
    int length = 0;       // type size × count, as a signed 32-bit product
    bool tooLong = false; // length above 1,024: not loaded
    int TextLength() const { return length <= 4 ? (length < 0 ? 0 : length) : length; }
};

// Reads tag, type, count and value field at the stream position (moving past the entry).
DirEntry ReadDirEntry(TiffStream& s);
// Loads an entry's value; offsets count from base (tiffBase, or a maker note's own start).
void LoadValueBytes(TiffStream& s, const DirEntry& e, std::int64_t base, ValueBytes& v);

} // namespace kamelune
