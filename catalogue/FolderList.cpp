#include "FolderList.h"

#include "catalogue/FolderScan.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace kamelune {

std::vector<std::string> ListSubfolders(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name.empty() || name.front() == '.') continue;
        struct stat st {};
        if (e->d_type != DT_DIR &&
            (::stat(JoinPath(folder, name).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)))
            continue;
        names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), NameLess);
    return names;
}

std::vector<FolderEntry> FolderListEntries(const std::string& folder,
                                           const std::vector<std::string>& subfolders) {
    std::vector<FolderEntry> rows{{"/", "/", 0, true}};
    std::string path;
    std::size_t start = 0;
    while (start < folder.size()) {
        const std::size_t slash = std::min(folder.find('/', start), folder.size());
        if (slash > start) {
            const std::string name = folder.substr(start, slash - start);
            path += "/" + name;
            rows.push_back({path, name, static_cast<int>(rows.size()), true});
        }
        start = slash + 1;
    }
    const int depth = static_cast<int>(rows.size());
    const std::string current = rows.back().path;
    for (const std::string& name : subfolders)
        rows.push_back({JoinPath(current, name), name, depth, false});
    return rows;
}

} // namespace kamelune
