#include "TiffWriter.h"

#include "support/DataRows.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <tuple>

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

Entry E(const std::string& text) {
    static const std::map<std::string, std::pair<std::uint16_t, int>> kTypes = {
        {"byte", {1, 1}},      {"ascii", {2, 1}},      {"text", {2, 1}},
        {"short", {3, 2}},     {"long", {4, 4}},       {"rational", {5, 4}},
        {"undefined", {7, 1}}, {"srational", {10, 4}}, {"raw", {0, 4}}};
    std::istringstream in(text);
    std::string tag, type;
    in >> tag >> type;
    Entry e;
    e.tag = static_cast<std::uint16_t>(std::stoul(tag, nullptr, 16));
    std::tie(e.type, e.unitSize) = kTypes.at(type);
    const std::string rest =
        Unescape(text.substr(std::min(text.size(), tag.size() + type.size() + 2)));
    if (e.unitSize == 1) {
        for (unsigned char c : rest + std::string(type == "ascii" ? 1 : 0, '\0'))
            e.units.push_back(c);
        e.count = static_cast<std::uint32_t>(e.units.size());
        return e;
    }
    const auto number = [](const std::string& v) { // "0x..." in hex
        return static_cast<std::uint32_t>(std::stoll(v, nullptr, v.starts_with("0x") ? 16 : 10));
    };
    std::istringstream values(rest);
    for (std::string v; values >> v; ++e.count) {
        const auto slash = v.find('/');
        e.units.push_back(number(v.substr(0, slash)));
        if (slash != std::string::npos) e.units.push_back(number(v.substr(slash + 1)));
    }
    if (type == "raw") {
        e = {e.tag, static_cast<std::uint16_t>(e.units.at(0)), e.units.at(1), {e.units.at(2)}, 4};
        e.rawField = true;
    }
    return e;
}

std::vector<Entry> Entries(const std::string& text) {
    std::vector<Entry> out;
    for (const std::string& e : Split(text, ';'))
        out.push_back(E(e));
    return out;
}

Entry MakerNote(std::uint32_t count) {
    Entry e{0x927C, 7, count, {}, 1};
    e.makerNote = true;
    return e;
}

std::string BuildJpeg(const TiffLayout& layout, Order o) {
    std::vector<Entry> ifd0 = layout.ifd0;
    const bool withExif = layout.exifPointer && !layout.exif.empty();
    if (withExif) ifd0.push_back(E("8769 raw 4 1 0")); // offset filled below
    const bool withGps = !layout.gps.empty();
    if (withGps) ifd0.push_back(E("8825 raw 4 1 0")); // likewise

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
