#include "MyUtils.h"

#include "BaseTable.h"

#include "platform/Cp932.h"
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

MakeJpegResult ReducePicture(const std::string& source, int size, const std::atomic<bool>* cancel) {
    MakeJpegResult result;
    // A picture's final size follows from its own; DCT scaling is asked for the final size only,
    // since anything between it and the first stage would be thrown away by the second stretch.
    JpegDecodeOptions options;
    options.minLongerSide = size;
    options.cancel = cancel;
    JpegDecodeResult header = DecodeJpegFile(source, options);
    if (!header.ok) {
        result.error = header.error;
        return result;
    }
    result.width = header.fullWidth;
    result.height = header.fullHeight;
    const StretchSizes s = ComputeStretchSizes(header.fullWidth, header.fullHeight, size);
    if (s.w <= 0 || s.h <= 0) {
        result.error = "サムネイルにするには画像が細すぎます";
        return result;
    }
    RgbImage picture = std::move(header.image);
    // The first stage only reduces: a picture the decoder already made smaller goes straight to
    // the final size.
    if (picture.width > s.w1 || picture.height > s.h1) picture = Stretch(picture, s.w1, s.h1);
    result.picture = Stretch(picture, s.w, s.h);
    result.ok = result.reduced = true;
    return result;
}

MakeJpegResult MakeJpeg2(const std::string& source, const std::string& destination, int quality,
                         int size, const std::atomic<bool>* cancel) {
    MakeJpegResult result = ReducePicture(source, size, cancel);
    if (!result.ok) return result;
    if (FileResult r = WriteJpegFile(result.picture, quality, destination); !r) {
        result.ok = false;
        result.error = r.error;
    }
    return result;
}

FileResult LoadMemo(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    return ReadTextLines(path, lines);
}

FileResult SaveMemo(const std::string& path, const std::vector<std::string>& lines) {
    return WriteTextLines(path, lines);
}

namespace {

// A path that CP932 cannot hold is written as CP932 with "?" (what other readers of the file see)
// and, beside it under KEY + "Utf8", as UTF-8 with "%XX" escapes, which any reader keeps intact.
// The exact form applies only while the "?" form beside it is still the one written with it.
const char* const kHex = "0123456789ABCDEF";

// What a reader of the file gets back for a text.
std::string StoredForm(const std::string& text) {
    return Cp932ToUtf8(Utf8ToCp932(text));
}

std::string PercentEscape(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b >= 0x7F || c == '%')
            out += {'%', kHex[b >> 4], kHex[b & 15]};
        else
            out += c;
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string PercentUnescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int hi = text[i] == '%' && i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int lo = hi >= 0 ? HexValue(text[i + 2]) : -1;
        if (lo >= 0) {
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string ReadPath(const IniFile& ini, const std::string& key, const std::string& defaultValue) {
    const std::string path = ini.ReadString("Dir", key, defaultValue);
    if (!ini.HasKey("Dir", key + "Utf8")) return path;
    const std::string exact = PercentUnescape(ini.ReadString("Dir", key + "Utf8", ""));
    return StoredForm(exact) == path ? exact : path;
}

void WritePath(IniFile& ini, const std::string& key, const std::string& path) {
    ini.WriteString("Dir", key, path);
    if (StoredForm(path) == path)
        ini.DeleteKey("Dir", key + "Utf8");
    else
        ini.WriteString("Dir", key + "Utf8", PercentEscape(path));
}

} // namespace

MainSettings ReadMainSettings(const IniFile& ini, const std::string& homeDir,
                              const std::string& appDir) {
    MainSettings s;
    s.left = ini.ReadInteger("Form", "Left", -1);
    s.top = ini.ReadInteger("Form", "Top", -1);
    s.width = ini.ReadInteger("Form", "Width", -1);
    s.height = ini.ReadInteger("Form", "Height", -1);
    s.activePage = ini.ReadString("ActivePage", "ActivePage", "TabSheetTable");
    s.dir = ReadPath(ini, "Dir", homeDir);
    s.thumbDir = ReadPath(ini, "ThumbDir", appDir);
    s.hairetu = ini.ReadInteger("Pane", "Hairetu", -1);
    s.exifAfterJfif = ini.ReadInteger("Option", "ExifAfterJfif", 0) == 1;
    s.deleteToTrash = ini.ReadInteger("Option", "DeleteToTrash", 0) == 1;
    s.upright = ini.ReadInteger("Option", "Upright", 0) == 1;
    s.modernItems = ini.ReadInteger("Option", "ModernItems", 0) == 1;
    s.allPictures = ini.ReadInteger("Option", "AllPictures", 0) == 1;
    return s;
}

void WriteMainSettings(IniFile& ini, const MainSettings& s) {
    ini.WriteInteger("Form", "Left", s.left);
    ini.WriteInteger("Form", "Top", s.top);
    ini.WriteInteger("Form", "Width", s.width);
    ini.WriteInteger("Form", "Height", s.height);
    ini.WriteString("ActivePage", "ActivePage", s.activePage);
    WritePath(ini, "Dir", s.dir);
    WritePath(ini, "ThumbDir", s.thumbDir);
    ini.WriteInteger("Pane", "Hairetu", s.hairetu);
    for (const auto& [key, on] :
         {std::pair{"ExifAfterJfif", s.exifAfterJfif}, std::pair{"DeleteToTrash", s.deleteToTrash},
          std::pair{"Upright", s.upright}, std::pair{"ModernItems", s.modernItems},
          std::pair{"AllPictures", s.allPictures}}) {
        if (on)
            ini.WriteInteger("Option", key, 1);
        else
            ini.DeleteKey("Option", key);
    }
}

} // namespace kamelune

namespace kamelune {

ThumbnailOutcome ObtainThumbnail(const std::string& cacheFolder, const std::string& folder,
                                 const std::string& name, const std::string& fileSizeText,
                                 const std::atomic<bool>* cancel) {
    ThumbnailOutcome out;
    out.thumbPath = cacheFolder + "/" + ThumbFileName(name);
    const std::string sizePath = cacheFolder + "/" + SizeFileName(name);
    if (FileExists(out.thumbPath)) {
        if (LoadMemo(sizePath, out.sizeLines) && out.sizeLines.size() >= 3) {
            out.ok = true;
            return out;
        }
        // A thumbnail whose size file is gone or damaged is made again, with its sizes.
        out.sizeLines.clear();
    }
    const FileResult cache = MakeDirectories(cacheFolder);
    MakeJpegResult made = cache ? MakeJpeg2(JoinPath(folder, name), out.thumbPath, 70, 88, cancel)
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
    } else if (FileResult r = SaveMemo(sizePath, out.sizeLines); !r) {
        out.error = r.error; // the thumbnail stands; only its sizes will be unknown next time
    }
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
