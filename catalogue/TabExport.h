// TAB-separated text of the selected pictures' chosen items, for a spreadsheet.
#pragma once

#include "catalogue/ItemCatalogue.h"
#include "platform/StringGrid.h"

#include <string>
#include <vector>

namespace kamelune {

enum class TabLayout { Horizontal = 6, Vertical = 7 };

// The lines of the file (without line ends): the folder, a header line, then one line per
// picture (horizontal) or per item (vertical). headings[m] is the heading of item m.
std::vector<std::string> MakeTabLines(TabLayout layout, const std::string& folder,
                                      const PictureList& selectList, const ItemList& itemList,
                                      const std::vector<std::string>& headings,
                                      const StringGrid& base);

} // namespace kamelune
