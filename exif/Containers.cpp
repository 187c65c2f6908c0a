#include "Containers.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kamelune {
namespace {

constexpr int kMaxBoxes = 256;   // boxes looked at in one parent
constexpr int kMaxItems = 4096;  // entries of an item list or location list
constexpr int kMaxIfds = 16;     // directories of a RAW file walked for previews
constexpr int kMaxEntries = 512; // entries of one of them
constexpr int kMaxSegments = 256;

constexpr std::uint32_t FourCc(const char (&s)[5]) {
    return (std::uint32_t(std::uint8_t(s[0])) << 24) | (std::uint32_t(std::uint8_t(s[1])) << 16) |
           (std::uint32_t(std::uint8_t(s[2])) << 8) | std::uint32_t(std::uint8_t(s[3]));
}

std::uint32_t Be32(TiffStream& s, std::int64_t pos) {
    std::uint8_t b[4];
    s.ReadAt(pos, b, 4);
    return TiffStream::U32(b, ByteOrder::Big);
}
std::uint16_t Be16(TiffStream& s, std::int64_t pos) {
    std::uint8_t b[2];
    s.ReadAt(pos, b, 2);
    return TiffStream::U16(b, ByteOrder::Big);
}
// A big-endian number of 0, 4 or 8 bytes (the field sizes of a location list).
std::uint64_t BeN(TiffStream& s, std::int64_t pos, int bytes) {
    if (bytes == 4) return Be32(s, pos);
    if (bytes == 8) return (std::uint64_t(Be32(s, pos)) << 32) | Be32(s, pos + 4);
    return 0;
}

// One box of an ISO base media file: [start, end) in the file, its contents from payload.
struct Box {
    std::uint32_t type = 0;
    std::int64_t start = 0, payload = 0, end = 0;
};

// The box at pos, ending within limit; false when none fits there.
bool BoxAt(TiffStream& s, std::int64_t pos, std::int64_t limit, Box& box) {
    if (pos < 0 || pos + 8 > limit) return false;
    std::uint64_t size = Be32(s, pos);
    box.type = Be32(s, pos + 4);
    box.start = pos;
    box.payload = pos + 8;
    if (size == 1) { // a 64-bit size follows
        size = BeN(s, pos + 8, 8);
        box.payload = pos + 16;
    } else if (size == 0) { // to the end of its parent
        size = static_cast<std::uint64_t>(limit - pos);
    }
    if (size < static_cast<std::uint64_t>(box.payload - pos) ||
        size > static_cast<std::uint64_t>(limit - pos))
        return false;
    box.end = pos + static_cast<std::int64_t>(size);
    return true;
}

// The first child of type inside [from, limit).
bool FindBox(TiffStream& s, std::int64_t from, std::int64_t limit, std::uint32_t type, Box& out) {
    Box box;
    for (int n = 0; n < kMaxBoxes && BoxAt(s, from, limit, box); ++n, from = box.end) {
        if (box.type == type) {
            out = box;
            return true;
        }
    }
    return false;
}

// The first "uuid" child with the given 16-byte identifier; its children follow the identifier.
bool FindUuidBox(TiffStream& s, std::int64_t from, std::int64_t limit,
                 const std::array<std::uint8_t, 16>& id, Box& out) {
    Box box;
    for (int n = 0; n < kMaxBoxes && BoxAt(s, from, limit, box); ++n, from = box.end) {
        if (box.type != FourCc("uuid") || box.end - box.payload < 16) continue;
        std::array<std::uint8_t, 16> got{};
        s.ReadAt(box.payload, got.data(), 16);
        if (got == id) {
            out = box;
            out.payload += 16;
            return true;
        }
    }
    return false;
}

constexpr std::array<std::uint8_t, 16> kCanonMetadataUuid = {
    0x85, 0xC0, 0xB6, 0x87, 0x82, 0x0F, 0x11, 0xE0, 0x81, 0x11, 0xF4, 0xCE, 0x46, 0x2B, 0x6A, 0x48};
constexpr std::array<std::uint8_t, 16> kCanonPreviewUuid = {
    0xEA, 0xF4, 0x2B, 0x5E, 0x1C, 0x98, 0x4B, 0x88, 0xB9, 0xFB, 0xB7, 0xDC, 0x40, 0x6E, 0x4D, 0x16};

// HEIF: the "Exif" item through the item list and the location list of the "meta" box. The
// item's data begins with the offset of the TIFF header from just past that offset.
std::int64_t HeifExifTiff(TiffStream& s, std::int64_t fileEnd) {
    Box meta, iinf, iloc;
    if (!FindBox(s, 0, fileEnd, FourCc("meta"), meta)) return -1;
    const std::int64_t children = meta.payload + 4; // a full box: version and flags first
    if (!FindBox(s, children, meta.end, FourCc("iinf"), iinf) ||
        !FindBox(s, children, meta.end, FourCc("iloc"), iloc))
        return -1;

    // The item list: its count, then one "infe" box per item; versions 2 and 3 name the type.
    const int infVersion = static_cast<std::uint8_t>(Be32(s, iinf.payload) >> 24);
    std::int64_t pos = iinf.payload + 4 + (infVersion == 0 ? 2 : 4);
    std::uint32_t exifId = 0;
    bool found = false;
    Box infe;
    for (int n = 0; n < kMaxItems && !found && BoxAt(s, pos, iinf.end, infe); ++n, pos = infe.end) {
        if (infe.type != FourCc("infe")) continue;
        const int version = static_cast<std::uint8_t>(Be32(s, infe.payload) >> 24);
        if (version < 2) continue;
        const std::int64_t at = infe.payload + 4;
        const std::uint32_t id = version == 2 ? Be16(s, at) : Be32(s, at);
        const std::int64_t typeAt = at + (version == 2 ? 2 : 4) + 2;
        if (typeAt + 4 <= infe.end && Be32(s, typeAt) == FourCc("Exif")) {
            exifId = id;
            found = true;
        }
    }
    if (!found) return -1;

    // The location list: field sizes, then per item its extents; the first extent holds the
    // start of the data.
    const int version = static_cast<std::uint8_t>(Be32(s, iloc.payload) >> 24);
    if (version > 2) return -1;
    const std::uint16_t sizes = Be16(s, iloc.payload + 4);
    const int offsetSize = sizes >> 12, lengthSize = (sizes >> 8) & 15,
              baseSize = (sizes >> 4) & 15, indexSize = version == 0 ? 0 : sizes & 15;
    for (int n : {offsetSize, lengthSize, baseSize, indexSize})
        if (n != 0 && n != 4 && n != 8) return -1;
    pos = iloc.payload + 6;
    std::uint32_t count = version < 2 ? Be16(s, pos) : Be32(s, pos);
    pos += version < 2 ? 2 : 4;
    for (std::uint32_t k = 0; k < count && k < kMaxItems && pos < iloc.end; ++k) {
        const std::uint32_t id = version < 2 ? Be16(s, pos) : Be32(s, pos);
        pos += version < 2 ? 2 : 4;
        int method = 0;
        if (version >= 1) {
            method = Be16(s, pos) & 15;
            pos += 2;
        }
        pos += 2; // data reference index
        const std::uint64_t base = BeN(s, pos, baseSize);
        pos += baseSize;
        const std::uint16_t extents = Be16(s, pos);
        pos += 2;
        const std::int64_t extentBytes = indexSize + offsetSize + lengthSize;
        if (id == exifId && extents >= 1) {
            const std::uint64_t offset = BeN(s, pos + indexSize, offsetSize);
            const std::uint64_t length = BeN(s, pos + indexSize + offsetSize, lengthSize);
            std::int64_t origin = 0;
            if (method == 1) { // inside the "idat" box of the same "meta"
                Box idat;
                if (!FindBox(s, children, meta.end, FourCc("idat"), idat)) return -1;
                origin = idat.payload;
            } else if (method != 0) {
                return -1;
            }
            const std::uint64_t start = static_cast<std::uint64_t>(origin) + base + offset;
            if (start > static_cast<std::uint64_t>(fileEnd) || (length != 0 && length < 4))
                return -1;
            const std::uint32_t skip = Be32(s, static_cast<std::int64_t>(start));
            if (length != 0 && skip > length - 4) return -1;
            return static_cast<std::int64_t>(start) + 4 + skip;
        }
        pos += extentBytes * extents;
    }
    return -1;
}

// The payload of a CR3 metadata box ("CMT1" .. "CMT4"), -1 when missing.
std::int64_t Cr3Block(TiffStream& s, const Box& metadata, const char (&name)[5]) {
    Box box;
    return FindBox(s, metadata.payload, metadata.end, FourCc(name), box) ? box.payload : -1;
}

bool Cr3Metadata(TiffStream& s, std::int64_t fileEnd, Box& out) {
    Box moov;
    return FindBox(s, 0, fileEnd, FourCc("moov"), moov) &&
           FindUuidBox(s, moov.payload, moov.end, kCanonMetadataUuid, out);
}

// The frame size of the JPEG at [offset, offset + length) and whether libjpeg decodes it (a
// baseline, extended or progressive frame with Huffman coding).
EmbeddedJpeg JpegAt(TiffStream& s, std::uint64_t offset, std::uint64_t length) {
    EmbeddedJpeg jpeg{offset, length, 0, 0};
    if (length < 4 || Be16(s, static_cast<std::int64_t>(offset)) != 0xFFD8) return jpeg;
    std::uint64_t pos = offset + 2;
    for (int n = 0; n < kMaxSegments && pos + 4 <= offset + length; ++n) {
        std::uint8_t m[4];
        s.ReadAt(static_cast<std::int64_t>(pos), m, 4);
        if (m[0] != 0xFF) return jpeg;
        if (m[1] == 0xFF) {
            ++pos;
            continue;
        }
        if (m[1] == 0xC0 || m[1] == 0xC1 || m[1] == 0xC2) {
            jpeg.height = Be16(s, static_cast<std::int64_t>(pos) + 5);
            jpeg.width = Be16(s, static_cast<std::int64_t>(pos) + 7);
            return jpeg;
        }
        if ((m[1] >= 0xC3 && m[1] <= 0xCF && m[1] != 0xC4 && m[1] != 0xC8 && m[1] != 0xCC) ||
            m[1] == 0xDA || m[1] == 0xD9)
            return jpeg; // lossless or arithmetic, or no frame before the data
        pos += 2 + ((m[2] << 8) | m[3]);
    }
    return jpeg;
}

void AddJpeg(TiffStream& s, std::uint64_t offset, std::uint64_t length, std::uint64_t fileSize,
             std::vector<EmbeddedJpeg>& out) {
    if (offset >= fileSize || length == 0) return;
    length = std::min(length, fileSize - offset);
    const EmbeddedJpeg jpeg = JpegAt(s, offset, length);
    if (jpeg.width > 0 && jpeg.height > 0 && std::find(out.begin(), out.end(), jpeg) == out.end())
        out.push_back(jpeg);
}

// The JPEG a box carries after a small header of its own (CR3's "THMB" and "PRVW").
void JpegInBox(TiffStream& s, const Box& box, std::uint64_t fileSize,
               std::vector<EmbeddedJpeg>& out) {
    for (std::int64_t at = box.payload; at + 3 <= box.end && at < box.payload + 32; ++at) {
        std::uint8_t m[3];
        s.ReadAt(at, m, 3);
        if (m[0] == 0xFF && m[1] == 0xD8 && m[2] == 0xFF) {
            AddJpeg(s, static_cast<std::uint64_t>(at), static_cast<std::uint64_t>(box.end - at),
                    fileSize, out);
            return;
        }
    }
}

// Olympus keeps an ORF file's preview in its maker note ("OLYMPUS\0" or "OM SYSTEM\0\0\0", then
// the note's byte order): the CameraSettings directory (0x2020) names the JPEG (0x0101 start,
// 0x0102 length), offsets counting from the note's start.
void OlympusNotePreview(TiffStream& s, std::int64_t note, std::uint64_t fileSize,
                        std::vector<EmbeddedJpeg>& out) {
    std::uint8_t head[16];
    s.ReadAt(note, head, sizeof head);
    std::size_t order = 0;
    if (std::memcmp(head, "OLYMPUS\0", 8) == 0)
        order = 8;
    else if (std::memcmp(head, "OM SYSTEM\0\0\0", 12) == 0)
        order = 12;
    else
        return;
    if (head[order] != head[order + 1] || (head[order] != 'I' && head[order] != 'M')) return;
    const ByteOrder fileOrder = s.order;
    s.order = head[order] == 'I' ? ByteOrder::Little : ByteOrder::Big;
    // The value of tag in the directory at pos (0: none).
    const auto find = [&](std::int64_t pos, std::uint16_t tag) -> std::uint32_t {
        s.Seek(pos);
        const std::uint16_t count = s.ReadU16();
        for (unsigned i = 0; i < count && i < kMaxEntries; ++i) {
            const DirEntry e = ReadDirEntry(s);
            if (e.tag == tag) return s.U32(e.field.data());
        }
        return 0;
    };
    if (const std::uint32_t settings = find(note + static_cast<std::int64_t>(order) + 4, 0x2020)) {
        const std::int64_t at = note + settings;
        const std::uint32_t start = find(at, 0x0101), length = find(at, 0x0102);
        if (start && length) AddJpeg(s, note + std::uint64_t(start), length, fileSize, out);
    }
    s.order = fileOrder;
}

// The directories of a TIFF-based RAW file: IFD0 and those chained after it, with their
// sub-directories; each JPEG one names (JPEGInterchangeFormat, a JPEG strip, RW2's JpgFromRaw),
// and an Olympus maker note's preview.
void TiffPreviews(TiffStream& s, std::uint64_t fileSize, std::vector<EmbeddedJpeg>& out) {
    std::uint8_t b[8];
    s.ReadAt(0, b, 8);
    s.order = b[0] == 'I' ? ByteOrder::Little : ByteOrder::Big;
    s.tiffBase = 0;
    std::vector<std::uint32_t> queue{s.U32(b + 4)};
    std::vector<std::uint32_t> seen;
    std::uint32_t exif = 0;
    for (std::size_t q = 0; q < queue.size() && seen.size() < kMaxIfds; ++q) {
        const std::uint32_t ifd = queue[q];
        if (ifd == 0 || ifd >= fileSize || std::find(seen.begin(), seen.end(), ifd) != seen.end())
            continue;
        seen.push_back(ifd);
        s.Seek(ifd);
        const std::uint16_t count = s.ReadU16();
        if (count > kMaxEntries) continue;
        std::uint64_t jpegStart = 0, jpegLength = 0, strip = 0, stripLength = 0;
        int compression = 0;
        for (unsigned i = 0; i < count; ++i) {
            const DirEntry e = ReadDirEntry(s);
            const std::uint32_t value = e.type == 3 ? s.U16(e.field.data()) : s.U32(e.field.data());
            switch (e.tag) {
            case 0x0103:
                compression = static_cast<int>(value);
                break;
            case 0x0111:
                if (e.count == 1) strip = value;
                break;
            case 0x0117:
                if (e.count == 1) stripLength = value;
                break;
            case 0x0201:
                jpegStart = value;
                break;
            case 0x0202:
                jpegLength = value;
                break;
            case 0x002E: // RW2: a whole JPEG, EXIF and all
                AddJpeg(s, value, e.count, fileSize, out);
                break;
            case 0x8769:
                if (!exif) exif = value;
                break;
            case 0x014A: { // sub-directories: one in the field, or a list of offsets
                const std::uint32_t n = std::min<std::uint32_t>(e.count, 8);
                if (n == 1) {
                    queue.push_back(value);
                } else {
                    std::uint8_t list[32];
                    s.ReadAt(value, list, 4 * n);
                    for (std::uint32_t k = 0; k < n; ++k)
                        queue.push_back(s.U32(list + 4 * k));
                }
                break;
            }
            default:
                break;
            }
        }
        if (jpegStart && jpegLength) AddJpeg(s, jpegStart, jpegLength, fileSize, out);
        if ((compression == 6 || compression == 7) && strip && stripLength)
            AddJpeg(s, strip, stripLength, fileSize, out);
        queue.push_back(s.ReadU32()); // the next directory of the chain
    }
    if (exif == 0 || exif >= fileSize) return;
    s.Seek(exif);
    const std::uint16_t count = s.ReadU16();
    for (unsigned i = 0; i < count && i < kMaxEntries; ++i) {
        const DirEntry e = ReadDirEntry(s);
        if (e.tag == 0x927C && e.count > 4) {
            OlympusNotePreview(s, s.U32(e.field.data()), fileSize, out);
            return;
        }
    }
}

} // namespace

PictureFormat FormatOfHead(const std::uint8_t* h) {
    if (h[0] == 0xFF && h[1] == 0xD8) return PictureFormat::Jpeg;
    if (std::memcmp(h, "FUJIFILMCCD-RAW ", 16) == 0) return PictureFormat::Raf;
    const auto head4 = [h](const char* magic) { return std::memcmp(h, magic, 4) == 0; };
    if (head4("II*\0") || head4("MM\0*") || head4("IIRO") || head4("IIRS") || head4("MMOR") ||
        head4("IIU\0"))
        return PictureFormat::TiffRaw;
    if (std::memcmp(h + 4, "ftyp", 4) == 0) {
        if (std::memcmp(h + 8, "crx ", 4) == 0) return PictureFormat::Cr3;
        for (const char* brand : {"heic", "heix", "hevc", "hevx", "heim", "heis", "mif1", "msf1"})
            if (std::memcmp(h + 8, brand, 4) == 0) return PictureFormat::Heif;
    }
    return PictureFormat::Unknown;
}

ExifLocation LocateExif(TiffStream& s, PictureFormat format) {
    ExifLocation where;
    const auto end = static_cast<std::int64_t>(s.Size());
    switch (format) {
    case PictureFormat::TiffRaw:
        where.ifd0Tiff = 0;
        break;
    case PictureFormat::Heif:
        where.ifd0Tiff = HeifExifTiff(s, end);
        break;
    case PictureFormat::Cr3: {
        Box metadata;
        if (Cr3Metadata(s, end, metadata)) {
            where.ifd0Tiff = Cr3Block(s, metadata, "CMT1");
            where.exifTiff = Cr3Block(s, metadata, "CMT2");
            where.gpsTiff = Cr3Block(s, metadata, "CMT4");
        }
        break;
    }
    case PictureFormat::Raf:
        where.jpegOffset = Be32(s, 84);
        where.jpegLength = Be32(s, 88);
        if (where.jpegOffset >= s.Size()) where.jpegLength = 0;
        break;
    case PictureFormat::Jpeg:
        where.ifd0Tiff = -1;
        break;
    case PictureFormat::Unknown:
        break;
    }
    if (where.ifd0Tiff >= end) where.ifd0Tiff = -1;
    return where;
}

std::vector<EmbeddedJpeg> FindEmbeddedJpegs(ExifSource& source, PictureFormat format) {
    std::vector<EmbeddedJpeg> out;
    TiffStream s(source);
    const std::uint64_t size = source.Size();
    try {
        switch (format) {
        case PictureFormat::TiffRaw:
            TiffPreviews(s, size, out);
            break;
        case PictureFormat::Raf: {
            const ExifLocation where = LocateExif(s, format);
            AddJpeg(s, where.jpegOffset, where.jpegLength, size, out);
            break;
        }
        case PictureFormat::Cr3: {
            Box metadata, preview, prvw, thmb;
            const auto end = static_cast<std::int64_t>(size);
            if (FindUuidBox(s, 0, end, kCanonPreviewUuid, preview) &&
                FindBox(s, preview.payload + 8, preview.end, FourCc("PRVW"), prvw))
                JpegInBox(s, prvw, size, out);
            if (Cr3Metadata(s, end, metadata) &&
                FindBox(s, metadata.payload, metadata.end, FourCc("THMB"), thmb))
                JpegInBox(s, thmb, size, out);
            break;
        }
        case PictureFormat::Jpeg:
        case PictureFormat::Heif:
        case PictureFormat::Unknown:
            break;
        }
    } catch (const ExifReadAborted&) {
        out.clear();
    }
    return out;
}

const EmbeddedJpeg* ChoosePreview(const std::vector<EmbeddedJpeg>& previews, int minWidth,
                                  int minHeight, int minLongerSide) {
    const EmbeddedJpeg *best = nullptr, *largest = nullptr;
    const auto area = [](const EmbeddedJpeg& p) { return std::int64_t(p.width) * p.height; };
    for (const EmbeddedJpeg& p : previews) {
        if (!largest || area(p) > area(*largest)) largest = &p;
        const bool enough = (minWidth <= 0 || p.width >= minWidth) &&
                            (minHeight <= 0 || p.height >= minHeight) &&
                            std::max(p.width, p.height) >= minLongerSide;
        if (enough && (!best || area(p) < area(*best))) best = &p;
    }
    const bool any = minWidth <= 0 && minHeight <= 0 && minLongerSide <= 0;
    return best && !any ? best : largest;
}

} // namespace kamelune
