// File helpers of the catalogue: the cache folder and its thumbnail and size files, and the main
// settings file.
#pragma once

#include "platform/FileUtil.h"
#include "platform/IniFile.h"
#include "platform/Jpeg.h"

#include <atomic>
#include <string>
#include <vector>

namespace kamelune {

inline const std::string kCacheRootName = "@KameluneDir";

// The cache subfolder name of a folder: "/home/u/pics" gives "@Y@home@_@u@_@pics".
std::string SetCacheSubName(const std::string& folder);
std::string CacheRoot(const std::string& thumbDir);
std::string CacheFolder(const std::string& thumbDir, const std::string& cacheSubName);
// True for the cache root and every folder below it (any path holding "@KameluneDir").
bool IsInsideCacheRoot(const std::string& folder);
// "T_" + name, and "T_" + name with its last extension replaced by ".TXT".
std::string ThumbFileName(const std::string& name);
std::string SizeFileName(const std::string& name);

// The sizes of the two stretch stages for a W × H picture: first at most 640 on the longer side,
// then `size` on the longer side; integer division as the thumbnail and album routines use.
struct StretchSizes {
    int w1, h1; // first stage
    int w, h;   // final
};
StretchSizes ComputeStretchSizes(int width, int height, int size, int firstStage = 640);

// A reduction that can fail, with what it made.
struct MakeJpegResult : FileResult {
    MakeJpegResult() : FileResult{false, {}} {}
    int width = 0; // the source picture's own size
    int height = 0;
    // The reduced picture, kept also when it could not be written (a full or read-only cache
    // place, a name too long for it), so that it can still be shown.
    bool reduced = false;
    RgbImage picture;
};

// Decodes source (DCT-scaled to no less than the final size) and reduces it in the two stages;
// ok when the reduced picture was made.
MakeJpegResult ReducePicture(const std::string& source, int size,
                             const std::atomic<bool>* cancel = nullptr);

// ReducePicture, then writes a JPEG of the given quality to destination, replacing it whole.
MakeJpegResult MakeJpeg2(const std::string& source, const std::string& destination, int quality,
                         int size, const std::atomic<bool>* cancel = nullptr);

// Size files: width, height and size text, one per line, CP932 with CR LF.
FileResult LoadMemo(const std::string& path, std::vector<std::string>& lines);
FileResult SaveMemo(const std::string& path, const std::vector<std::string>& lines);

// The main settings as the settings file keeps them.
struct MainSettings {
    int left = -1, top = -1, width = -1, height = -1;
    std::string activePage = "TabSheetTable";
    std::string dir;      // default: the user's home folder
    std::string thumbDir; // default: the program folder
    int hairetu = -1;     // thumbnail layout 1..3; -1 leaves the design state
    // Options, written only when on: a settings file that never used them stays as it was.
    bool exifAfterJfif = false;
    bool deleteToTrash = false;
    bool upright = false;
    bool modernItems = false; // the items of today's cameras (76 to 95) in the catalogue
    bool allPictures = false; // a folder's pictures past the 2,000th get rows too
};

MainSettings ReadMainSettings(const IniFile& ini, const std::string& homeDir,
                              const std::string& appDir);
void WriteMainSettings(IniFile& ini, const MainSettings& settings);

} // namespace kamelune

namespace kamelune {

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

// The one way to a picture's thumbnail: cacheFolder/T_name when it exists (with its size file
// when that exists); otherwise both are made from folder/name, creating the cache folder, or
// the thumbnail is kept in memory when the cache cannot take it. fileSizeText is the third
// size-file line. Decodes: run it off the user-interface thread unless the thumbnail is cached.
// cancel: a decode no longer wanted ends early, as a failure.
ThumbnailOutcome ObtainThumbnail(const std::string& cacheFolder, const std::string& folder,
                                 const std::string& name, const std::string& fileSizeText,
                                 const std::atomic<bool>* cancel = nullptr);

// A dropped file is taken when its extension, upper-cased, is ".JPG" or ".JPEG".
bool IsDroppableJpeg(const std::string& path);
// The path the dropped file is copied to in folder.
std::string DropDestination(const std::string& folder, const std::string& droppedPath);

} // namespace kamelune
