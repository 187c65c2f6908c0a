// Text files as the program reads and writes them: CP932 bytes, CR LF line ends.
#pragma once

#include "Cp932.h"
#include "FileUtil.h"

#include <string>
#include <vector>

namespace kamelune {

// Reads a CP932 file as UTF-8 lines; CR LF and LF-only line ends are both accepted. A last line
// without an end is kept; no empty line is added after a final line end.
FileResult ReadTextLines(const std::string& path, std::vector<std::string>& lines);

// Splits CP932 bytes into UTF-8 lines the same way.
std::vector<std::string> SplitCp932Lines(std::string_view bytes);

// Writes UTF-8 lines as CP932, each ended by CR LF; characters CP932 cannot hold become "?" (or
// numeric character references, for HTML).
// The file is replaced whole or not at all.
FileResult WriteTextLines(const std::string& path, const std::vector<std::string>& lines,
                          Unmappable unmappable = Unmappable::Question);

} // namespace kamelune
