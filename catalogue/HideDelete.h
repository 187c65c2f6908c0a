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

// One picture and its two cache files get ".HID" appended. The cache files follow only when the
// picture did.
FileChanges HidePicture(const std::string& folder, const std::string& cacheFolder,
                        const std::string& name);
// The pictures alone, one after the other (cache untouched).
FileChanges HidePictures(const std::string& folder, const std::vector<std::string>& names);
// Every "*.HID" of the folder (letter case ignored) loses its last extension.
FileChanges ReshowAll(const std::string& folder);
// Names of the folder's hidden files.
std::vector<std::string> HiddenFiles(const std::string& folder);
// The picture for good, and its cache files.
// removePicture, when given, takes the picture away in place of deleting it (to the trash);
// it gives the reason when it cannot.
using RemovePicture = std::function<FileResult(const std::string& path)>;
FileChanges DeletePicture(const std::string& folder, const std::string& cacheFolder,
                          const std::string& name, const RemovePicture& removePicture = {});

// A user message for what could not be done; empty when all went well.
std::string ChangesReport(const FileChanges& changes);

} // namespace kamelune
