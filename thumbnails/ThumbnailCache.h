// The thumbnail cache: a picture's thumbnail and size file, taken as they are or made now.
#pragma once

#include "platform/FileUtil.h"
#include "platform/Jpeg.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace kamelune {

// Size files: width, height and size text, one per line, CP932 with CR LF.
FileResult LoadSizeFile(const std::string& path, std::vector<std::string>& lines);
FileResult SaveSizeFile(const std::string& path, const std::vector<std::string>& lines);

// A thumbnail of the cache, taken as it is or made now (with its size file).
struct ThumbnailOutcome {
    bool ok = false; // there is a thumbnail: the cache file, or `picture` when inMemory
    bool madeNow = false;
    std::string thumbPath;
    std::vector<std::string> sizeLines; // width, height, size text; empty when unknown
    std::string error;                  // why there is none, or why the cache could not take it
    // The cache could not take the thumbnail (full, read-only, a name too long for it): it is
    // here instead.
    bool inMemory = false;
    RgbImage picture;
};

// The thumbnail and sizes of cacheFolder/T_name when both files are there and sound; nothing
// when either must be made. Reads only the small size file.
std::optional<ThumbnailOutcome> CachedThumbnail(const std::string& cacheFolder,
                                                const std::string& name);

// The one way to a picture's thumbnail: cacheFolder/T_name when it exists (with its size file
// when that exists); otherwise both are made from folder/name, creating the cache folder, or
// the thumbnail is kept in memory when the cache cannot take it. fileSizeText is the third
// size-file line. Decodes: run it off the user-interface thread unless the thumbnail is cached.
// cancel: a decode no longer wanted ends early, as a failure.
ThumbnailOutcome ObtainThumbnail(const std::string& cacheFolder, const std::string& folder,
                                 const std::string& name, const std::string& fileSizeText,
                                 const std::atomic<bool>* cancel = nullptr);

} // namespace kamelune
