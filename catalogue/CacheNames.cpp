#include "CacheNames.h"

#include "pictures/PictureFile.h"

#include <string>

namespace kamelune {

namespace {

void ReplaceAll(std::string& s, const std::string& from, const std::string& to) {
    for (std::size_t pos = 0; (pos = s.find(from, pos)) != std::string::npos; pos += to.size())
        s.replace(pos, from.size(), to);
}

} // namespace

std::string CacheSubNameOf(const std::string& folder) {
    std::string name = folder;
    if (!name.empty() && name.front() == '/') name.replace(0, 1, "@Y@");
    ReplaceAll(name, "/", "@_@");
    return name;
}

std::string CacheRoot(const std::string& thumbDir) {
    return (thumbDir == "/" ? "" : thumbDir) + "/" + kCacheRootName;
}

std::string CacheFolder(const std::string& thumbDir, const std::string& cacheSubName) {
    return CacheRoot(thumbDir) + "/" + cacheSubName;
}

bool IsInsideCacheRoot(const std::string& folder) {
    return folder.find(kCacheRootName) != std::string::npos;
}

std::string ThumbFileName(const std::string& name) {
    return "T_" + name;
}

std::string SizeFileName(const std::string& name) {
    // A RAW file beside the JPEG of the same stem keeps its extension: the two have sizes of
    // their own.
    if (IsRawHeicName(name)) return "T_" + name + ".TXT";
    const auto dot = name.rfind('.');
    return "T_" + (dot == std::string::npos ? name : name.substr(0, dot)) + ".TXT";
}

} // namespace kamelune
