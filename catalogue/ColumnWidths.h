// The column widths the user set, kept per table and per column heading (an item's heading), so
// that a width dragged once holds in every folder and at the next start. They live in a file of
// the state folder of their own: the settings file keeps its bytes. No Qt.
#pragma once

#include "platform/FileUtil.h"

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace kamelune {

// $XDG_STATE_HOME/kamelune, or ~/.local/state/kamelune; empty when neither is known.
std::string DefaultStateDir();

class ColumnWidths {
public:
    // The widths file in folder; an empty folder keeps them for the session alone.
    explicit ColumnWidths(std::string folder = {});

    // Reads the file when there is one (a missing file is no error): "TABLE\tHEADING\tWIDTH"
    // lines, CP932 with CR LF as every file of the program.
    FileResult Load();
    // Writes the file whole (and its folder when missing) when a width changed since it was
    // read or written; nothing to do without a folder.
    FileResult Save();

    std::optional<int> Width(const std::string& table, const std::string& heading) const;
    // A width outside 1 .. kMaxWidth is not kept.
    void Set(const std::string& table, const std::string& heading, int width);

    static constexpr int kMaxWidth = 2000;
    // The widest a column fitted to its contents becomes.
    static constexpr int kMaxFitWidth = 400;

private:
    std::string path_;
    std::map<std::pair<std::string, std::string>, int> widths_;
    bool changed_ = false;
};

} // namespace kamelune
