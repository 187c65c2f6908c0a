// The EXIF reader: the kind of a file from its first markers, and the display texts of the EXIF
// items of one picture. No global state: every read fills a record the caller owns.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <string>

namespace kamelune {

constexpr int kItemCount = 75;
// With the items of today's cameras (lens, 35 mm focal length, modes, time offset, GPS), which
// the catalogue offers as an option: items 76 to 95.
constexpr int kAllItemCount = 95;

// Item texts by item number 1..95; "---" for every item the file does not supply.
class ExifItemTexts {
public:
    // The orientation (1 to 8, 0: none) to turn the picture upright by for display: item 5's,
    // or for a file whose EXIF block follows a JFIF header and is not read for the items, that
    // block's. The items stay as read.
    int displayOrientation = 0;

    ExifItemTexts();
    std::string& operator[](int item) {
        written_.set(static_cast<std::size_t>(item));
        return texts_.at(static_cast<std::size_t>(item));
    }
    const std::string& operator[](int item) const {
        return texts_.at(static_cast<std::size_t>(item));
    }
    // Every item "---" again: only the ones written since, as a folder read does this per file.
    void Reset();

private:
    std::array<std::string, kAllItemCount + 1> texts_; // [0] is not an item
    std::bitset<kAllItemCount + 1> written_;
};

inline const std::string kNoValue = "---";

// The items by number: the columns of the tables, the captions, the catalogue's rows. 1 to 54
// come from IFD0, the EXIF directory and the file itself, 55 to 75 from the Olympus and Nikon
// E990 maker notes (74 and 75 from either), 76 to 95 are today's items.
enum ExifItem : int {
    kItemFileName = 1,
    kItemImageDescription = 2,
    kItemMaker = 3,
    kItemModel = 4,
    kItemOrientation = 5,
    kItemXResolution = 6,
    kItemYResolution = 7,
    kItemResolutionUnit = 8,
    kItemSoftware = 9,
    kItemDateTime = 10,
    kItemWhitePoint = 11,
    kItemPrimaryChromaticities = 12,
    kItemYCbCrCoefficients = 13,
    kItemYCbCrPositioning = 14,
    kItemReferenceBlackWhite = 15,
    kItemCopyright = 16,
    kItemExifOffset = 17,
    kItemExposureTime = 18,
    kItemFNumber = 19,
    kItemExposureProgram = 20,
    kItemIsoSpeed = 21,
    kItemExifVersion = 22,
    kItemDateTimeOriginal = 23,
    kItemDateTimeDigitized = 24,
    kItemComponentsConfiguration = 25,
    kItemCompressedBitsPerPixel = 26,
    kItemShutterSpeed = 27,
    kItemAperture = 28,
    kItemBrightness = 29,
    kItemExposureBias = 30,
    kItemMaxAperture = 31,
    kItemSubjectDistance = 32,
    kItemMeteringMode = 33,
    kItemLightSource = 34,
    kItemFlash = 35,
    kItemFocalLength = 36,
    kItemMakerNote = 37,
    kItemUserComment = 38,
    kItemFlashPixVersion = 39,
    kItemColorSpace = 40,
    kItemExifWidth = 41,
    kItemExifHeight = 42,
    kItemSoundFile = 43,
    kItemInteropOffset = 44,
    kItemFocalPlaneXResolution = 45,
    kItemFocalPlaneYResolution = 46,
    kItemFocalPlaneResolutionUnit = 47,
    kItemSensingMethod = 48,
    kItemFileSource = 49,
    kItemSceneType = 50,
    kItemType = 51,
    kItemWidth = 52,
    kItemHeight = 53,
    kItemFileSize = 54,
    kItemOlympusSpecialMode = 55,
    kItemOlympusPanoramaNumber = 56,
    kItemOlympusPanoramaDirection = 57,
    kItemOlympusMacro = 58,
    kItemOlympusQuality = 59,
    kItemOlympusDigitalZoom = 60,
    kItemNikonColor = 61,
    kItemNikonQuality = 62,
    kItemNikonWhiteBalance = 63,
    kItemNikonSharpness = 64,
    kItemNikonFocusMode = 65,
    kItemNikonFlash = 66,
    kItemNikonTone = 67,
    kItemNikonIso = 68,
    kItemNikonIsoSelection = 69,
    kItemNikonConverter = 70,
    kItemNikonFocusArea = 71,
    kItemNikonFocusDistance = 72,
    kItemNikonDigitalZoom = 73,
    kItemNoteSharpness = 74,
    kItemNoteContrast = 75,
    kItemLensMake = 76,
    kItemLensModel = 77,
    kItemLensSpecification = 78,
    kItemFocalLength35mm = 79,
    kItemExposureMode = 80,
    kItemWhiteBalance = 81,
    kItemSceneCaptureType = 82,
    kItemDigitalZoomRatio = 83,
    kItemContrast = 84,
    kItemSaturation = 85,
    kItemSharpness = 86,
    kItemSubjectDistanceRange = 87,
    kItemBodySerialNumber = 88,
    kItemImageUniqueId = 89,
    kItemOffsetTimeOriginal = 90,
    kItemSubSecTimeOriginal = 91,
    kItemGpsLatitude = 92,
    kItemGpsLongitude = 93,
    kItemGpsAltitude = 94,
    kItemGpsDateTime = 95,
};

// Also the EXIF block of a file whose first block is a JFIF header (the first APP1 "Exif\0\0"
// segment before the image data), as photo editors write them.
// otherFormats: a file that is not a JPEG is read as a HEIC/HEIF, CR3, RAF or TIFF-based RAW file
// when its first bytes say it is one.
struct ExifReadOptions {
    bool afterJfif = false;
    bool otherFormats = false;
};

// The orientation value (1 to 8) behind the text of item 5, 0 when there is none.
int OrientationFromText(const std::string& text);

// Every item text := "---".
void ResetExifItems(ExifItemTexts& items);

// What a read found a file to be. KindText gives the text the table's [TYPE] column shows.
enum class FileKind {
    Unread,       // "X": the file could not be opened
    Unknown,      // "JPG?": the quick check could not read four bytes
    NotJpeg,      // "Not JPEG" (the full read), "Not JPG" (the quick check)
    Jpeg,         // "JPEG": another first marker
    Jfif,         // "JFIF"
    BadData,      // "BADDATA": an IFD0 value longer than 1,024 bytes ended the read
    SomethingBad, // "Something bad": an EXIF directory of more than 300 entries
    Exif,         // "EXIF"
    Heif,         // "HEIF": a HEIC/HEIF file without an EXIF block (read with otherFormats)
    Raw,          // "RAW": a RAW file without one
};
// quick: the texts of the quick check, which differ for NotJpeg.
const char* KindText(FileKind kind, bool quick = false);

// Quick kind of a file from its first four bytes: Unknown (could not be read), NotJpeg, Jpeg,
// Jfif or Exif. An empty file name leaves kind as it was. A relative file name counts from
// folderFd when given (the files of a folder opened once).
void CheckJpegKind(const std::string& fileName, FileKind& kind, const ExifReadOptions& options = {},
                   int folderFd = AT_FDCWD);

// Reads one file into items and sets its kind. Returns false when the file could not be opened
// or a read or seek failed on the way; kind then holds the kind reached so far and items what
// was read so far. An empty file name returns true and changes nothing. quickKind, when given,
// receives what CheckJpegKind would say of the file, from the same open and read. folderFd as for
// CheckJpegKind.
bool ReadExifFile(const std::string& fileName, FileKind& kind, ExifItemTexts& items,
                  const ExifReadOptions& options = {}, FileKind* quickKind = nullptr,
                  int folderFd = AT_FDCWD);

// The same read over bytes in memory (tests and fuzzing). bytesAskedFor, when given, receives how
// many bytes the walk read: a bound on its work that no clock decides.
bool ReadExifMemory(const std::uint8_t* data, std::size_t size, FileKind& kind,
                    ExifItemTexts& items, const ExifReadOptions& options = {},
                    std::uint64_t* bytesAskedFor = nullptr);

// "123kb": the size in bytes plus 500, divided by 1000.
std::string FileSizeText(std::uint64_t bytes);

// Size in bytes of one value of a TIFF type.
int TypeSize(int type);

} // namespace kamelune
