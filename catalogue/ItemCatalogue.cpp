#include "ItemCatalogue.h"

#include "catalogue/ItemColumns.h"
#include "exif/ExifReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace kamelune {
namespace {

constexpr std::array<CatalogueItem, kAllItemCount + 1> kCatalogue = {{
    {"", "", ""},
    {" 1) [FileName]", "", "[Filename]"},
    {" 2) ImageDescript.", "ｲﾒｰｼﾞ", "ImageDescription"},
    {" 3) Maker", "ﾒｰｶｰ", "Maker"},
    {" 4) Model", "機種", "Model"},
    {" 5) Orientation", "位置", "Orientation"},
    {" 6) X Reso", "横Res", "X Reso."},
    {" 7) Y Reso", "縦Res", "Y Reso."},
    {" 8) ResoUnit", "Res単位", "Reso.Unit"},
    {" 9) Software", "ｿﾌﾄ", "Software"},
    {"10) DateTime", "日", "DateTime"},
    {"11) WhitePoint", "WPoint", "WhitePoint"},
    {"12) PrimaryChroma.", "Prm.Chrm", "PrimaryChroma."},
    {"13) YCbCrCoeffi.", "YCbCrCo", "YCbCrCoeffi."},
    {"14) YCbCrPosi.", "YCbCrPos", "YCbCrPosi."},
    {"15) ReferenceB&W", "RefB&W", "ReferenceB&W"},
    {"16) Copyright", "Copyright", "Copyright"},
    {"17) ExifOffset", "ExifOffset", "ExifOffset"},
    {"18) Exp.Time", "露光", "Exp.Time"},
    {"19) F Number", "F値", "F Number"},
    {"20) Exp.Program", "露光Prgm", "Exp.Program"},
    {"21) ISOSpeedRatings", "ISO", "ISOSpeedRatings"},
    {"22) ExifVersion", "ExifVer", "ExifVersion"},
    {"23) DateTimeOriginal", "DateOrg.", "DateTimeOriginal"},
    {"24) DateTimeDigitized", "DateDig.", "DateTimeDigitized"},
    {"25) Compo.Config.", "CmpConfig", "Compo.Config."},
    {"26) CompressBPP", "CmprssBPP", "CompressBPP"},
    {"27) ShutterSpeed", "Shutter", "ShutterSPeed"},
    {"28) ApertureValue", "絞り", "ApertureValue"},
    {"29) Brightness", "Brightness", "Brightness"},
    {"30) ExposureBias", "EV", "ExposureBias"},
    {"31) MaxAperture", "開放F", "MaxAperture"},
    {"32) Sub.Distance", "距離", "Sub.Distance"},
    {"33) MeteringMode", "測光", "MeteringMode"},
    {"34) WhiteBalance", "ＷＢ", "LightSource"},
    {"35) Flash", "ﾌﾗｯｼｭ", "Flash"},
    {"36) FocalLength", "焦点距離", "FocalLength"},
    {"37) MakerNote", "ﾒｰｶｰﾉｰﾄ", "MakerNote"},
    {"38) UserComment", "ﾕｰｻﾞｰｺﾒﾝﾄ", "UserComment"},
    {"39) FlashPixVer", "FlshPixVer", "FlashPix Version"},
    {"40) ColorSpace", "ColorSp", "Color Space"},
    {"41) Width", "幅", "Width"},
    {"42) Height", "高さ", "Height"},
    {"43) SoundFile", "SoundFile", "SoundFile"},
    {"44) InterOpeOffset", "IntOpe.Off", "InterOperabilityOffset"},
    {"45) FocalPlaneXRes.", "FPlaneXRes.", "FocalPlaneXRes."},
    {"46) FocalPlaneYRes.", "FPlaneYRes.", "FocalPlaneYRes."},
    {"47) FocalRes.Unit", "FPlaneResUnit", "FocalPlaneRes.Unit"},
    {"48) SensingMethod", "SensMethod", "SensingMethod"},
    {"49) FileSource", "FileSource", "FileSource"},
    {"50) SceneType", "SceneType", "SceneType"},
    {"51) [TYPE]", "[TYPE]", "[TYPE]"},
    {"52) [Width]", "[Width]", "[Width]"},
    {"53) [Height]", "[Height]", "[Height]"},
    {"54) [FileSize]", "[ﾌｧｲﾙｻｲｽﾞ]", "[FileSize]"},
    {"55) [SpecialMode(Oly)]", "ｽﾍﾟｼｬﾙ", "[SpecialMode(Olym)]"},
    {"56) [PanoramaNo(Oly)]", "ﾊﾟﾉﾗﾏ番号", "[PanoramaNo(Olym)]"},
    {"57) [PanoramaDirection(Oly)]", "ﾊﾟﾉﾗﾏ方向", "[PanoramaDirection(Olym)]"},
    {"58) [Macro(Oly)]", "マクロ", "[Macro(Olym)]"},
    {"59) [JpegQuality(Oly)]", "画質", "[JpegQuality(Olym)]"},
    {"60) [DigitalZoom(Oly)]", "ﾃﾞｼﾞｽﾞｰﾑ", "[DigitalZoom(Olym)]"},
    {"61) [Color(E990)]", "Color", "[Color(E990)]"},
    {"62) [Quality(E990)]", "Quality", "[Quality(E990)]"},
    {"63) [WhiteBalance(E990)]", "WB", "[WhiteBalance(E990)]"},
    {"64) [Sharpness(E990)]", "Sharpness", "[Sharpness(E990)]"},
    {"65) [AF(E990)]", "AF", "[AF(E990)]"},
    {"66) [Flash(E990)]", "Flash", "[Flash(E990)]"},
    {"67) [階調(E990)]", "階調", "[階調(E990)]"},
    {"68) [ISO1(E990)]", "ISO1", "[ISO1(E990)]"},
    {"69) [ISO2(E990)]", "ISO2", "[ISO2(E990)]"},
    {"70) [Convereter(E990)]", "Cnvrter", "[Convereter(E990)]"},
    {"71) [FocusArea(E990)]", "FocusArea", "[FocusArea(E990)]"},
    {"72) [距離(E990)]", "距離", "[距離(E990)]"},
    {"73) [電子ｽﾞｰﾑ(E990)]", "電子ｽﾞｰﾑ", "[電子ｽﾞｰﾑ(E990)]"},
    {"74) [Sharpness(E10)]", "Sharpness", "[Sharpness(E10)]"},
    {"75) [Contrast(E10)]", "Contrast", "[Contrast(E10)]"},
    // The items of today's cameras, offered by an option.
    {"76) LensMake", "ﾚﾝｽﾞﾒｰｶｰ", "LensMake"},
    {"77) LensModel", "ﾚﾝｽﾞ", "LensModel"},
    {"78) LensSpec.", "ﾚﾝｽﾞ仕様", "LensSpecification"},
    {"79) FocalLen.35mm", "35mm換算", "FocalLengthIn35mmFilm"},
    {"80) ExposureMode", "露出ﾓｰﾄﾞ", "ExposureMode"},
    {"81) WhiteBalance", "ﾎﾜｲﾄﾊﾞﾗﾝｽ", "WhiteBalance"},
    {"82) SceneCapture", "ｼｰﾝ", "SceneCaptureType"},
    {"83) DigitalZoom", "ﾃﾞｼﾞﾀﾙｽﾞｰﾑ", "DigitalZoomRatio"},
    {"84) Contrast", "ｺﾝﾄﾗｽﾄ", "Contrast"},
    {"85) Saturation", "彩度", "Saturation"},
    {"86) Sharpness", "ｼｬｰﾌﾟﾈｽ", "Sharpness"},
    {"87) SubjectDist.Range", "距離範囲", "SubjectDistanceRange"},
    {"88) BodySerialNo.", "ｼﾘｱﾙ", "BodySerialNumber"},
    {"89) ImageUniqueID", "画像ID", "ImageUniqueID"},
    {"90) OffsetTimeOrig.", "時差", "OffsetTimeOriginal"},
    {"91) SubSecTimeOrig.", "秒以下", "SubSecTimeOriginal"},
    {"92) GPS Latitude", "緯度", "GPSLatitude"},
    {"93) GPS Longitude", "経度", "GPSLongitude"},
    {"94) GPS Altitude", "高度", "GPSAltitude"},
    {"95) GPS DateTime", "GPS日時", "GPSDateTime"},
}};

constexpr int kDefaultChoice[] = {kItemModel,       kItemExposureTime, kItemFNumber,
                                  kItemIsoSpeed,    kItemExposureBias, kItemMeteringMode,
                                  kItemLightSource, kItemFlash,        kItemFocalLength};

} // namespace

const CatalogueItem& CatalogueItemOf(int k) {
    return kCatalogue.at(static_cast<std::size_t>(k >= 1 && k <= kAllItemCount ? k : 0));
}

int ItemNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size()) return 0;
    return value;
}

bool ToggleNumberedRow(StringGrid& grid, ItemList& chosen, int row, std::size_t most) {
    const int place = ItemNumber(grid.Cell(1, row));
    if (place > 0) {
        if (place <= static_cast<int>(chosen.size())) chosen.erase(chosen.begin() + (place - 1));
        grid.SetCell(1, row, "");
        for (std::size_t i = 0; i < chosen.size(); ++i)
            grid.SetCell(1, chosen[i], std::to_string(i + 1));
        return true;
    }
    if (chosen.size() >= most) return false;
    chosen.push_back(row);
    grid.SetCell(1, row, std::to_string(chosen.size()));
    return true;
}

void SetUpItemGrid(StringGrid& grid, int items) {
    grid.BeginUpdate();
    grid.SetRowCount(items + 1);
    grid.SetColCount(4);
    grid.SetFixedRows(1);
    grid.SetFixedCols(1);
    const int widths[] = {140, 40, 100, 120};
    const char* titles[] = {"項目", "選択", "見出し(編集可)", "事例"};
    for (int c = 0; c < 4; ++c) {
        grid.SetColWidth(c, widths[c]);
        grid.SetCell(c, 0, titles[c]);
    }
    for (int k = 1; k <= items; ++k)
        grid.SetCell(0, k, CatalogueItemOf(k).longName);
    grid.EndUpdate();
}

void SetDefaultHeadings(StringGrid& grid, int from) {
    for (int k = from; k < grid.RowCount(); ++k)
        grid.SetCell(2, k, CatalogueItemOf(k).heading);
}

void ChooseDefaultItems(StringGrid& grid) {
    for (int k = 1; k <= 36; ++k)
        grid.SetCell(1, k, "");
    int order = 1;
    for (int item : kDefaultChoice)
        grid.SetCell(1, item, std::to_string(order++));
}

void GridToItemList(const StringGrid& grid, ItemList& list) {
    std::vector<std::pair<int, int>> work; // order number, item
    for (int r = 1; r < grid.RowCount(); ++r) {
        const std::string_view order = grid.Cell(1, r);
        if (!order.empty()) work.emplace_back(ItemNumber(order), r);
    }
    std::sort(work.begin(), work.end());
    list.clear();
    for (const auto& [order, item] : work)
        list.push_back(item);
}

void FillSampleColumn(StringGrid& grid, const StringGrid& base) {
    int source = 1;
    for (int r = 1; r < base.RowCount(); ++r)
        if (IsExifRow(base, r)) {
            source = r;
            break;
        }
    for (int k = 1; k < grid.RowCount(); ++k)
        grid.SetCell(3, k, base.Cell(k + 1, source));
}

} // namespace kamelune
