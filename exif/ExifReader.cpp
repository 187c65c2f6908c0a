#include "ExifReader.h"

#include "Containers.h"
#include "ExifSource.h"
#include "TagRules.h"
#include "TiffStream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace kamelune {
namespace {

constexpr int kMaxExifEntries = 300;

bool Is(const std::uint8_t* b, std::uint8_t x, std::uint8_t y) {
    return b[0] == x && b[1] == y;
}

// After a JFIF header (s just past the start of image): moves s to the TIFF header of the first
// APP1 segment that holds "Exif\0\0", scanning the segments before the image data.
bool SeekExifAfterJfif(TiffStream& s, std::uint64_t size) {
    std::uint64_t pos = 2;
    for (int segments = 0; segments < 256 && pos + 4 <= size; ++segments) {
        std::uint8_t m[6];
        s.Seek(static_cast<std::int64_t>(pos));
        s.Read(m, 4);
        if (m[0] != 0xFF) return false;
        if (m[1] == 0xFF) { // fill byte before a marker
            ++pos;
            continue;
        }
        if (m[1] == 0xDA || m[1] == 0xD9) return false; // the image data, or the end
        const unsigned length = (m[2] << 8) | m[3];
        if (length < 2) return false;
        if (m[1] == 0xE1 && length >= 8) {
            s.Read(m, 6);
            if (std::memcmp(m, "Exif\0\0", 6) == 0) return true;
        }
        pos += 2 + length;
    }
    return false;
}

constexpr int kMaxGpsEntries = 300;
constexpr std::uint16_t kAscii = 2, kByte = 1, kRational = 5;

// Degrees, minutes and seconds as three unsigned rationals, as the GPS tags store them; false
// for another type or count (a signed rational's -35 would read as 4294967261) or a zero
// denominator.
bool Degrees(const TiffStream& s, const DirEntry& e, const ValueBytes& v, double& out) {
    out = 0;
    if (e.type != kRational || e.count != 3) return false;
    double unit = 1;
    for (int k = 0; k < 3; ++k, unit *= 60) {
        const std::uint32_t n = s.U32(v.bytes.data() + 8 * k),
                            d = s.U32(v.bytes.data() + 8 * k + 4);
        if (!d) return false;
        out += static_cast<double>(n) / d / unit;
    }
    return true;
}

// A reference letter ("N", "S", "E", "W"), stored as ASCII; 0 for anything else.
char RefLetter(const DirEntry& e, const ValueBytes& v) {
    return e.type == kAscii && e.count >= 1 && e.count <= 2 ? static_cast<char>(v.bytes[0]) : 0;
}

// "YYYY:MM:DD", with nothing but NULs after it; empty when the stamp is anything else.
std::string DateStamp(const DirEntry& e, const ValueBytes& v) {
    if (e.type != kAscii || v.length < 10) return {};
    for (int k = 10; k < v.length; ++k)
        if (v.bytes[static_cast<std::size_t>(k)] != 0) return {};
    const std::string date(reinterpret_cast<const char*>(v.bytes.data()), 10);
    for (std::size_t k = 0; k < date.size(); ++k)
        if (k == 4 || k == 7 ? date[k] != ':' : date[k] < '0' || date[k] > '9') return {};
    return date;
}

// The GPS directory: position (signed decimal degrees, south and west negative), altitude in
// metres (below sea level negative) and the UTC date and time. A value without what it needs
// (the type the GPS tags are stored as, a reference, a non-zero denominator, a place on the
// globe, a well-formed date) stays "---".
void ReadGps(TiffStream& s, std::int32_t offset, ExifItemTexts& items) {
    s.Seek(s.tiffBase + offset);
    const std::uint16_t count = s.ReadU16();
    if (count > kMaxGpsEntries) return;
    char latRef = 0, lonRef = 0;
    int altRef = 0;
    bool lat = false, lon = false, alt = false, time = false;
    double latValue = 0, lonValue = 0, altValue = 0;
    int hms[3] = {};
    std::string date;
    ValueBytes v;
    for (unsigned i = 0; i < count; ++i) {
        const DirEntry e = ReadDirEntry(s);
        const std::int64_t next = s.Pos();
        LoadValueBytes(s, e, s.tiffBase, v);
        if (v.tooLong) continue;
        switch (e.tag) {
        case 0x0001:
            latRef = RefLetter(e, v);
            break;
        case 0x0002:
            lat = Degrees(s, e, v, latValue) && latValue <= 90;
            break;
        case 0x0003:
            lonRef = RefLetter(e, v);
            break;
        case 0x0004:
            lon = Degrees(s, e, v, lonValue) && lonValue <= 180;
            break;
        case 0x0005:
            // Another type is no reference: the value of a BYTE alone says below or above.
            altRef = e.type == kByte ? v.bytes[0] : -1;
            break;
        case 0x0006: {
            const std::uint32_t n = s.U32(v.bytes.data()), d = s.U32(v.bytes.data() + 4);
            alt = e.type == kRational && e.count == 1 && d != 0;
            if (alt) altValue = static_cast<double>(n) / d;
            break;
        }
        case 0x0007: {
            time = e.type == kRational && e.count == 3;
            for (int k = 0; k < 3 && time; ++k) {
                const std::uint32_t n = s.U32(v.bytes.data() + 8 * k);
                const std::uint32_t d = s.U32(v.bytes.data() + 8 * k + 4);
                if (!d || n / d > 60)
                    time = false;
                else
                    hms[k] = static_cast<int>(n / d);
            }
            break;
        }
        case 0x001D:
            date = DateStamp(e, v);
            break;
        default:
            break;
        }
        s.Seek(next);
    }
    if (lat && (latRef == 'N' || latRef == 'S'))
        items[kItemGpsLatitude] = FormatFixed(latRef == 'S' ? -latValue : latValue, 6);
    if (lon && (lonRef == 'E' || lonRef == 'W'))
        items[kItemGpsLongitude] = FormatFixed(lonRef == 'W' ? -lonValue : lonValue, 6);
    // No reference: above sea level, as the standard's default says.
    if (alt && (altRef == 0 || altRef == 1))
        items[kItemGpsAltitude] = FormatFixed(altRef == 1 ? -altValue : altValue, 1, 3);
    if (time && !date.empty()) {
        char clock[16];
        std::snprintf(clock, sizeof clock, " %02d:%02d:%02d", hms[0], hms[1], hms[2]);
        items[kItemGpsDateTime] = date + clock;
    }
}

// The GPS directory read on its own: what goes wrong there changes nothing else of the file.
void ReadGpsSafely(TiffStream& s, std::int32_t offset, ExifItemTexts& items) {
    if (offset == 0) return;
    const std::int64_t resume = s.Pos();
    try {
        ReadGps(s, offset, items);
    } catch (const ExifReadAborted&) {
    }
    s.Seek(resume);
}

// How far a walk goes: the whole block, or IFD0 alone, where the orientation is.
enum class Walk { Whole, Ifd0 };

bool ReadExifSource(ExifSource& source, FileKind& kind, ExifItemTexts& items,
                    const ExifReadOptions& options, Walk walk = Walk::Whole);

// The orientation of the EXIF block after a JFIF header, read on its own for display: the same
// walk of IFD0, into a record kept for the next file.
int OrientationAfterJfif(ExifSource& source) {
    thread_local ExifItemTexts block;
    block.Reset();
    FileKind kind = FileKind::Unread;
    ReadExifSource(source, kind, block, ExifReadOptions{true}, Walk::Ifd0);
    return block.displayOrientation;
}

// Enters the TIFF header at base: its byte order becomes the stream's, offsets count from it.
// Returns the offset of its first directory.
std::int32_t EnterTiff(TiffStream& s, std::int64_t base) {
    std::uint8_t b[2];
    s.tiffBase = base;
    s.Seek(base);
    s.Read(b, 2);
    s.order = Is(b, 'I', 'I') ? ByteOrder::Little : ByteOrder::Big;
    s.ReadU16(); // 42, or a RAW format's own number
    return static_cast<std::int32_t>(s.ReadU32());
}

// The TIFF structure of an EXIF block: IFD0, the GPS directory and the EXIF directory. A RAW
// file's IFD0 also holds the raw data's own tags; lenient skips a value of theirs that is too
// long, where a JPEG's block ends its read as "BADDATA".
bool WalkTiff(TiffStream& s, const ExifLocation& where, FileKind& kind, ExifItemTexts& items,
              Walk walk, bool lenient = false) {
    const std::int32_t ifd0 = EnterTiff(s, where.ifd0Tiff);
    s.Seek(s.tiffBase + ifd0);

    // IFD0: count, then 12-byte entries.
    const std::uint16_t ifd0Count = s.ReadU16();
    std::int32_t exifOffset = 0, gpsOffset = 0;
    std::string text;
    for (unsigned i = 0; i < ifd0Count; ++i) {
        const DirEntry e = ReadDirEntry(s);
        if (!FormatTagValue(s, e, text, items)) {
            if (lenient && !Ifd0ItemOf(e.tag)) continue;
            kind = FileKind::BadData;
            return true;
        }
        if (const int item = Ifd0ItemOf(e.tag)) items[item] = text;
        if (e.tag == 0x0112) items.displayOrientation = OrientationFromText(text);
        if (e.tag == 0x8769) exifOffset = static_cast<std::int32_t>(s.U32(e.field.data()));
        if (e.tag == 0x8825) gpsOffset = static_cast<std::int32_t>(s.U32(e.field.data()));
    }
    if (walk == Walk::Ifd0) return true;
    if (where.gpsTiff >= 0) {
        const std::int64_t base = s.tiffBase;
        const ByteOrder order = s.order;
        try {
            ReadGpsSafely(s, EnterTiff(s, where.gpsTiff), items);
        } catch (const ExifReadAborted&) {
        }
        s.tiffBase = base;
        s.order = order;
    } else {
        ReadGpsSafely(s, gpsOffset, items);
    }
    if (where.exifTiff >= 0) exifOffset = EnterTiff(s, where.exifTiff);
    if (exifOffset == 0) return true;

    // EXIF directory.
    s.Seek(s.tiffBase + exifOffset);
    const std::uint16_t exifCount = s.ReadU16();
    if (exifCount > kMaxExifEntries) {
        kind = FileKind::SomethingBad;
        return true;
    }
    for (unsigned i = 0; i < exifCount; ++i) {
        const DirEntry e = ReadDirEntry(s);
        FormatTagValue(s, e, text, items);
        if (const int item = ExifItemOf(e.tag)) items[item] = text;
    }
    kind = FileKind::Exif;
    return true;
}

// A file that is not a JPEG, by what its first bytes say it is: the EXIF block where its format
// keeps it. RAF carries a whole JPEG, read as one.
bool ReadOtherFormat(ExifSource& source, TiffStream& s, FileKind& kind, ExifItemTexts& items,
                     const ExifReadOptions& options) {
    std::uint8_t head[kFormatHeadBytes];
    s.ReadAt(0, head, sizeof head);
    const PictureFormat format = FormatOfHead(head);
    if (format == PictureFormat::Unknown) {
        kind = FileKind::NotJpeg;
        return true;
    }
    kind = format == PictureFormat::Heif ? FileKind::Heif : FileKind::Raw;
    const ExifLocation where = LocateExif(s, format);
    if (format == PictureFormat::Raf) {
        if (where.jpegLength == 0) return true;
        // The EXIF block lies in the JPEG's first segments: 64 KB at most, and the file's size.
        std::vector<std::uint8_t> jpeg(static_cast<std::size_t>(
            std::min<std::uint64_t>({where.jpegLength, source.Size() - where.jpegOffset, 70'000})));
        s.ReadAt(static_cast<std::int64_t>(where.jpegOffset), jpeg.data(), jpeg.size());
        ExifSource inner;
        inner.OpenMemory(jpeg.data(), jpeg.size());
        FileKind jpegKind = FileKind::Unread;
        ExifReadOptions jpegOptions = options;
        jpegOptions.otherFormats = false;
        const bool read = ReadExifSource(inner, jpegKind, items, jpegOptions);
        items[kItemFileSize] = FileSizeText(source.Size());
        if (jpegKind != FileKind::Jpeg && jpegKind != FileKind::Jfif &&
            jpegKind != FileKind::NotJpeg)
            kind = jpegKind;
        return read;
    }
    if (where.ifd0Tiff < 0) return true;
    const FileKind found = kind;
    kind = FileKind::Exif;
    const bool read = WalkTiff(s, where, kind, items, Walk::Whole, true);
    // A HEIF picture's rotation lies in its own boxes, which its decoder applies: the EXIF
    // orientation is a record of it, not a turn to make again.
    if (found == FileKind::Heif) items.displayOrientation = 0;
    return read;
}

// The walk of one file once it is open: the segment scan, then the EXIF block's TIFF structure.
bool ReadExifSource(ExifSource& source, FileKind& kind, ExifItemTexts& items,
                    const ExifReadOptions& options, Walk walk) {
    items[kItemFileSize] = FileSizeText(source.Size());
    TiffStream s(source);
    try {
        // Bytes 0-1: start of image. Bytes 2-3: the first marker.
        std::uint8_t b[8];
        s.Read(b, 2);
        if (!Is(b, 0xFF, 0xD8)) {
            if (options.otherFormats) return ReadOtherFormat(source, s, kind, items, options);
            kind = FileKind::NotJpeg;
            return true;
        }
        kind = FileKind::Jpeg;
        s.Read(b, 2);
        if (Is(b, 0xFF, 0xE0)) {
            kind = FileKind::Jfif;
            if (!options.afterJfif) {
                items.displayOrientation = OrientationAfterJfif(source);
                return true;
            }
            if (!SeekExifAfterJfif(s, source.Size())) return true;
            kind = FileKind::Exif;
        } else {
            if (Is(b, 0xFF, 0xE1)) kind = FileKind::Exif;
            // Bytes 4-5: segment length; 6-11: "Exif\0\0". Neither is checked: any other first
            // marker is read the same way.
            s.Read(b, 8);
        }
        ExifLocation where;
        where.ifd0Tiff = s.Pos();
        return WalkTiff(s, where, kind, items, walk);
    } catch (const ExifReadAborted&) {
        return false;
    }
}

} // namespace

ExifItemTexts::ExifItemTexts() {
    texts_.fill(kNoValue);
    texts_[0].clear();
}

void ExifItemTexts::Reset() {
    for (std::size_t k = 1; k < texts_.size(); ++k)
        if (written_[k]) texts_[k] = kNoValue;
    written_.reset();
    displayOrientation = 0;
}

void ResetExifItems(ExifItemTexts& items) {
    items.Reset();
}

int OrientationFromText(const std::string& text) {
    // The texts of item 5: four names, "?" and the number for the others.
    const std::pair<const char*, int> names[] = {
        {"left,top", 1}, {"right,bottom", 3}, {"right,top", 6}, {"left,bottom", 8}};
    for (const auto& [name, value] : names)
        if (text == name) return value;
    if (text.size() == 2 && text[0] == '?' && text[1] >= '1' && text[1] <= '8')
        return text[1] - '0';
    return 0;
}

std::string FileSizeText(std::uint64_t bytes) {
    return std::to_string((bytes + 500) / 1000) + "kb";
}

int TypeSize(int type) {
    switch (type) {
    case 3:
    case 8:
        return 2;
    case 4:
    case 9:
    case 11:
        return 4;
    case 5:
    case 10:
    case 12:
        return 8;
    default:
        return 1; // 1, 2, 6, 7 and unknown types
    }
}

DirEntry ReadDirEntry(TiffStream& s) {
    std::uint8_t b[12];
    s.Read(b, 12);
    DirEntry e;
    e.tag = s.U16(b);
    e.type = s.U16(b + 2);
    e.count = s.U32(b + 4);
    std::memcpy(e.field.data(), b + 8, 4);
    return e;
}

void LoadValueBytes(TiffStream& s, const DirEntry& e, std::int64_t base, ValueBytes& v) {
    // The product wraps as a signed 32-bit number would; a negative length takes the short path.
    v.length = static_cast<std::int32_t>(static_cast<std::uint32_t>(TypeSize(e.type)) * e.count);
    v.tooLong = v.length > ValueBytes::kMax;
    std::memset(v.bytes.data(), 0, ValueBytes::kZeroed);
    if (v.tooLong) return;
    if (v.length <= 4) {
        std::memcpy(v.bytes.data(), e.field.data(), 4);
        return;
    }
    const auto offset = static_cast<std::int32_t>(s.U32(e.field.data()));
    s.ReadAt(base + offset, v.bytes.data(), static_cast<std::size_t>(v.length));
}

// The quick kind from the first four bytes (and, after a JFIF header, the segments up to the
// EXIF block when that option is on).
static FileKind QuickKind(ExifSource& source, bool cached, const ExifReadOptions& options) {
    std::uint8_t b[4];
    if (!(cached ? source.ReadAt(0, b, 4) : source.ReadUncached(0, b, 4))) return FileKind::Unknown;
    if (!Is(b, 0xFF, 0xD8)) return FileKind::NotJpeg;
    if (Is(b + 2, 0xFF, 0xE1)) return FileKind::Exif;
    if (!Is(b + 2, 0xFF, 0xE0)) return FileKind::Jpeg;
    TiffStream s(source);
    try {
        if (options.afterJfif && SeekExifAfterJfif(s, source.Size())) return FileKind::Exif;
    } catch (const ExifReadAborted&) {
    }
    return FileKind::Jfif;
}

void CheckJpegKind(const std::string& fileName, FileKind& kind, const ExifReadOptions& options,
                   int folderFd) {
    if (fileName.empty()) return;
    kind = FileKind::Unknown;
    ExifSource source;
    if (!source.OpenFile(fileName, folderFd)) return;
    kind = QuickKind(source, false, options);
    if (kind == FileKind::NotJpeg && options.otherFormats) {
        thread_local ExifItemTexts record;
        record.Reset();
        ReadExifSource(source, kind, record, options);
    }
}

const char* KindText(FileKind kind, bool quick) {
    switch (kind) {
    case FileKind::Unread:
        return "X";
    case FileKind::Unknown:
        return "JPG?";
    case FileKind::NotJpeg:
        return quick ? "Not JPG" : "Not JPEG";
    case FileKind::Jpeg:
        return "JPEG";
    case FileKind::Jfif:
        return "JFIF";
    case FileKind::BadData:
        return "BADDATA";
    case FileKind::SomethingBad:
        return "Something bad";
    case FileKind::Exif:
        return "EXIF";
    case FileKind::Heif:
        return "HEIF";
    case FileKind::Raw:
        return "RAW";
    }
    return "X";
}

bool ReadExifFile(const std::string& fileName, FileKind& kind, ExifItemTexts& items,
                  const ExifReadOptions& options, FileKind* quickKind, int folderFd) {
    if (fileName.empty()) return true;
    kind = FileKind::Unread;
    ResetExifItems(items);
    if (quickKind) *quickKind = FileKind::Unknown;
    ExifSource source;
    if (!source.OpenFile(fileName, folderFd)) return false;
    if (quickKind) *quickKind = QuickKind(source, true, options);
    const bool read = ReadExifSource(source, kind, items, options);
    // Another format's kind takes a whole read: its EXIF block may lie anywhere.
    if (quickKind && *quickKind == FileKind::NotJpeg && options.otherFormats) *quickKind = kind;
    return read;
}

bool ReadExifMemory(const std::uint8_t* data, std::size_t size, FileKind& kind,
                    ExifItemTexts& items, const ExifReadOptions& options,
                    std::uint64_t* bytesAskedFor) {
    kind = FileKind::Unread;
    ResetExifItems(items);
    ExifSource source;
    source.OpenMemory(data, size);
    const bool read = ReadExifSource(source, kind, items, options);
    if (bytesAskedFor) *bytesAskedFor = source.BytesAskedFor();
    return read;
}

} // namespace kamelune
