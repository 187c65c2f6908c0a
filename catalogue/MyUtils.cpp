#include "MyUtils.h"

#include "platform/Jpeg.h"
#include "platform/TextFile.h"

namespace kamelune {
namespace {

void ReplaceAll(std::string& s, const std::string& from, const std::string& to) {
    for (std::size_t pos = 0; (pos = s.find(from, pos)) != std::string::npos; pos += to.size())
        s.replace(pos, from.size(), to);
}

} // namespace

std::string SetCacheSubName(const std::string& folder) {
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
    const auto dot = name.rfind('.');
    return "T_" + (dot == std::string::npos ? name : name.substr(0, dot)) + ".TXT";
}

StretchSizes ComputeStretchSizes(int width, int height, int size, int firstStage) {
    StretchSizes s{width, height, 0, 0};
    const bool portrait = height > width;
    if (height > firstStage || width > firstStage) {
        if (portrait) {
            s.w1 = static_cast<int>(static_cast<long long>(width) * firstStage / height);
            s.h1 = firstStage;
        } else {
            s.w1 = firstStage;
            s.h1 = static_cast<int>(static_cast<long long>(height) * firstStage / width);
        }
    }
    if (portrait) {
        s.w = static_cast<int>(static_cast<long long>(width) * size / height);
        s.h = size;
    } else {
        s.w = size;
        s.h = static_cast<int>(static_cast<long long>(height) * size / width);
    }
    return s;
}

MakeJpegResult MakeJpeg2(const std::string& source, const std::string& destination, int quality,
                         int size) {
    MakeJpegResult result;
    // A picture's final size follows from its own; DCT scaling is asked for the final size only,
    // since anything between it and the first stage would be thrown away by the second stretch.
    JpegDecodeOptions options;
    options.minLongerSide = size;
    JpegDecodeResult header = DecodeJpegFile(source, options);
    if (!header.ok) {
        result.error = header.error;
        return result;
    }
    result.width = header.fullWidth;
    result.height = header.fullHeight;
    const StretchSizes s = ComputeStretchSizes(header.fullWidth, header.fullHeight, size);
    if (s.w <= 0 || s.h <= 0) {
        result.error = "picture too narrow for a thumbnail";
        return result;
    }
    RgbImage picture = std::move(header.image);
    // The first stage only reduces: a picture the decoder already made smaller goes straight to
    // the final size.
    if (picture.width > s.w1 || picture.height > s.h1) picture = Stretch(picture, s.w1, s.h1);
    picture = Stretch(picture, s.w, s.h);
    if (!WriteJpegFile(picture, quality, destination, &result.error)) return result;
    result.ok = true;
    return result;
}

bool LoadMemo(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    return ReadTextLines(path, lines).ok;
}

FileResult SaveMemo(const std::string& path, const std::vector<std::string>& lines) {
    return WriteTextLines(path, lines);
}

MainSettings ReadMainSettings(const IniFile& ini, const std::string& homeDir,
                              const std::string& appDir) {
    MainSettings s;
    s.left = ini.ReadInteger("Form", "Left", -1);
    s.top = ini.ReadInteger("Form", "Top", -1);
    s.width = ini.ReadInteger("Form", "Width", -1);
    s.height = ini.ReadInteger("Form", "Height", -1);
    s.activePage = ini.ReadString("ActivePage", "ActivePage", "TabSheetTable");
    s.dir = ini.ReadString("Dir", "Dir", homeDir);
    s.thumbDir = ini.ReadString("Dir", "ThumbDir", appDir);
    s.hairetu = ini.ReadInteger("Pane", "Hairetu", -1);
    return s;
}

void WriteMainSettings(IniFile& ini, const MainSettings& s) {
    ini.WriteInteger("Form", "Left", s.left);
    ini.WriteInteger("Form", "Top", s.top);
    ini.WriteInteger("Form", "Width", s.width);
    ini.WriteInteger("Form", "Height", s.height);
    ini.WriteString("ActivePage", "ActivePage", s.activePage);
    ini.WriteString("Dir", "Dir", s.dir);
    ini.WriteString("Dir", "ThumbDir", s.thumbDir);
    ini.WriteInteger("Pane", "Hairetu", s.hairetu);
}

} // namespace kamelune

namespace kamelune {

ThumbnailOutcome ObtainThumbnail(const std::string& cacheFolder, const std::string& folder,
                                 const std::string& name, const std::string& fileSizeText) {
    ThumbnailOutcome out;
    out.thumbPath = cacheFolder + "/" + ThumbFileName(name);
    const std::string sizePath = cacheFolder + "/" + SizeFileName(name);
    if (FileExists(out.thumbPath)) {
        out.ok = true;
        LoadMemo(sizePath, out.sizeLines);
        return out;
    }
    if (FileResult r = MakeDirectories(cacheFolder); !r) {
        out.error = r.error;
        return out;
    }
    const MakeJpegResult made =
        MakeJpeg2(folder + (folder == "/" ? "" : "/") + name, out.thumbPath, 70, 88);
    if (!made.ok) {
        out.error = made.error;
        return out;
    }
    out.ok = out.madeNow = true;
    out.sizeLines = {std::to_string(made.width), std::to_string(made.height), fileSizeText};
    if (FileResult r = SaveMemo(sizePath, out.sizeLines); !r)
        out.error = r.error; // the thumbnail stands; only its sizes will be unknown next time
    return out;
}

bool IsDroppableJpeg(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    std::string ext = name.substr(dot);
    for (char& c : ext)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return ext == ".JPG" || ext == ".JPEG";
}

std::string DropDestination(const std::string& folder, const std::string& droppedPath) {
    const auto slash = droppedPath.rfind('/');
    const std::string name =
        slash == std::string::npos ? droppedPath : droppedPath.substr(slash + 1);
    return (folder == "/" ? "" : folder) + "/" + name;
}

} // namespace kamelune
