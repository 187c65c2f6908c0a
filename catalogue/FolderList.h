// The folder list at the left of the main window: the chain of folders from the root down to the
// current folder, then the current folder's sub-folders. No Qt.
#pragma once

#include <string>
#include <vector>

namespace kamelune {

struct FolderEntry {
    std::string path;  // the folder itself
    std::string name;  // what the list shows: "/" for the root, else the last path element
    int depth = 0;     // 0 for the root; one more per level
    bool open = false; // on the chain to the current folder (the current one included)

    bool operator==(const FolderEntry&) const = default;
};

// Sub-folders of folder by name (links to folders included, hidden ones left out), sorted by
// name with letter case ignored. Reads the folder: run it off the user-interface thread.
std::vector<std::string> ListSubfolders(const std::string& folder);

// The rows of the list for an absolute folder and its sub-folders.
std::vector<FolderEntry> FolderListEntries(const std::string& folder,
                                           const std::vector<std::string>& subfolders);

} // namespace kamelune
