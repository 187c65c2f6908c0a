#include "catalogue/ui/FolderPlaces.h"
#include "catalogue/CacheNames.h"
#include "catalogue/FolderScan.h"

namespace kamelune {

FolderPlaces::FolderPlaces(AppPaths paths)
    : paths_(std::move(paths)), thumbDir_(DefaultCacheDir()), fileMask_(kPictureMasks) {}

std::string FolderPlaces::DefaultCacheDir() const {
    return paths_.cacheDir.empty() ? paths_.appDir : paths_.cacheDir;
}

std::string FolderPlaces::CacheFolderOfCurrent() const {
    return CacheFolder(thumbDir_, cacheSubName_);
}

void FolderPlaces::ShowCurrentDir() {
    cacheSubName_ = CacheSubNameOf(currentDir_);
}

} // namespace kamelune
