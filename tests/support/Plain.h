// What the plain tests use: the libraries below the windows, GoogleTest and a test folder.
#pragma once

#include "catalogue/CacheNames.h"
#include "catalogue/ColumnWidths.h"
#include "catalogue/CommandLine.h"
#include "catalogue/Drop.h"
#include "catalogue/FolderList.h"
#include "catalogue/FolderRead.h"
#include "catalogue/FolderScan.h"
#include "catalogue/HideDelete.h"
#include "catalogue/ItemCatalogue.h"
#include "catalogue/ItemColumns.h"
#include "catalogue/Selection.h"
#include "catalogue/Settings.h"
#include "catalogue/TabExport.h"
#include "catalogue/TableDump.h"
#include "catalogue/ViewTable.h"
#include "exif/ExifReader.h"
#include "exif/TagRules.h"
#include "platform/Cp932.h"
#include "platform/FileUtil.h"
#include "platform/IniFile.h"
#include "platform/Jpeg.h"
#include "platform/StringGrid.h"
#include "platform/TempDir.h"
#include "platform/TextFile.h"
#include "present/ExportRun.h"
#include "present/HtmlExport.h"
#include "present/SlideLayout.h"
#include "thumbnails/PageLayout.h"
#include "thumbnails/PictureReduction.h"
#include "thumbnails/Pkm.h"
#include "thumbnails/ThumbLoader.h"
#include "thumbnails/ThumbnailCache.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <thread>

namespace kamelune::test {

// A w × h JPEG of a pattern at `path`.
inline std::string WritePicture(const std::string& path, int w, int h) {
    RgbImage img(w, h);
    for (std::size_t i = 0; i < img.pixels.size(); ++i)
        img.pixels[i] = static_cast<std::uint8_t>(i * 13);
    EXPECT_TRUE(WriteJpegFile(img, 80, path));
    return path;
}

} // namespace kamelune::test
