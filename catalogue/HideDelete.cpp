#include "HideDelete.h"

#include "catalogue/CacheNames.h"
#include "catalogue/FolderScan.h"
#include "platform/FileUtil.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <strings.h>
#include <unistd.h>

namespace kamelune {
namespace {

// Renames one file; a file that is gone (changed since the table was built) is skipped.
bool Rename(const std::string& from, const std::string& to, FileChanges& c) {
    int err = 0;
    const FileResult r = RenameNoReplace(from, to, &err);
    if (r) return true;
    if (err == ENOENT) return false;
    const std::string name = from.substr(from.rfind('/') + 1);
    if (err == EEXIST)
        c.left.push_back(name);
    else
        c.failed.push_back(FailureText("cannot rename", name, err));
    return false;
}

bool EndsWithHid(const std::string& name) {
    return name.size() > kHiddenSuffix.size() &&
           ::strcasecmp(name.c_str() + name.size() - kHiddenSuffix.size(), kHiddenSuffix.c_str()) ==
               0;
}

std::string StemOf(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace

std::vector<std::string> SidecarsOf(const std::string& folder, const std::string& name) {
    std::vector<std::string> found;
    const std::string stem = StemOf(name);
    for (const char* ext : {".xmp", ".XMP"})
        if (FileExists(JoinPath(folder, stem + ext))) found.push_back(stem + ext);
    if (found.empty()) return found;
    // The folder is listed only for a picture that has a sidecar.
    const std::string masks = std::string(kPictureMasks) + ";" + kRawHeicMasks;
    for (const std::string& other : ListPictures(folder, masks))
        if (other != name && StemOf(other) == stem) return {};
    return found;
}

std::string SidecarName(const std::string& sidecar, const std::string& newName) {
    return StemOf(newName) + sidecar.substr(StemOf(sidecar).size());
}

FileChanges HidePicture(const std::string& folder, const std::string& cacheFolder,
                        const std::string& name, bool sidecars) {
    FileChanges c;
    const std::string picture = JoinPath(folder, name);
    const std::vector<std::string> followers =
        sidecars ? SidecarsOf(folder, name) : std::vector<std::string>();
    if (!Rename(picture, picture + kHiddenSuffix, c)) return c;
    ++c.changed;
    for (const std::string& sidecar : followers) {
        const std::string path = JoinPath(folder, sidecar);
        Rename(path, path + kHiddenSuffix, c);
    }
    for (const std::string& cached : {ThumbFileName(name), SizeFileName(name)}) {
        const std::string path = cacheFolder + "/" + cached;
        if (FileExists(path)) Rename(path, path + kHiddenSuffix, c);
    }
    return c;
}

FileChanges HidePictures(const std::string& folder, const std::vector<std::string>& names,
                         bool sidecars) {
    FileChanges c;
    for (const std::string& name : names) {
        const std::string picture = JoinPath(folder, name);
        const std::vector<std::string> followers =
            sidecars ? SidecarsOf(folder, name) : std::vector<std::string>();
        if (!Rename(picture, picture + kHiddenSuffix, c)) continue;
        ++c.changed;
        for (const std::string& sidecar : followers) {
            const std::string path = JoinPath(folder, sidecar);
            Rename(path, path + kHiddenSuffix, c);
        }
    }
    return c;
}

std::vector<std::string> HiddenFiles(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (EndsWithHid(name) && FileExists(JoinPath(folder, name))) names.push_back(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

FileChanges ReshowAll(const std::string& folder) {
    FileChanges c;
    for (const std::string& name : HiddenFiles(folder)) {
        const std::string path = JoinPath(folder, name);
        if (Rename(path, path.substr(0, path.size() - kHiddenSuffix.size()), c)) ++c.changed;
    }
    return c;
}

FileChanges DeletePicture(const std::string& folder, const std::string& cacheFolder,
                          const std::string& name, const RemovePicture& removePicture,
                          bool sidecars) {
    FileChanges c;
    const std::string picture = JoinPath(folder, name);
    const std::vector<std::string> followers =
        sidecars ? SidecarsOf(folder, name) : std::vector<std::string>();
    if (removePicture) {
        if (FileResult r = removePicture(picture); !r) {
            c.failed.push_back(name + ": " + r.error);
            return c;
        }
    } else if (::unlink(picture.c_str()) != 0) {
        if (errno != ENOENT) c.failed.push_back(FailureText("cannot delete", name, errno));
        return c;
    }
    ++c.changed;
    for (const std::string& sidecar : followers) {
        const std::string path = JoinPath(folder, sidecar);
        if (removePicture) {
            if (FileResult r = removePicture(path); !r)
                c.failed.push_back(sidecar + ": " + r.error);
        } else if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
            c.failed.push_back(FailureText("cannot delete", sidecar, errno));
        }
    }
    for (const std::string& cached : {ThumbFileName(name), SizeFileName(name)}) {
        const std::string path = cacheFolder + "/" + cached;
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            c.failed.push_back(FailureText("cannot delete", cached, errno));
    }
    return c;
}

std::string ChangesReport(const FileChanges& c) {
    std::string text;
    if (!c.left.empty()) {
        text += "同じ名前のファイルがあるため、次のファイルはそのままです:";
        for (const std::string& f : c.left)
            text += "\n" + f;
    }
    if (!c.failed.empty()) {
        if (!text.empty()) text += "\n";
        text += "次のファイルを変更できませんでした:";
        for (const std::string& f : c.failed)
            text += "\n" + f;
    }
    return text;
}

} // namespace kamelune
