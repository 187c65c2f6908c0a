// Real camera files: every sample reads without harm, and the main texts agree with the raw
// values another EXIF tool reports for the same files.
#include "ExifTestUtil.h"

#include "exif/TagRules.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

namespace kamelune::test {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> SampleFiles() {
    std::vector<fs::path> files;

    const fs::path root = fs::canonical(KAMELUNE_SAMPLES);
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(SampleFiles, EveryFileReadsWithoutHarm) {
    const auto files = SampleFiles();
    ASSERT_FALSE(files.empty()) << "test pictures missing: " << KAMELUNE_SAMPLES;
    int exif = 0;
    for (const auto& f : files) {
        FileKind kind = FileKind::Unread, quick = FileKind::Unread;
        ExifItemTexts items;
        ReadExifFile(f.string(), kind, items);
        CheckJpegKind(f.string(), quick);
        EXPECT_NE(kind, FileKind::Unread) << f;
        EXPECT_EQ(items[54], FileSizeText(fs::file_size(f))) << f;
        exif += kind == FileKind::Exif;
    }
    EXPECT_GE(exif, 15);
}

TEST(SampleFiles, LongLaterOlympusNoteLeavesItsItemsAlone) {
    // A 6,940-byte note of the "OLYMPUS\0II" kind: too long to decode, never garbage.
    const fs::path f = fs::path(KAMELUNE_SAMPLES) / "corrupted.jpg";
    ASSERT_TRUE(fs::exists(f)) << "test picture missing: " << f;
    FileKind kind = FileKind::Unread;
    ExifItemTexts items;
    ReadExifFile(f.string(), kind, items);
    EXPECT_EQ(kind, FileKind::Exif);
    EXPECT_EQ(items[37], "BADDATA");
    for (int k = 55; k <= 75; ++k)
        EXPECT_EQ(items[k], "---") << k;
}

// exiftool -n prints raw values: numbers as decimals, texts as they stand.
std::map<std::string, std::map<std::string, std::string>>
ExifToolValues(const std::vector<std::string>& tags, const std::vector<fs::path>& files) {
    std::map<std::string, std::map<std::string, std::string>> out;
    std::string cmd = "exiftool -n -T -f -charset exif=cp932 -FilePath";
    for (const auto& t : tags)
        cmd += " -" + t;
    for (const auto& f : files)
        cmd += " '" + f.string() + "'";
    cmd += " 2>/dev/null";
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return out;
    std::string all;
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, p))
        all.append(buf, n);
    ::pclose(p);
    std::istringstream lines(all);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> cols;
        std::size_t start = 0;
        for (;;) {
            const auto tab = line.find('\t', start);
            cols.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        if (cols.size() != tags.size() + 1) continue;
        for (std::size_t i = 0; i < tags.size(); ++i)
            out[cols[0]][tags[i]] = cols[i + 1];
    }
    return out;
}

// Texts up to their first NUL (the reader keeps what a camera wrote after it), without trailing
// blanks.
std::string StripNulAndBlanks(std::string s) {
    s = s.substr(0, s.find('\0'));
    while (!s.empty() && (s.back() == '\0' || s.back() == ' '))
        s.pop_back();
    return s;
}

// Our text for a raw value by the rules of the reader.
std::string Expected(const std::string& tag, const std::string& raw) {
    const double v = std::atof(raw.c_str());
    if (tag == "ExifIFD:ExposureTime") {
        if (v > 1.0)
            return std::fmod(v, 1.0) == 0 ? std::to_string(static_cast<int>(v)) : FormatFixed(v, 1);
        return v == 0 ? "0/1"
                      : "1/" + std::to_string(static_cast<long>(std::floor(1.0 / v + 1e-6)));
    }
    if (tag == "ExifIFD:FNumber") return FormatFixed(v, 1, 3);
    if (tag == "ExifIFD:FocalLength") return FormatFixed(v, 1, 3) + "mm";
    if (tag == "ExifIFD:Flash") return raw == "0" ? "OFF" : raw == "1" ? "ON" : "?" + raw;
    if (tag == "ExifIFD:ISO") {
        std::string t = raw;
        if (auto sp = t.find(' '); sp != std::string::npos) t[sp] = '/';
        return t;
    }
    return raw;
}

// EXIF-first files, and with the option the EXIF block after a JFIF header too (most edited
// pictures).
TEST(SampleFiles, TextsAgreeWithExifToolRawValues) {
    const ExifReadOptions afterJfif{true};
    if (std::system("command -v exiftool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "exiftool is not installed";
    std::vector<fs::path> files;
    for (const auto& f : SampleFiles()) {
        FileKind kind = FileKind::Unread, plainKind = FileKind::Unread;
        ExifItemTexts items;
        ReadExifFile(f.string(), plainKind, items);
        ReadExifFile(f.string(), kind, items, afterJfif);
        // The deliberately damaged files count only where they always did (EXIF first).
        const std::string folder = f.parent_path().filename().string();
        const bool damaged = folder == "tests" || folder == "invalid";
        if (plainKind == FileKind::Exif || (kind == FileKind::Exif && !damaged)) files.push_back(f);
    }
    ASSERT_FALSE(files.empty());
    const std::vector<std::pair<std::string, int>> tags = {
        {"IFD0:Make", 3},           {"IFD0:Model", 4},
        {"IFD0:ModifyDate", 10},    {"ExifIFD:ExposureTime", 18},
        {"ExifIFD:FNumber", 19},    {"ExifIFD:ISO", 21},
        {"ExifIFD:Flash", 35},      {"ExifIFD:FocalLength", 36},
        {"ExifIFD:ExifVersion", 22}};
    std::vector<std::string> names;
    for (const auto& t : tags)
        names.push_back(t.first);
    const auto values = ExifToolValues(names, files);
    ASSERT_EQ(values.size(), files.size());
    int compared = 0;
    for (const auto& f : files) {
        FileKind kind = FileKind::Unread;
        ExifItemTexts items;
        ReadExifFile(f.string(), kind, items, afterJfif);
        const auto& raw = values.at(f.string());
        for (const auto& [tag, item] : tags) {
            const std::string& r = raw.at(tag);
            if (r == "-") continue;
            ++compared;
            const bool text = tag == "IFD0:Make" || tag == "IFD0:Model" || tag == "IFD0:ModifyDate";
            EXPECT_EQ(text ? StripNulAndBlanks(items[item]) : items[item],
                      text ? StripNulAndBlanks(r) : Expected(tag, r))
                << f.filename() << " " << tag;
        }
    }
    EXPECT_GT(files.size(), 35u) << "the JFIF-first camera pictures are read too";
    EXPECT_GT(compared, 250);
}

// The items of today's cameras against exiftool's numbers: positions to 1e-6 degrees, altitude
// to 0.1 m, the 35 mm focal length and the enumerations exactly.
TEST(SampleFiles, ItemsOfTodaysCamerasAgreeWithExifToolNumbers) {
    if (std::system("command -v exiftool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "exiftool is not installed";
    const std::vector<fs::path> files = SampleFiles();
    struct Numeric {
        const char* tag;
        int item;
        double tolerance;
    };
    const Numeric numbers[] = {{"Composite:GPSLatitude", kItemGpsLatitude, 1e-6},
                               {"Composite:GPSLongitude", kItemGpsLongitude, 1e-6},
                               {"Composite:GPSAltitude", kItemGpsAltitude, 0.1},
                               {"ExifIFD:FocalLengthIn35mmFormat", 79, 0}};
    // Each enumeration's texts by value, as docs/modern-items.md gives them.
    const std::map<std::string, std::pair<int, std::vector<std::string>>> enums = {
        {"ExifIFD:ExposureMode", {80, {"オート", "ﾏﾆｭｱﾙ", "ｵｰﾄﾌﾞﾗｹｯﾄ"}}},
        {"ExifIFD:WhiteBalance", {81, {"オート", "ﾏﾆｭｱﾙ"}}},
        {"ExifIFD:SceneCaptureType", {82, {"標準", "風景", "ﾎﾟｰﾄﾚｲﾄ", "夜景"}}},
        {"ExifIFD:Contrast", {84, {"標準", "弱", "強"}}},
        {"ExifIFD:Saturation", {85, {"標準", "低", "高"}}},
        {"ExifIFD:Sharpness", {86, {"標準", "弱", "強"}}},
        {"ExifIFD:SubjectDistanceRange", {87, {"不明", "マクロ", "近景", "遠景"}}}};
    std::vector<std::string> names;
    for (const Numeric& n : numbers)
        names.push_back(n.tag);
    for (const auto& [tag, e] : enums)
        names.push_back(tag);
    const auto values = ExifToolValues(names, files);
    int compared = 0, positions = 0;
    for (const auto& f : files) {
        const auto found = values.find(f.string());
        if (found == values.end()) continue;
        FileKind kind = FileKind::Unread;
        ExifItemTexts items;
        ReadExifFile(f.string(), kind, items);
        if (kind != FileKind::Exif) continue; // what exiftool finds elsewhere is not ours
        for (const Numeric& n : numbers) {
            const std::string& raw = found->second.at(n.tag);
            if (raw == "-") continue;
            ++compared;
            positions += n.item == kItemGpsLatitude;
            const std::string& text = items[n.item];
            ASSERT_NE(text, kNoValue) << f.filename() << " " << n.tag;
            EXPECT_NEAR(std::atof(text.c_str()), std::atof(raw.c_str()), n.tolerance + 1e-9)
                << f.filename() << " " << n.tag << " " << text;
        }
        for (const auto& [tag, e] : enums) {
            const std::string& raw = found->second.at(tag);
            if (raw == "-") continue;
            ++compared;
            const auto v = static_cast<std::size_t>(std::atoi(raw.c_str()));
            EXPECT_EQ(items[e.first], v < e.second.size() ? e.second[v] : "?" + raw)
                << f.filename() << " " << tag;
        }
    }
    EXPECT_GE(positions, 10) << "the GPS pictures are among the samples";
    EXPECT_GT(compared, 60);
}

} // namespace
} // namespace kamelune::test
