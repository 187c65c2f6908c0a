#include "RawShapes.h"

#include <cstdint>

namespace kamelune::test {
namespace {

std::uint32_t Get(const std::string& b, std::size_t at, int size, bool ii) {
    std::uint32_t v = 0;
    for (int i = 0; i < size; ++i) {
        const auto byte = static_cast<std::uint8_t>(b.at(at + static_cast<std::size_t>(i)));
        v |= std::uint32_t(byte) << (ii ? 8 * i : 8 * (size - 1 - i));
    }
    return v;
}

void Set(std::string& b, std::size_t at, std::uint32_t v, int size, bool ii) {
    for (int i = 0; i < size; ++i)
        b.at(at + static_cast<std::size_t>(i)) =
            static_cast<char>(v >> (ii ? 8 * i : 8 * (size - 1 - i)));
}

std::string Put(std::uint32_t v, int size, bool ii) {
    std::string out(static_cast<std::size_t>(size), '\0');
    Set(out, 0, v, size, ii);
    return out;
}

std::string Box(const char* type, const std::string& payload) {
    return Put(static_cast<std::uint32_t>(payload.size() + 8), 4, false) + type + payload;
}

const std::string kCanonMetadataUuid =
    "\x85\xC0\xB6\x87\x82\x0F\x11\xE0\x81\x11\xF4\xCE\x46\x2B\x6A\x48";
const std::string kCanonPreviewUuid =
    "\xEA\xF4\x2B\x5E\x1C\x98\x4B\x88\xB9\xFB\xB7\xDC\x40\x6E\x4D\x16";

// The TIFF structure of the JPEG's EXIF segment; empty when it has none.
std::string TiffBlock(const std::string& jpeg) {
    std::size_t pos = 2;
    while (pos + 10 <= jpeg.size() && static_cast<std::uint8_t>(jpeg[pos]) == 0xFF) {
        const auto marker = static_cast<std::uint8_t>(jpeg[pos + 1]);
        const std::size_t length = Get(jpeg, pos + 2, 2, false);
        if (marker == 0xDA || length < 2) break;
        if (marker == 0xE1 && jpeg.compare(pos + 4, 6, std::string("Exif\0\0", 6)) == 0)
            return jpeg.substr(pos + 10, length - 8);
        pos += 2 + length;
    }
    return {};
}

// The value field of an IFD0 entry (a pointer), 0 when IFD0 has no such tag.
std::uint32_t Ifd0Pointer(const std::string& tiff, std::uint16_t tag, bool ii) {
    const std::size_t ifd = Get(tiff, 4, 4, ii);
    const std::uint32_t count = Get(tiff, ifd, 2, ii);
    for (std::uint32_t k = 0; k < count; ++k)
        if (Get(tiff, ifd + 2 + 12 * k, 2, ii) == tag)
            return Get(tiff, ifd + 2 + 12 * k + 8, 4, ii);
    return 0;
}

// The place of the next-directory offset of the last directory of the chain from IFD0.
std::size_t LastNextField(const std::string& tiff, bool ii) {
    std::size_t ifd = Get(tiff, 4, 4, ii), field = 4;
    for (int k = 0; k < 8 && ifd != 0 && ifd + 2 <= tiff.size(); ++k) {
        field = ifd + 2 + 12 * Get(tiff, ifd, 2, ii);
        ifd = Get(tiff, field, 4, ii);
    }
    return field;
}

constexpr std::uint32_t kPreviewAt = 0xFFFFFFF0, kPreviewLength = 0xFFFFFFF1;
struct Field {
    std::uint16_t tag, type;
    std::uint32_t count, value;
};

// tiff with one more directory chained at its end, naming the preview appended after it.
std::string WithPreviewIfd(std::string tiff, const std::vector<Field>& fields,
                           const std::string& preview, bool ii) {
    if (tiff.size() % 2) tiff += '\0';
    const auto ifdAt = static_cast<std::uint32_t>(tiff.size());
    const auto previewAt = static_cast<std::uint32_t>(ifdAt + 2 + 12 * fields.size() + 4);
    Set(tiff, LastNextField(tiff, ii), ifdAt, 4, ii);
    tiff += Put(static_cast<std::uint32_t>(fields.size()), 2, ii);
    for (const Field& f : fields) {
        const std::uint32_t value = f.value == kPreviewAt       ? previewAt
                                    : f.value == kPreviewLength ? std::uint32_t(preview.size())
                                                                : f.value;
        const std::uint32_t count =
            f.count == kPreviewLength ? std::uint32_t(preview.size()) : f.count;
        tiff += Put(f.tag, 2, ii) + Put(f.type, 2, ii) + Put(count, 4, ii) +
                (f.type == 3 ? Put(value, 2, ii) + std::string(2, '\0') : Put(value, 4, ii));
    }
    tiff += Put(0, 4, ii);
    return tiff + preview;
}

} // namespace

const std::vector<RawShapeName>& AllRawShapes() {
    static const std::vector<RawShapeName> shapes = {
        {RawShape::Dng, "dng"}, {RawShape::Cr2, "cr2"}, {RawShape::Nef, "nef"},
        {RawShape::Nrw, "nrw"}, {RawShape::Arw, "arw"}, {RawShape::Orf, "orf"},
        {RawShape::Rw2, "rw2"}, {RawShape::Pef, "pef"}, {RawShape::Srw, "srw"},
        {RawShape::Cr3, "cr3"}, {RawShape::Raf, "raf"}};
    return shapes;
}

std::string CameraJpeg(const std::string& jpeg) {
    if (jpeg.size() > 6 && static_cast<std::uint8_t>(jpeg[3]) == 0xE0)
        return jpeg.substr(0, 2) + jpeg.substr(4 + Get(jpeg, 4, 2, false));
    return jpeg;
}

std::string BuildRawShape(const std::string& jpeg, RawShape shape, const std::string& bigPreview) {
    std::string tiff = TiffBlock(jpeg);
    if (tiff.size() < 8) return {};
    const bool ii = tiff[0] == 'I';
    const std::string preview = bigPreview.empty() ? CameraJpeg(jpeg) : bigPreview;
    switch (shape) {
    case RawShape::Cr3: {
        std::string exif = tiff, gps = tiff;
        Set(exif, 4, Ifd0Pointer(tiff, 0x8769, ii), 4, ii);
        std::string boxes = Box("CMT1", tiff) + Box("CMT2", exif);
        if (const std::uint32_t gpsAt = Ifd0Pointer(tiff, 0x8825, ii)) {
            Set(gps, 4, gpsAt, 4, ii);
            boxes += Box("CMT4", gps);
        }
        boxes += Box("THMB", std::string(16, '\0') + preview);
        const std::string ftyp = Box("ftyp", "crx " + Put(1, 4, false) + "crx isom");
        const std::string moov = Box("moov", Box("uuid", kCanonMetadataUuid + boxes));
        const std::string prvw = Box("uuid", kCanonPreviewUuid + std::string(8, '\0') +
                                                 Box("PRVW", std::string(16, '\0') + preview));
        return ftyp + moov + prvw + Box("mdat", "");
    }
    case RawShape::Raf: {
        std::string head = "FUJIFILMCCD-RAW 0201FF383501";
        head += std::string("FinePix RAW shape").append(32 - 17, '\0') + "0100";
        head.resize(84, '\0');
        head += Put(160, 4, false) + Put(static_cast<std::uint32_t>(preview.size()), 4, false);
        head.resize(160, '\0');
        return head + preview;
    }
    case RawShape::Orf:
        tiff.replace(0, 4, ii ? "IIRO" : "MMOR");
        break;
    case RawShape::Rw2:
        if (ii) tiff.replace(0, 4, std::string("IIU\0", 4)); // Panasonic writes no other order
        return WithPreviewIfd(tiff, {{0x002E, 7, kPreviewLength, kPreviewAt}}, preview, ii);
    case RawShape::Cr2:
        return WithPreviewIfd(
            tiff, {{0x0103, 3, 1, 6}, {0x0111, 4, 1, kPreviewAt}, {0x0117, 4, 1, kPreviewLength}},
            preview, ii);
    case RawShape::Dng:
        return WithPreviewIfd(tiff,
                              {{0x00FE, 4, 1, 1},
                               {0x0103, 3, 1, 7},
                               {0x0111, 4, 1, kPreviewAt},
                               {0x0117, 4, 1, kPreviewLength}},
                              preview, ii);
    default:
        break;
    }
    return WithPreviewIfd(tiff, {{0x0201, 4, 1, kPreviewAt}, {0x0202, 4, 1, kPreviewLength}},
                          preview, ii);
}

} // namespace kamelune::test
