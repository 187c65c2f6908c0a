#include "Pkm.h"

#include "catalogue/ItemCatalogue.h"
#include "exif/ExifReader.h"

#include <algorithm>
#include <charconv>

namespace kamelune {
namespace {

bool ParseInt(const std::string& text, long long& value) {
    std::string_view t = text;
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    return !t.empty() && ec == std::errc() && ptr == t.data() + t.size();
}

std::uint32_t ColorOf(const std::string& line) {
    long long v = 0;
    ParseInt(line, v);
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(v));
}

} // namespace

std::vector<std::string> EmphasisCandidates(const ItemList& items, const StringGrid& grid) {
    std::vector<std::string> names;
    for (const int item : items)
        names.emplace_back(grid.Cell(0, item));
    return names;
}

void SetEmphasisNames(DisplayAttributes& a, const std::vector<std::string>& names) {
    a.emphasisNames = names;
    a.emphasisChecked.assign(names.size(), false);
}

void SetDefaultDisplay(DisplayAttributes& a, const std::vector<std::string>& names) {
    DisplayAttributes d;
    SetEmphasisNames(d, names);
    for (std::size_t k : {2u, 7u})
        if (k < d.emphasisChecked.size()) d.emphasisChecked[k] = true;
    a = d;
}

void SetBuiltInChoice(StringGrid& grid, ItemList& items, DisplayAttributes& a) {
    SetUpItemGrid(grid, std::max(kItemCount, grid.RowCount() - 1)); // keeps today's items
    SetDefaultHeadings(grid);
    ChooseDefaultItems(grid);
    GridToItemList(grid, items);
    SetDefaultDisplay(a, EmphasisCandidates(items, grid));
}

std::vector<std::string> BuiltInPkmLines() {
    StringGrid grid(4, kItemRows);
    ItemList items;
    DisplayAttributes a;
    SetBuiltInChoice(grid, items, a);
    return MakePkmLines(grid, a);
}

std::vector<std::string> MakePkmLines(const StringGrid& grid, const DisplayAttributes& a) {
    std::vector<std::string> lines;
    for (int r = 1; r <= 75; ++r)
        lines.emplace_back(grid.Cell(1, r));
    for (int r = 1; r <= 75; ++r)
        lines.emplace_back(grid.Cell(2, r));
    lines.push_back(std::to_string(a.emphasisChecked.size()));
    for (bool checked : a.emphasisChecked)
        lines.push_back(checked ? "1" : "0");
    for (std::uint32_t c : {a.panelColor, a.selectedColor, a.numberColor, a.fileNameColor,
                            a.selectionNumberColor, a.textColor, a.textBackColor, a.emphasisColor})
        lines.push_back(std::to_string(static_cast<std::int32_t>(c)));
    lines.push_back(std::to_string(a.textSizeIndex));
    lines.push_back(a.transparent ? "1" : "0");
    // Today's items, when the catalogue has them: their order numbers and headings after the
    // rest, so that a file without them is as it always was.
    if (grid.RowCount() > kItemRows) {
        for (int r = kItemCount + 1; r <= kAllItemCount; ++r)
            lines.emplace_back(grid.Cell(1, r));
        for (int r = kItemCount + 1; r <= kAllItemCount; ++r)
            lines.emplace_back(grid.Cell(2, r));
    }
    return lines;
}

namespace {

constexpr int kModernCount = kAllItemCount - kItemCount;

// Where today's items begin in a file's lines, or 0 when it has none.
std::size_t ModernAt(const std::vector<std::string>& lines) {
    long long n = 0;
    if (lines.size() < 161 || !ParseInt(lines[150], n) || n < 0) return 0;
    const std::size_t at = 161 + static_cast<std::size_t>(n);
    return lines.size() >= at + 2 * kModernCount ? at : 0;
}

} // namespace

bool PkmNamesModernItems(const std::vector<std::string>& lines) {
    const std::size_t at = ModernAt(lines);
    if (!at) return false;
    for (int j = 0; j < kModernCount; ++j)
        if (!lines[at + j].empty()) return true;
    return false;
}

FileResult CheckPkmLines(const std::vector<std::string>& lines) {
    auto fail = [](const std::string& why) { return FileResult::Fail(why); };
    long long n = 0;
    if (lines.size() < 161)
        return fail("lines: " + std::to_string(lines.size()) + " of at least 161");
    for (int j = 0; j < 75; ++j) {
        long long order = 0;
        if (!lines[j].empty() && !ParseInt(lines[j], order))
            return fail("line " + std::to_string(j + 1) + " is not an order number");
    }
    if (!ParseInt(lines[150], n) || n < 0 || n > kAllItemCount)
        return fail("line 151 is not an entry count");
    if (lines.size() < static_cast<std::size_t>(161 + n))
        return fail("lines: " + std::to_string(lines.size()) + " of " + std::to_string(161 + n));
    for (int j = 151 + static_cast<int>(n); j < 160 + static_cast<int>(n); ++j) {
        long long v = 0;
        if (!ParseInt(lines[j], v) || v < INT32_MIN || v > UINT32_MAX)
            return fail("line " + std::to_string(j + 1) + " is not a number");
    }
    long long index = 0;
    ParseInt(lines[159 + n], index);
    if (index < 0 || index > 3)
        return fail("line " + std::to_string(160 + n) + " is not a font entry");
    if (const std::size_t at = ModernAt(lines))
        for (std::size_t j = at; j < at + kModernCount; ++j) {
            long long order = 0;
            if (!lines[j].empty() && !ParseInt(lines[j], order))
                return fail("line " + std::to_string(j + 1) + " is not an order number");
        }
    return FileResult::Ok();
}

void ReadItemGrid(const std::vector<std::string>& lines, StringGrid& grid) {
    for (int j = 0; j < 75 && j < static_cast<int>(lines.size()); ++j)
        grid.SetCell(1, j + 1, lines[j]);
    for (int j = 0; j < 75 && 75 + j < static_cast<int>(lines.size()); ++j)
        grid.SetCell(2, j + 1, lines[75 + j]);
    // Today's items, into a grid that has them; a file without them leaves them unchosen.
    if (grid.RowCount() <= kItemRows) return;
    const std::size_t at = ModernAt(lines);
    for (int j = 0; j < kModernCount; ++j) {
        grid.SetCell(1, kItemCount + 1 + j, at ? lines[at + j] : std::string());
        if (at) grid.SetCell(2, kItemCount + 1 + j, lines[at + kModernCount + j]);
    }
}

void ReadItemFileAttributes(const std::vector<std::string>& lines,
                            const std::vector<std::string>& names, DisplayAttributes& a) {
    long long n = 0;
    ParseInt(lines.at(150), n);
    a.emphasisNames.clear();
    a.emphasisChecked.clear();
    for (int k = 0; k < n; ++k) {
        a.emphasisNames.push_back(k < static_cast<int>(names.size()) ? names[k] : std::string());
        a.emphasisChecked.push_back(lines.at(151 + k) == "1");
    }
    const std::size_t c = 151 + static_cast<std::size_t>(n);
    std::uint32_t* colors[] = {&a.panelColor,    &a.selectedColor,        &a.numberColor,
                               &a.fileNameColor, &a.selectionNumberColor, &a.textColor,
                               &a.textBackColor, &a.emphasisColor};
    for (std::size_t i = 0; i < 8; ++i)
        *colors[i] = ColorOf(lines.at(c + i));
    long long index = 0;
    ParseInt(lines.at(c + 8), index);
    a.textSizeIndex = static_cast<int>(index);
    a.transparent = lines.at(c + 9) == "1";
}

} // namespace kamelune
