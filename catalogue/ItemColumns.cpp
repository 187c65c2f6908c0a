#include "catalogue/ItemColumns.h"
#include "platform/Cp932.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace kamelune {
namespace {

std::string Format5d(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%5d", n);
    return buffer;
}

// A signed decimal number of at most `limit` degrees, as the reader writes one.
bool InDegreeRange(const std::string& text, double limit) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && stop == end && value >= -limit && value <= limit;
}

} // namespace

std::string FirstChars(const std::string& utf8, std::size_t n) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < n && pos < utf8.size(); ++i)
        NextCodePoint(utf8, pos);
    return utf8.substr(0, pos);
}

std::string TrimText(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= ' ')
        ++a;
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= ' ')
        --b;
    return std::string(s.substr(a, b - a));
}

void SetTitleRow(StringGrid& grid, int rows, int items) {
    grid.BeginUpdate();
    grid.SetRowCount(rows);
    grid.SetColCount(items + 2);
    grid.SetFixedRows(1);
    grid.SetFixedCols(1);
    grid.SetDefaultColWidth(50);
    grid.SetColWidth(0, 40);
    grid.SetColWidth(1, 30);
    grid.SetColWidth(2, 100);
    grid.SetDefaultRowHeight(16);
    grid.SetCell(0, 0, "No");
    grid.SetCell(1, 0, "Select");
    for (int k = 1; k <= items; ++k)
        grid.SetCell(k + 1, 0, CatalogueItemOf(k).gridTitle);
    grid.EndUpdate();
}

void WriteParaToGrid(StringGrid& base, int row, const std::string& name, FileKind kind,
                     const ExifItemTexts& items, ReadFlags limits) {
    base.SetColCount(limits.items + 2);
    // The row in one write: threads that read a folder each write whole rows of their own.
    const std::string number = Format5d(row);
    const std::string makerNote = FirstChars(items[kItemMakerNote], 5);
    const std::string userComment = FirstChars(items[kItemUserComment], 5);
    std::array<std::string_view, kAllItemCount + 2> cells{};
    cells[0] = number;
    cells[kNameCol] = name;
    cells[kTypeCol] = KindText(kind);
    for (int k = kItemImageDescription; k <= limits.items; ++k)
        if (k != kItemType) cells[static_cast<std::size_t>(ItemCol(k))] = items[k];
    if (limits.makerNote) cells[ItemCol(kItemMakerNote)] = makerNote;
    if (limits.userComment) cells[ItemCol(kItemUserComment)] = userComment;
    base.SetRow(row, std::span(cells.data(), static_cast<std::size_t>(limits.items) + 2));
}

void ClearGrid(StringGrid& grid) {
    grid.ClearCells();
}

void ClearGridKeepingSelection(StringGrid& grid) {
    grid.ClearColumnsFrom(2);
}

std::string MapUrl(const StringGrid& base, int pictNo) {
    const std::string lat(base.Cell(ItemCol(kItemGpsLatitude), pictNo));
    const std::string lon(base.Cell(ItemCol(kItemGpsLongitude), pictNo));
    if (!InDegreeRange(lat, 90) || !InDegreeRange(lon, 180)) return {};
    return "https://www.openstreetmap.org/?mlat=" + lat + "&mlon=" + lon + "#map=16/" + lat + "/" +
           lon;
}

} // namespace kamelune
