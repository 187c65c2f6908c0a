#include "TiffWriter.h"

#include <algorithm>

namespace kamelune::test {
namespace {

void Put(std::string& out, std::uint32_t v, int size, Order o) {
    for (int i = 0; i < size; ++i) {
        const int shift = o == Order::II ? 8 * i : 8 * (size - 1 - i);
        out += static_cast<char>((v >> shift) & 0xFF);
    }
}

std::string Units(const Entry& e, Order o) {
    std::string out;
    for (std::uint32_t u : e.units)
        Put(out, u, e.unitSize, o);
    return out;
}

// A directory at offset `at` (from the offset base): count, entries, next offset 0, then the
// values longer than four bytes. makerNoteAt/makerNoteSize fill the maker-note entry.
std::string Directory(const std::vector<Entry>& entries, Order o, std::uint32_t at,
                      std::uint32_t makerNoteAt = 0, std::uint32_t makerNoteSize = 0) {
    std::string dir, data;
    const std::uint32_t dataAt = at + 2 + 12 * static_cast<std::uint32_t>(entries.size()) + 4;
    Put(dir, static_cast<std::uint32_t>(entries.size()), 2, o);
    for (const Entry& e : entries) {
        Put(dir, e.tag, 2, o);
        Put(dir, e.type, 2, o);
        if (e.makerNote) {
            Put(dir, e.count ? e.count : makerNoteSize, 4, o);
            Put(dir, makerNoteAt, 4, o);
            continue;
        }
        Put(dir, e.count, 4, o);
        if (e.rawField) {
            Put(dir, e.units.at(0), 4, o);
            continue;
        }
        std::string value = Units(e, o);
        if (value.size() <= 4) {
            value.resize(4, '\0');
            dir += value;
        } else {
            Put(dir, dataAt + static_cast<std::uint32_t>(data.size()), 4, o);
            data += value;
            if (data.size() % 2) data += '\0';
        }
    }
    Put(dir, 0, 4, o);
    return dir + data;
}

} // namespace

Entry Ascii(std::uint16_t tag, const std::string& text, bool withNul) {
    Entry e = Bytes(tag, withNul ? text + std::string(1, '\0') : text, 2);
    return e;
}

Entry Bytes(std::uint16_t tag, const std::string& bytes, std::uint16_t type) {
    Entry e{tag, type, static_cast<std::uint32_t>(bytes.size()), {}, 1};
    for (char c : bytes)
        e.units.push_back(static_cast<unsigned char>(c));
    return e;
}

Entry Short(std::uint16_t tag, std::vector<std::uint32_t> values) {
    const auto n = static_cast<std::uint32_t>(values.size());
    return {tag, 3, n, std::move(values), 2};
}

Entry Long(std::uint16_t tag, std::vector<std::uint32_t> values) {
    const auto n = static_cast<std::uint32_t>(values.size());
    return {tag, 4, n, std::move(values), 4};
}

Entry Rational(std::uint16_t tag, std::vector<std::pair<std::uint32_t, std::uint32_t>> values) {
    Entry e{tag, 5, static_cast<std::uint32_t>(values.size()), {}, 4};
    for (auto [n, d] : values)
        e.units.insert(e.units.end(), {n, d});
    return e;
}

Entry SRational(std::uint16_t tag, std::vector<std::pair<std::int32_t, std::int32_t>> values) {
    Entry e{tag, 10, static_cast<std::uint32_t>(values.size()), {}, 4};
    for (auto [n, d] : values)
        e.units.insert(e.units.end(),
                       {static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(d)});
    return e;
}

Entry RawField(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t field) {
    Entry e{tag, type, count, {field}, 4};
    e.rawField = true;
    return e;
}

Entry MakerNote(std::uint32_t count) {
    Entry e{0x927C, 7, count, {}, 1};
    e.makerNote = true;
    return e;
}

std::string BuildJpeg(const TiffLayout& layout, Order o) {
    std::vector<Entry> ifd0 = layout.ifd0;
    const bool withExif = layout.exifPointer && !layout.exif.empty();
    if (withExif) ifd0.push_back(RawField(0x8769, 4, 1, 0)); // offset filled below
    const bool withGps = !layout.gps.empty();
    if (withGps) ifd0.push_back(RawField(0x8825, 4, 1, 0)); // likewise

    // TIFF header (8 bytes), IFD0, the EXIF directory, the maker note.
    const std::uint32_t ifd0At = 8;
    const std::uint32_t ifd0Size = static_cast<std::uint32_t>(Directory(ifd0, o, ifd0At).size());
    const std::uint32_t exifAt = ifd0At + ifd0Size;
    if (withExif) ifd0[ifd0.size() - (withGps ? 2 : 1)].units[0] = exifAt;
    const std::uint32_t exifSize =
        withExif ? static_cast<std::uint32_t>(Directory(layout.exif, o, exifAt).size()) : 0;
    const std::uint32_t noteAt = exifAt + exifSize;

    std::string note;
    if (layout.makerNote) {
        const MakerNoteLayout& m = *layout.makerNote;
        const Order noteOrder = m.order.value_or(o);
        const auto headerSize = static_cast<std::uint32_t>(m.header.size());
        const std::uint32_t base = m.offsetsFromNote ? headerSize : noteAt + headerSize;
        note = m.header + Directory(m.entries, noteOrder, base);
    }
    const std::string exifBytes = withExif ? Directory(layout.exif, o, exifAt, noteAt,
                                                       static_cast<std::uint32_t>(note.size()))
                                           : std::string();
    const auto gpsAt = static_cast<std::uint32_t>(noteAt + note.size());
    if (withGps) ifd0.back().units[0] = gpsAt;
    const std::string ifd0Bytes = Directory(ifd0, o, ifd0At);
    const std::string gpsBytes = withGps ? Directory(layout.gps, o, gpsAt) : std::string();

    std::string tiff = o == Order::II ? "II" : "MM";
    Put(tiff, 42, 2, o);
    Put(tiff, ifd0At, 4, o);
    tiff += ifd0Bytes + exifBytes + note + gpsBytes;

    std::string jpeg = "\xFF\xD8\xFF";
    jpeg += static_cast<char>(layout.secondMarker);
    Put(jpeg, static_cast<std::uint32_t>(std::min<std::size_t>(tiff.size() + 8, 0xFFFF)), 2,
        Order::MM);
    jpeg += std::string("Exif\0\0", 6) + tiff + "\xFF\xD9";
    return jpeg;
}

} // namespace kamelune::test
