// Display attributes of the thumbnails and the ".pkm" file that stores them with the item choice.
#pragma once

#include "catalogue/DisplayAttributes.h"
#include "catalogue/ItemCatalogue.h"
#include "platform/FileUtil.h"
#include "platform/StringGrid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kamelune {

// Names of the emphasis list for an item list: column 0 of the item grid at each item.
std::vector<std::string> EmphasisCandidates(const ItemList& items, const StringGrid& grid);
// Emphasis list of the items, all unchecked.
void SetEmphasisNames(DisplayAttributes& a, const std::vector<std::string>& names);
// Built-in attributes: colours, font entry 0, opaque, entries 2 and 7 emphasised.
void SetDefaultDisplay(DisplayAttributes& a, const std::vector<std::string>& names);

// The built-in choice: item grid set up with its default headings and items, the item list it
// gives, and the built-in attributes for it.
void SetBuiltInChoice(StringGrid& grid, ItemList& items, DisplayAttributes& a);
// The ".pkm" lines of the built-in choice: what the "Default.pkm" shipped with the program holds.
std::vector<std::string> BuiltInPkmLines();

// The 161 + N lines of a ".pkm" file.
std::vector<std::string> MakePkmLines(const StringGrid& grid, const DisplayAttributes& a);
// Checks that lines are a whole ".pkm" file: 161 + N lines, numbers where the format has them.
// Says what is wrong in error.
FileResult CheckPkmLines(const std::vector<std::string>& lines);
// Lines 1..150 into columns 1 and 2 of the item grid.
void ReadItemGrid(const std::vector<std::string>& lines, StringGrid& grid);
// Whether a file chooses any of today's items (76 to 95): loading it turns their option on.
bool PkmNamesModernItems(const std::vector<std::string>& lines);
// Lines 151 on: the emphasis list (names of the item list), colours, font, transparency.
void ReadItemFileAttributes(const std::vector<std::string>& lines,
                            const std::vector<std::string>& names, DisplayAttributes& a);

} // namespace kamelune
