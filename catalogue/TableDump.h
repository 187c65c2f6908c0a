// The text form of the base table that kamelune-table prints.
#pragma once

#include "platform/StringGrid.h"

#include <ostream>
#include <string>

namespace kamelune {

// Backslash, TAB, LF, CR and NUL as \\ \t \n \r \0; other control characters and bytes
// that are not UTF-8 as \xhh.
std::string EscapeCell(const std::string& text);

// Every row of the grid, cells joined by TAB, each line ended by LF.
void DumpGrid(const StringGrid& grid, std::ostream& out);

} // namespace kamelune
