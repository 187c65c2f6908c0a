#include "TabExport.h"

#include "ItemCatalogue.h"

namespace kamelune {

std::vector<std::string> MakeTabLines(TabLayout layout, const std::string& folder,
                                      const PictureList& selectList, const ItemList& itemList,
                                      const std::vector<std::string>& headings,
                                      const StringGrid& base) {
    auto value = [&](std::size_t i, std::size_t m) {
        return std::string(base.Cell(itemList[m] + 1, selectList[i]));
    };
    auto heading = [&](std::size_t m) { return m < headings.size() ? headings[m] : std::string(); };
    std::vector<std::string> lines{folder};
    std::string line = "\t";
    if (layout == TabLayout::Horizontal) {
        for (std::size_t m = 0; m < itemList.size(); ++m)
            line += heading(m) + "\t";
        lines.push_back(line);
        for (std::size_t i = 0; i < selectList.size(); ++i) {
            line = std::to_string(i + 1) + "\t";
            for (std::size_t m = 0; m < itemList.size(); ++m)
                line += value(i, m) + "\t";
            lines.push_back(line);
        }
    } else {
        for (std::size_t i = 0; i < selectList.size(); ++i)
            line += std::to_string(i + 1) + "\t";
        lines.push_back(line);
        for (std::size_t m = 0; m < itemList.size(); ++m) {
            line = heading(m) + "\t";
            for (std::size_t i = 0; i < selectList.size(); ++i)
                line += value(i, m) + "\t";
            lines.push_back(line);
        }
    }
    return lines;
}

} // namespace kamelune
