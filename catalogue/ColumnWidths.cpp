#include "ColumnWidths.h"

#include "platform/TextFile.h"

#include <cstdlib>
#include <vector>

namespace kamelune {

std::string DefaultStateDir() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && state[0] == '/')
        return std::string(state) + "/kamelune";
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return std::string(home) + "/.local/state/kamelune";
    return {};
}

ColumnWidths::ColumnWidths(std::string folder)
    : path_(folder.empty() ? std::string() : std::move(folder) + "/column-widths.txt") {}

FileResult ColumnWidths::Load() {
    widths_.clear();
    if (path_.empty() || !FileExists(path_)) return FileResult::Ok();
    std::vector<std::string> lines;
    if (FileResult r = ReadTextLines(path_, lines); !r) return r;
    for (const std::string& line : lines) {
        const auto tab1 = line.find('\t');
        const auto tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos) continue; // a damaged line is left out
        Set(line.substr(0, tab1), line.substr(tab1 + 1, tab2 - tab1 - 1),
            std::atoi(line.c_str() + tab2 + 1));
    }
    changed_ = false;
    return FileResult::Ok();
}

FileResult ColumnWidths::Save() {
    if (path_.empty() || !changed_) return FileResult::Ok();
    if (FileResult r = MakeDirectories(path_.substr(0, path_.rfind('/'))); !r) return r;
    std::vector<std::string> lines;
    for (const auto& [key, width] : widths_)
        lines.push_back(key.first + "\t" + key.second + "\t" + std::to_string(width));
    FileResult r = WriteTextLines(path_, lines);
    changed_ = !r.ok;
    return r;
}

std::optional<int> ColumnWidths::Width(const std::string& table, const std::string& heading) const {
    const auto it = widths_.find({table, heading});
    if (it == widths_.end()) return std::nullopt;
    return it->second;
}

void ColumnWidths::Set(const std::string& table, const std::string& heading, int width) {
    // A tab or line end in a name would break the file's lines.
    if (table.find_first_of("\t\r\n") != std::string::npos ||
        heading.find_first_of("\t\r\n") != std::string::npos || width < 1 || width > kMaxWidth)
        return;
    int& kept = widths_[{table, heading}];
    changed_ = changed_ || kept != width;
    kept = width;
}

} // namespace kamelune
