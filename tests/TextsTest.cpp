// Plain functions whose results read as text: the cases in tests/data/texts.tsv (names, escapes,
// encodings), layouts.tsv (page and slideshow geometry, decoding), pkm-lines.tsv (the item
// file's limits) and figures.tsv (the numbers behind texts, distribution bars, conditions).
#include "catalogue/Conditions.h"
#include "catalogue/Distribution.h"
#include "support/DataRows.h"
#include "support/Plain.h"

#include <functional>
#include <map>
#include <sstream>

namespace kamelune::test {

using Args = std::vector<std::string>;

std::string Flag(bool b) {
    return b ? "yes" : "no";
}

int I(const std::string& s) {
    return std::stoi(s);
}

Pane PaneOf(const std::string& s) {
    return s == "all" ? Pane::AllItems : s == "four" ? Pane::FourItems : Pane::Pictures;
}

// The bar a text falls in when it is the only picture counted.
std::string BarOfText(const std::string& choiceName, const std::string& text) {
    const std::optional<DistributionChoice> choice =
        FindDistributionChoice(choiceName, kAllItemCount);
    if (!choice) return "no choice";
    StringGrid base(kAllItemCount + 2, 2);
    base.SetCell(ItemCol(choice->item), 1, text);
    const Distribution d = CountValues(base, *choice, {1});
    return d.bars.size() == 1 ? d.bars[0].label : "bars: " + std::to_string(d.bars.size());
}

std::string ParsedText(const std::string& text) {
    const ParsedConditions p = ParseConditions(text, kAllItemCount);
    return p.error.empty() ? ConditionsText(p.set) : "error: " + p.error;
}

std::string Numbers(std::initializer_list<int> numbers) {
    std::string out;
    for (int n : numbers)
        out += (out.empty() ? "" : " ") + std::to_string(n);
    return out;
}

std::string RectText(const Rect& r) {
    return Numbers({r.left, r.top, r.width, r.height});
}

// A 100 x 75 picture decoded with a minimum size: "denominator width height".
std::string DecodeScale(int minW, int minH) {
    RgbImage img(100, 75);
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(EncodeJpeg(img, 90, bytes));
    const JpegDecodeResult r = DecodeJpegMemory(bytes.data(), bytes.size(), {minW, minH});
    EXPECT_EQ(std::pair(r.fullWidth, r.fullHeight), std::pair(100, 75));
    return Numbers({r.scaleDenom, r.image.width, r.image.height});
}

// A 3 x 2 picture whose pixels are 0..5 turned by an orientation: "width: pixels".
std::string Oriented(int orientation) {
    RgbImage stored(3, 2);
    for (int i = 0; i < 6; ++i)
        stored.pixels[static_cast<std::size_t>(i) * 3] = static_cast<std::uint8_t>(i);
    const RgbImage out = Orient(stored, orientation);
    std::string text = std::to_string(out.width) + ":";
    for (std::size_t i = 0; i < out.pixels.size(); i += 3)
        text += " " + std::to_string(out.pixels[i]);
    return text;
}

// The kinds a file of these bytes is given by the quick check and by the whole read, which finds
// no item in it but its size.
std::string KindsOf(const std::string& bytes) {
    const TempDir dir;
    TempDir::Write(dir / "p.jpg", bytes);
    FileKind quick = FileKind::Unread, kind = FileKind::Unread;
    CheckJpegKind(dir / "p.jpg", quick);
    ExifItemTexts items;
    EXPECT_TRUE(ReadExifFile(dir / "p.jpg", kind, items));
    for (int k = 1; k <= kItemCount; ++k)
        EXPECT_EQ(items[k], k == kItemFileSize ? FileSizeText(bytes.size()) : "---") << k;
    return KindText(quick, true) + std::string(" / ") + KindText(kind);
}

// The thumbnail made of a w × h picture: "width height"; its size file holds w, h and the size.
std::string Thumbnail(int w, int h) {
    TempDir dir;
    WritePicture(dir / "p.jpg", w, h);
    const std::string cache = dir / "thumbs/@KameluneDir/@Y@x";
    const ThumbnailOutcome t = ObtainThumbnail(cache, dir.str(), "p.jpg", "123kb");
    EXPECT_TRUE(t.ok && t.madeNow) << t.error;
    EXPECT_EQ(TempDir::Read(cache + "/T_p.TXT"),
              std::to_string(w) + "\r\n" + std::to_string(h) + "\r\n123kb\r\n");
    const JpegDecodeResult thumb = DecodeJpegFile(cache + "/T_p.jpg");
    return Numbers({thumb.image.width, thumb.image.height});
}

std::string Whole(const FileResult& r) {
    return r ? "whole" : r.error.empty() ? "refused without a reason" : "refused";
}

std::string SlideText(const SlideRect& r) {
    return Numbers({r.left, r.top, r.width, r.height}) + (r.scaled ? " scaled" : "") +
           (r.scroll ? " scroll" : "");
}

const std::map<std::string, std::function<std::string(const Args&)>> kTexts = {
    {"ItemNumber", [](const Args& a) { return std::to_string(ItemNumber(a[0])); }},
    {"CacheSubNameOf", [](const Args& a) { return CacheSubNameOf(a[0]); }},
    {"CacheFolder", [](const Args& a) { return CacheFolder(a[0], a[1]); }},
    {"CacheRoot", [](const Args& a) { return CacheRoot(a[0]); }},
    {"IsInsideCacheRoot", [](const Args& a) { return Flag(IsInsideCacheRoot(a[0])); }},
    {"ThumbFileName", [](const Args& a) { return ThumbFileName(a[0]); }},
    {"SizeFileName", [](const Args& a) { return SizeFileName(a[0]); }},
    {"IsDroppableJpeg", [](const Args& a) { return Flag(IsDroppableJpeg(a[0])); }},
    {"DropDestination", [](const Args& a) { return DropDestination(a[0], a[1]); }},
    {"HtmlText", [](const Args& a) { return HtmlText(a[0]); }},
    {"HtmlUrl", [](const Args& a) { return HtmlUrl(a[0]); }},
    {"ImageFileName", [](const Args& a) { return ImageFileName(a[0] == "yes", a[1]); }},
    {"ExifTextFileName", [](const Args& a) { return ExifTextFileName(a[0]); }},
    {"FileSizeText", [](const Args& a) { return FileSizeText(std::stoull(a[0])); }},
    {"TagText",
     [](const Args& a) {
         return TagText(static_cast<std::uint16_t>(std::stoul(a[0], nullptr, 16)));
     }},
    {"FormatInt", [](const Args& a) { return FormatInt(I(a[0]), I(a[1])); }},
    {"FormatFixed", [](const Args& a) { return FormatFixed(std::stod(a[0]), I(a[1]), I(a[2])); }},
    {"Cp932ToUtf8", [](const Args& a) { return Cp932ToUtf8(a[0]); }},
    {"Utf8ToCp932", [](const Args& a) { return Utf8ToCp932(a[0]); }},
    {"Utf8ToCp932Html", [](const Args& a) { return Utf8ToCp932(a[0], Unmappable::HtmlReference); }},
    {"Cp932Length", [](const Args& a) { return std::to_string(Cp932Length(a[0])); }},
    {"CutToCp932Bytes", [](const Args& a) { return CutToCp932Bytes(a[0], std::stoul(a[1])); }},
    {"FirstChars", [](const Args& a) { return FirstChars(a[0], std::stoul(a[1])); }},
    {"NoLabelText", [](const Args& a) { return NoLabelText(I(a[0]), I(a[1]), a[2]); }},
    {"PicturesPerPage",
     [](const Args& a) { return std::to_string(PicturesPerPage(I(a[0]), PaneOf(a[1]))); }},
    {"ComputePage",
     [](const Args& a) {
         const PageBounds b = ComputePage(I(a[0]), I(a[1]), I(a[2]));
         return Numbers({b.page, b.count, b.first, b.last});
     }},
    {"PanelRect",
     [](const Args& a) { return RectText(PanelRect(I(a[0]), I(a[1]), I(a[2]), I(a[3]))); }},
    {"ColumnsThatFit", [](const Args& a) { return std::to_string(ColumnsThatFit(I(a[0]))); }},
    {"CaptionLineCount",
     [](const Args& a) { return std::to_string(CaptionLineCount(PaneOf(a[0]), I(a[1]))); }},
    {"ImageRect", [](const Args& a) { return RectText(ImageRect(I(a[0]), I(a[1]))); }},
    {"SizeLabelTop",
     [](const Args& a) { return std::to_string(SizeLabelTop(a[0] == "yes", I(a[1]), I(a[2]))); }},
    {"CaptionRect", [](const Args& a) { return RectText(CaptionRect(I(a[0]), I(a[1]))); }},
    {"CaptionLookFor",
     [](const Args& a) {
         const CaptionLook l = CaptionLookFor(a[0] == "yes", a[1] == "yes", 1, 2, 3);
         return Numbers({int(l.background), int(l.text)}) + (l.transparent ? " transparent" : "");
     }},
    {"AutoFitRect",
     [](const Args& a) {
         return SlideText(AutoFitRect(I(a[0]), I(a[1]), I(a[2]), I(a[3]), I(a[4]), I(a[5])));
     }},
    {"FixedRect",
     [](const Args& a) {
         return SlideText(FixedRect(a[0] == "yes", a[1] == "yes", I(a[2]), I(a[3]), I(a[4]),
                                    I(a[5]), I(a[6]), I(a[7])));
     }},
    {"StepForward", [](const Args& a) { return std::to_string(StepForward(I(a[0]), I(a[1]))); }},
    {"StepBackward", [](const Args& a) { return std::to_string(StepBackward(I(a[0]), I(a[1]))); }},
    {"DecodeScale", [](const Args& a) { return DecodeScale(I(a[0]), I(a[1])); }},
    {"Orient", [](const Args& a) { return Oriented(I(a[0])); }},
    {"KindsOf", [](const Args& a) { return KindsOf(a[0] + std::string(std::stoul(a[1]), '\0')); }},
    {"Thumbnail", [](const Args& a) { return Thumbnail(I(a[0]), I(a[1])); }},
    {"PkmWith",
     [](const Args& a) {
         std::vector<std::string> lines = BuiltInPkmLines();
         lines.at(std::stoul(a[0])) = a[1];
         return Whole(CheckPkmLines(lines));
     }},
    {"PkmOfLength",
     [](const Args& a) {
         std::vector<std::string> lines = BuiltInPkmLines();
         lines.resize(std::stoul(a[0]), "extra");
         return Whole(CheckPkmLines(lines));
     }},
    {"PlaceOnScreens",
     [](const Args& a) {
         std::istringstream window(a[0]), all(a[1]);
         ScreenRect r, screen;
         window >> r.left >> r.top >> r.width >> r.height;
         std::vector<ScreenRect> screens;
         while (all >> screen.left >> screen.top >> screen.width >> screen.height)
             screens.push_back(screen);
         r = PlaceOnScreens(r, screens);
         return Numbers({r.left, r.top, r.width, r.height});
     }},
    {"IntervalOnShow", [](const Args& a) { return std::to_string(IntervalOnShow(I(a[0]))); }},
    {"IntervalOnChange", [](const Args& a) { return std::to_string(IntervalOnChange(I(a[0]))); }},
    {"NumberOfText",
     [](const Args& a) {
         const std::optional<double> v = NumberOfText(a[0]);
         if (!v) return std::string("none");
         char text[32];
         std::snprintf(text, sizeof text, "%.6g", *v);
         return std::string(text);
     }},
    {"BarOf", [](const Args& a) { return BarOfText(a[0], a[1]); }},
    {"ParseConditions", [](const Args& a) { return ParsedText(a[0]); }},
    {"Matches",
     [](const Args& a) {
         const ParsedConditions p = ParseConditions(a[0], kAllItemCount);
         if (!p.error.empty() || p.set.conditions.size() != 1) return std::string("bad condition");
         return Flag(Matches(p.set.conditions[0], a[1]));
     }},
};

TEST(Texts, EachFunctionGivesItsText) {
    auto rows = DataRows("texts.tsv");
    for (const char* more : {"layouts.tsv", "pkm-lines.tsv", "figures.tsv"})
        for (auto& row : DataRows(more))
            rows.push_back(std::move(row));
    for (const auto& row : rows) {
        Args args;
        for (std::size_t i = 1; i + 1 < row.size(); ++i)
            args.push_back(Unescape(row[i]));
        ASSERT_TRUE(kTexts.count(row[0])) << row[0];
        EXPECT_EQ(kTexts.at(row[0])(args), Unescape(row.back())) << row[0] << " " << row.at(1);
    }
}

} // namespace kamelune::test
