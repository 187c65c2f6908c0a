#include "Settings.h"

#include "platform/Cp932.h"

#include <algorithm>

namespace kamelune {

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

ScreenRect PlaceOnScreens(ScreenRect w, const std::vector<ScreenRect>& screens) {
    const auto overlap = [&w](const ScreenRect& s) {
        const long long x =
            std::max(0, std::min(w.left + w.width, s.left + s.width) - std::max(w.left, s.left));
        const long long y =
            std::max(0, std::min(w.top + w.height, s.top + s.height) - std::max(w.top, s.top));
        return x * y;
    };
    const ScreenRect* best = nullptr;
    for (const ScreenRect& s : screens) {
        if (s.width <= 0 || s.height <= 0) continue;
        if (overlap(s) == static_cast<long long>(w.width) * w.height) return w; // wholly on it
        if (!best || overlap(s) > overlap(*best)) best = &s;
    }
    if (!best) return w;
    w.width = std::min(w.width, best->width);
    w.height = std::min(w.height, best->height);
    w.left = std::clamp(w.left, best->left, best->left + best->width - w.width);
    w.top = std::clamp(w.top, best->top, best->top + best->height - w.height);
    return w;
}

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
    s.pane = ini.ReadInteger("Pane", "Hairetu", -1);
    s.exifAfterJfif = ini.ReadInteger("Option", "ExifAfterJfif", 0) == 1;
    s.deleteToTrash = ini.ReadInteger("Option", "DeleteToTrash", 0) == 1;
    s.upright = ini.ReadInteger("Option", "Upright", 0) == 1;
    s.modernItems = ini.ReadInteger("Option", "ModernItems", 0) == 1;
    s.allPictures = ini.ReadInteger("Option", "AllPictures", 0) == 1;
    s.rawHeic = ini.ReadInteger("Option", "RawHeic", 0) == 1;
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
    ini.WriteInteger("Pane", "Hairetu", s.pane);
    for (const auto& [key, on] :
         {std::pair{"ExifAfterJfif", s.exifAfterJfif}, std::pair{"DeleteToTrash", s.deleteToTrash},
          std::pair{"Upright", s.upright}, std::pair{"ModernItems", s.modernItems},
          std::pair{"AllPictures", s.allPictures}, std::pair{"RawHeic", s.rawHeic}}) {
        if (on)
            ini.WriteInteger("Option", key, 1);
        else
            ini.DeleteKey("Option", key);
    }
}

} // namespace kamelune
