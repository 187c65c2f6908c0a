// Names in the thumbnail cache: the cache root, the subfolder of each picture folder, and the
// thumbnail and size files of each picture.
#pragma once

#include <string>

namespace kamelune {

inline const std::string kCacheRootName = "@KameluneDir";

// The cache subfolder name of a folder: "/home/u/pics" gives "@Y@home@_@u@_@pics".
std::string CacheSubNameOf(const std::string& folder);
std::string CacheRoot(const std::string& thumbDir);
std::string CacheFolder(const std::string& thumbDir, const std::string& cacheSubName);
// True for the cache root and every folder below it (any path holding "@KameluneDir").
bool IsInsideCacheRoot(const std::string& folder);
// "T_" + name, and "T_" + name with its last extension replaced by ".TXT" (a RAW or HEIC name
// with ".TXT" added).
std::string ThumbFileName(const std::string& name);
std::string SizeFileName(const std::string& name);

} // namespace kamelune
