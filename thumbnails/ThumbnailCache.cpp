#include "ThumbnailCache.h"

#include "catalogue/CacheNames.h"
#include "catalogue/FolderScan.h"
#include "platform/TextFile.h"
#include "thumbnails/PictureReduction.h"

namespace kamelune {

FileResult LoadSizeFile(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    return ReadTextLines(path, lines);
}

FileResult SaveSizeFile(const std::string& path, const std::vector<std::string>& lines) {
    return WriteTextLines(path, lines);
}

std::optional<ThumbnailOutcome> CachedThumbnail(const std::string& cacheFolder,
                                                const std::string& name) {
    ThumbnailOutcome out;
    out.thumbPath = cacheFolder + "/" + ThumbFileName(name);
    if (!FileExists(out.thumbPath)) return std::nullopt;
    if (!LoadSizeFile(cacheFolder + "/" + SizeFileName(name), out.sizeLines) ||
        out.sizeLines.size() < 3)
        return std::nullopt;
    out.ok = true;
    return out;
}

ThumbnailOutcome ObtainThumbnail(const std::string& cacheFolder, const std::string& folder,
                                 const std::string& name, const std::string& fileSizeText,
                                 const std::atomic<bool>* cancel) {
    if (std::optional<ThumbnailOutcome> cached = CachedThumbnail(cacheFolder, name))
        return std::move(*cached);
    // A thumbnail whose size file is gone or damaged is made again, with its sizes.
    ThumbnailOutcome out;
    out.thumbPath = cacheFolder + "/" + ThumbFileName(name);
    const std::string sizePath = cacheFolder + "/" + SizeFileName(name);
    const FileResult cache = MakeDirectories(cacheFolder);
    MakeJpegResult made =
        cache ? WriteReducedJpeg(JoinPath(folder, name), out.thumbPath, 70, 88, cancel)
              : ReducePicture(JoinPath(folder, name), 88, cancel);
    if (!made.reduced) {
        out.error = made.error;
        return out;
    }
    out.ok = out.madeNow = true;
    out.sizeLines = {std::to_string(made.width), std::to_string(made.height), fileSizeText};
    if (!cache || !made.ok) {
        out.inMemory = true;
        out.picture = std::move(made.picture);
        out.error = cache ? made.error : cache.error;
    } else if (FileResult r = SaveSizeFile(sizePath, out.sizeLines); !r) {
        out.error = r.error; // the thumbnail stands; only its sizes will be unknown next time
    }
    return out;
}

} // namespace kamelune
