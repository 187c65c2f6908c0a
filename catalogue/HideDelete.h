// Hiding, showing again and deleting pictures, on disk. Plain code: nothing is ever replaced, and
// every file that could not be changed is named in the result.
#pragma once

#include "platform/FileUtil.h"

#include <functional>
#include <string>
#include <vector>

namespace kamelune {

inline const std::string kHiddenSuffix = ".HID";

struct FileChanges {
    std::vector<std::string> left;   // not changed: a file of the new name is already there
    std::vector<std::string> failed; // not changed: the system refused (reason after ": ")
    int changed = 0;                 // pictures renamed or deleted
    bool Clean() const { return left.empty() && failed.empty(); }
};

// The sidecar files of a picture ("stem.xmp", "stem.XMP") that follow it when it is renamed,
// hidden or deleted: none while another picture of the same stem (a RAW + JPEG pair) stays.
std::vector<std::string> SidecarsOf(const std::string& folder, const std::string& name);
// The name a sidecar takes when its picture is renamed newName: newName's stem, its own extension.
std::string SidecarName(const std::string& sidecar, const std::string& newName);

// One picture and its two cache files get ".HID" appended. The cache files (and with sidecars,
// the picture's sidecars) follow only when the picture did.
FileChanges HidePicture(const std::string& folder, const std::string& cacheFolder,
                        const std::string& name, bool sidecars = false);
// The pictures alone, one after the other (cache untouched).
FileChanges HidePictures(const std::string& folder, const std::vector<std::string>& names,
                         bool sidecars = false);
// Every "*.HID" of the folder (letter case ignored) loses its last extension.
FileChanges ReshowAll(const std::string& folder);
// Names of the folder's hidden files.
std::vector<std::string> HiddenFiles(const std::string& folder);
// The picture for good, and its cache files (and with sidecars, its sidecars, the same way).
// removePicture, when given, takes the picture away in place of deleting it (to the trash);
// it gives the reason when it cannot.
using RemovePicture = std::function<FileResult(const std::string& path)>;
FileChanges DeletePicture(const std::string& folder, const std::string& cacheFolder,
                          const std::string& name, const RemovePicture& removePicture = {},
                          bool sidecars = false);

// A user message for what could not be done; empty when all went well.
std::string ChangesReport(const FileChanges& changes);

} // namespace kamelune
