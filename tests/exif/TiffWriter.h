// Test-only writer of JPEG files with an EXIF block, so that a case states its entries in a line
// or two and gets the same data in "II" and "MM" byte order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kamelune::test {

enum class Order { II, MM };

struct Entry {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    std::vector<std::uint32_t> units; // each written in unitSize bytes, in the file's order
    int unitSize = 1;
    bool rawField = false;  // the value field is units[0] as it stands, no data area
    bool makerNote = false; // value is the maker note of the TiffLayout
};

// An entry as the data files write it: "TAG TYPE VALUES", TAG in hex. TYPE is one of byte, ascii
// (a NUL added), text (type 2 as given) and undefined, each followed by its bytes (\0 and \xHH
// escapes); short, long, rational N/D and srational N/D, followed by numbers (hex after "0x");
// or raw TYPE COUNT FIELD, an entry whose value field is FIELD as it stands.
Entry E(const std::string& text);
// Entries separated by ";".
std::vector<Entry> Entries(const std::string& text);
// The maker note of the TiffLayout; its count is the note's size unless one is given.
Entry MakerNote(std::uint32_t count = 0);

struct MakerNoteLayout {
    std::string header; // bytes before the entry count
    std::vector<Entry> entries;
    bool offsetsFromNote = false; // value offsets count from the note's start, not the TIFF header
    std::optional<Order> order;   // the note's own byte order (else the file's)
};

// A note in the file's byte order whose offsets count from the TIFF header (older Olympus, Nikon).
inline MakerNoteLayout Note(std::string header, std::vector<Entry> entries) {
    MakerNoteLayout m;
    m.header = std::move(header);
    m.entries = std::move(entries);
    return m;
}

struct TiffLayout {
    std::vector<Entry> ifd0;
    std::vector<Entry> exif;
    std::optional<MakerNoteLayout> makerNote;
    std::vector<Entry> gps;  // the GPS directory, after the maker note, pointed to by 0x8825
    bool exifPointer = true; // add 0x8769 at the end of IFD0 when exif has entries
    std::uint8_t secondMarker = 0xE1;
};

// SOI, the marker, an APP1 length, "Exif\0\0", the TIFF block, EOI.
std::string BuildJpeg(const TiffLayout& layout, Order order);

} // namespace kamelune::test
