#include "catalogue/Distribution.h"

#include "catalogue/ItemColumns.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <span>

namespace kamelune {
namespace {

constexpr double kMostSteps = 100;

constexpr double kExposureTimes[] = {
    1.0 / 8000, 1.0 / 6400, 1.0 / 5000, 1.0 / 4000, 1.0 / 3200, 1.0 / 2500, 1.0 / 2000, 1.0 / 1600,
    1.0 / 1250, 1.0 / 1000, 1.0 / 800,  1.0 / 640,  1.0 / 500,  1.0 / 400,  1.0 / 320,  1.0 / 250,
    1.0 / 200,  1.0 / 160,  1.0 / 125,  1.0 / 100,  1.0 / 80,   1.0 / 60,   1.0 / 50,   1.0 / 40,
    1.0 / 30,   1.0 / 25,   1.0 / 20,   1.0 / 15,   1.0 / 13,   1.0 / 10,   1.0 / 8,    1.0 / 6,
    1.0 / 5,    1.0 / 4,    0.3,        0.4,        0.5,        0.6,        0.8,        1,
    1.3,        1.6,        2,          2.5,        3.2,        4,          5,          6,
    8,          10,         13,         15,         20,         25,         30};
constexpr double kFNumbers[] = {1.0, 1.1, 1.2, 1.4, 1.6, 1.8, 2.0, 2.2, 2.5, 2.8, 3.2, 3.5, 4.0,
                                4.5, 5.0, 5.6, 6.3, 7.1, 8,   9,   10,  11,  13,  14,  16,  18,
                                20,  22,  25,  29,  32,  36,  40,  45,  51,  57,  64};
constexpr double kFocalLengths[] = {1,   2,   3,   4,   5,   6,   7,   8,   10,  12,   14,  16,
                                    18,  20,  24,  28,  35,  40,  50,  55,  70,  85,   100, 105,
                                    135, 150, 200, 250, 300, 400, 500, 600, 800, 1000, 1200};
constexpr double kIsoSteps[] = {6,     8,     10,    12,    16,    20,    25,     32,     40,
                                50,    64,    80,    100,   125,   160,   200,    250,    320,
                                400,   500,   640,   800,   1000,  1250,  1600,   2000,   2500,
                                3200,  4000,  5000,  6400,  8000,  10000, 12800,  16000,  20000,
                                25600, 32000, 40000, 51200, 64000, 80000, 102400, 204800, 409600};

std::string Printf(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string ExposureTimeLabel(double seconds) {
    if (seconds < 0.29) return "1/" + Printf("%.0f", 1 / seconds);
    return Printf(seconds < 1 ? "%.1f" : "%g", seconds);
}

std::string MarkLabel(Binning binning, double mark) {
    switch (binning) {
    case Binning::ExposureTime:
        return ExposureTimeLabel(mark);
    case Binning::FNumber:
        return "F" + Printf(mark < 10 ? "%.1f" : "%.0f", mark);
    case Binning::FocalLength:
        return Printf("%g", mark) + "mm";
    case Binning::ExposureBias:
        return Printf(mark > 0 ? "+%.1f" : "%.1f", mark);
    default:
        return Printf("%g", mark);
    }
}

std::span<const double> Series(Binning binning) {
    switch (binning) {
    case Binning::ExposureTime:
        return kExposureTimes;
    case Binning::FNumber:
        return kFNumbers;
    case Binning::FocalLength:
        return kFocalLengths;
    case Binning::Iso:
        return kIsoSteps;
    default:
        return {};
    }
}

// The mark of a series nearest a value, by ratio (the series are geometric); the ends take
// everything beyond them.
std::size_t NearestMark(std::span<const double> series, double value) {
    const auto above = std::lower_bound(series.begin(), series.end(), value);
    if (above == series.begin()) return 0;
    if (above == series.end()) return series.size() - 1;
    const std::size_t k = static_cast<std::size_t>(above - series.begin());
    return value / series[k - 1] < series[k] / value ? k - 1 : k;
}

// The label of a numbered bar by its key: a mark's place in its series, a third of a stop, an
// hour, a month, a year or the number itself.
std::string KeyLabel(Binning binning, double key) {
    switch (binning) {
    case Binning::Hour:
        return Printf("%.0f", key) + "時";
    case Binning::Month:
        return Printf("%.0f", key) + "月";
    case Binning::Year:
        return Printf("%.0f", key);
    case Binning::ExposureBias:
        return MarkLabel(binning, key / 3);
    case Binning::Number:
        return Printf("%g", key);
    default:
        return MarkLabel(binning, Series(binning)[static_cast<std::size_t>(key)]);
    }
}

// The time of shooting's fields: "YYYY:MM:DD HH:MM:SS".
std::optional<int> DateField(std::string_view text, std::size_t at, std::size_t length) {
    text = ShownText(text);
    if (text.size() < 19 || text[4] != ':' || text[7] != ':' || text[13] != ':') return {};
    int value = 0;
    const char* start = text.data() + at;
    const auto [end, ec] = std::from_chars(start, start + length, value);
    if (ec != std::errc() || end != start + length) return {};
    return value;
}

struct Keyed {
    double key = 0; // the order of the bars
    std::string label;
    std::string range;
};

// The bar of one picture's text; none: "---".
std::optional<Keyed> BarOf(const DistributionChoice& c, std::string_view text,
                           std::string_view second) {
    const std::string_view shown = ShownText(text);
    if (shown.empty() || shown == kNoValue) return {};
    switch (c.binning) {
    case Binning::Categories:
        return Keyed{0, std::string(shown), std::string(shown)};
    case Binning::ExposureTime:
    case Binning::FNumber:
    case Binning::FocalLength:
    case Binning::Iso: {
        const std::optional<double> v = NumberOfText(shown);
        if (!v || *v <= 0) return {};
        const double k = static_cast<double>(NearestMark(Series(c.binning), *v));
        return Keyed{k, KeyLabel(c.binning, k), {}};
    }
    case Binning::ExposureBias: {
        const std::optional<double> v = NumberOfText(shown);
        if (!v) return {};
        const double third = std::round(*v * 3);
        return Keyed{third, KeyLabel(c.binning, third), {}};
    }
    case Binning::Number: {
        const std::optional<double> v = NumberOfText(shown);
        if (!v) return {};
        return Keyed{*v, KeyLabel(c.binning, *v), {}};
    }
    case Binning::Hour:
        if (const auto h = DateField(shown, 11, 2); h && *h < 24)
            return Keyed{static_cast<double>(*h), KeyLabel(c.binning, *h), {}};
        return {};
    case Binning::Month:
        if (const auto m = DateField(shown, 5, 2); m && *m >= 1 && *m <= 12)
            return Keyed{static_cast<double>(*m), KeyLabel(c.binning, *m), {}};
        return {};
    case Binning::Year:
        if (const auto y = DateField(shown, 0, 4))
            return Keyed{static_cast<double>(*y), KeyLabel(c.binning, *y), {}};
        return {};
    case Binning::Date:
        if (DateField(shown, 0, 4)) {
            const std::string day(shown.substr(0, 10));
            return Keyed{0, day, day};
        }
        return {};
    case Binning::PictureSize: {
        const std::optional<double> w = NumberOfText(shown), h = NumberOfText(second);
        if (!w || !h) return {};
        const std::string size = Printf("%g", *w) + "x" + Printf("%g", *h);
        return Keyed{0, size, size};
    }
    }
    return {};
}

bool Numbered(Binning b) {
    return b != Binning::Categories && b != Binning::Date && b != Binning::PictureSize;
}

// What a bar holds, for its tip: from the middle (by ratio) between its mark and the one below to
// the middle up to the one above; or half a third of a stop either side. Empty for the others.
std::string RangeText(const DistributionChoice& c, double key) {
    const std::span<const double> series = Series(c.binning);
    if (!series.empty()) {
        const auto k = static_cast<std::size_t>(key);
        const double low = k == 0 ? 0 : std::sqrt(series[k - 1] * series[k]);
        const double high =
            k + 1 == series.size() ? INFINITY : std::sqrt(series[k] * series[k + 1]);
        const auto show = [&c](double v) {
            if (std::isinf(v)) return std::string("∞");
            if (v <= 0) return std::string("0");
            if (c.binning == Binning::ExposureTime) return ExposureTimeLabel(v);
            return Printf(v < 10 ? "%.2g" : "%.0f", v);
        };
        return show(low) + " - " + show(high);
    }
    if (c.binning == Binning::ExposureBias)
        return Printf("%+.2f", (key - 0.5) / 3) + " - " + Printf("%+.2f", (key + 0.5) / 3);
    return {};
}

} // namespace

std::string_view ShownText(std::string_view text) {
    text = text.substr(0, text.find('\0')); // an ASCII value ends at its NUL; padding may follow
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return text;
}

std::optional<double> NumberOfText(std::string_view text) {
    text = ShownText(text);
    if (text.empty() || text == kNoValue) return {};
    if (text.front() == 'F' || text.front() == 'f') text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc()) return {};
    std::string_view rest(end, static_cast<std::size_t>(text.data() + text.size() - end));
    if (!rest.empty() && rest.front() == '/') {
        double below = 0;
        const auto [end2, ec2] = std::from_chars(rest.data() + 1, rest.data() + rest.size(), below);
        if (ec2 != std::errc() || below == 0) return {};
        value /= below;
        rest = std::string_view(end2, static_cast<std::size_t>(rest.data() + rest.size() - end2));
    }
    // A unit may follow ("mm", "s", "kb"); anything else is no number.
    for (const char ch : rest)
        if (!(ch >= 'a' && ch <= 'z') && !(ch >= 'A' && ch <= 'Z')) return {};
    if (!std::isfinite(value)) return {};
    return value;
}

// How an item's own line counts: by the series photographers think in where it has one.
Binning NaturalBinning(int item) {
    switch (item) {
    case kItemExposureTime:
        return Binning::ExposureTime;
    case kItemFNumber:
    case kItemMaxAperture:
        return Binning::FNumber;
    case kItemIsoSpeed:
        return Binning::Iso;
    case kItemExposureBias:
        return Binning::ExposureBias;
    case kItemFocalLength:
    case kItemFocalLength35mm:
        return Binning::FocalLength;
    case kItemWidth:
    case kItemHeight:
    case kItemExifWidth:
    case kItemExifHeight:
        return Binning::Number;
    default:
        return Binning::Categories;
    }
}

std::vector<DistributionChoice> DistributionChoices(int items) {
    std::vector<DistributionChoice> choices = {
        {"機種", kItemModel, Binning::Categories},
        {"露光時間", kItemExposureTime, Binning::ExposureTime},
        {"F値", kItemFNumber, Binning::FNumber},
        {"ISO", kItemIsoSpeed, Binning::Iso},
        {"焦点距離", kItemFocalLength, Binning::FocalLength},
        {"露出補正", kItemExposureBias, Binning::ExposureBias},
        {"ﾌﾗｯｼｭ", kItemFlash, Binning::Categories},
        {"撮影時刻(時)", kItemDateTimeOriginal, Binning::Hour},
        {"撮影日", kItemDateTimeOriginal, Binning::Date},
        {"撮影月", kItemDateTimeOriginal, Binning::Month},
        {"撮影年", kItemDateTimeOriginal, Binning::Year},
        {"向き", kItemOrientation, Binning::Categories},
        {"画像サイズ", kItemWidth, Binning::PictureSize},
    };
    if (items >= kAllItemCount) {
        choices.insert(choices.begin() + 1, {"ﾚﾝｽﾞ", kItemLensModel, Binning::Categories});
        choices.insert(choices.begin() + 6,
                       {"35mm換算", kItemFocalLength35mm, Binning::FocalLength});
        choices.insert(choices.begin() + 9, {"ﾎﾜｲﾄﾊﾞﾗﾝｽ", kItemWhiteBalance, Binning::Categories});
    }
    for (int k = 1; k <= items; ++k) {
        const CatalogueItem& c = CatalogueItemOf(k);
        choices.push_back({TrimText(c.longName), k, NaturalBinning(k)});
    }
    return choices;
}

std::optional<DistributionChoice> FindDistributionChoice(std::string_view name, int items) {
    const auto same = [](std::string_view a, std::string_view b) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   const auto low = [](char c) {
                       return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
                   };
                   return low(x) == low(y);
               });
    };
    const std::vector<DistributionChoice> choices = DistributionChoices(items);
    for (const DistributionChoice& c : choices)
        if (same(c.name, name)) return c;
    const int number = ItemNumber(name);
    for (int k = 1; k <= items; ++k) {
        const CatalogueItem& item = CatalogueItemOf(k);
        if (k == number || same(item.gridTitle, name) || same(item.heading, name)) {
            for (const DistributionChoice& c : choices) // the item's own line, past the first ones
                if (c.item == k && same(c.name, TrimText(item.longName))) return c;
        }
    }
    return {};
}

Distribution CountValues(const StringGrid& base, const DistributionChoice& choice,
                         const PictureList& pictures) {
    Distribution d;
    std::map<double, DistributionBar> numbered;
    std::map<std::string, DistributionBar> named;
    DistributionBar none{std::string(kNoValue), "値なし", {}, true};
    for (const int row : pictures) {
        if (row < 1 || row >= base.RowCount()) continue;
        ++d.total;
        std::string_view text = base.Cell(ItemCol(choice.item), row), second;
        if (choice.binning == Binning::PictureSize) {
            // The size the thumbnails found, else the one the EXIF block gives.
            second = base.Cell(ItemCol(kItemHeight), row);
            if (!NumberOfText(text) || !NumberOfText(second)) {
                text = base.Cell(ItemCol(kItemExifWidth), row);
                second = base.Cell(ItemCol(kItemExifHeight), row);
            }
        }
        const std::optional<Keyed> bar = BarOf(choice, text, second);
        if (!bar) {
            none.pictures.push_back(row);
            continue;
        }
        DistributionBar& b = Numbered(choice.binning) ? numbered[bar->key] : named[bar->label];
        if (b.pictures.empty()) b.label = bar->label, b.range = bar->range;
        b.pictures.push_back(row);
    }
    if (Numbered(choice.binning) && !numbered.empty()) {
        const double first = numbered.begin()->first, last = numbered.rbegin()->first;
        // A clock never set (year 0) or a value far off would make thousands of empty bars:
        // beyond kMostSteps the used ones alone.
        const bool gapless = choice.binning != Binning::Number && last - first <= kMostSteps;
        if (gapless) {
            // Every step between the lowest and the highest, the empty ones too.
            for (double key = first; key <= last; key += 1) {
                auto it = numbered.find(key);
                if (it == numbered.end())
                    it = numbered
                             .emplace(key,
                                      DistributionBar{KeyLabel(choice.binning, key), {}, {}, false})
                             .first;
                if (it->second.range.empty()) it->second.range = RangeText(choice, key);
                if (it->second.range.empty()) it->second.range = it->second.label;
                d.bars.push_back(std::move(it->second));
            }
        } else {
            for (auto& [key, bar] : numbered) {
                bar.range = bar.label;
                d.bars.push_back(std::move(bar));
            }
        }
    } else if (!Numbered(choice.binning)) {
        for (auto& [label, bar] : named)
            d.bars.push_back(std::move(bar));
        // Days in their order; other categories the most frequent first.
        if (choice.binning != Binning::Date)
            std::stable_sort(d.bars.begin(), d.bars.end(), [](const auto& a, const auto& b) {
                return a.pictures.size() > b.pictures.size();
            });
    }
    if (!none.pictures.empty()) d.bars.push_back(std::move(none));
    return d;
}

std::string ShareText(const DistributionBar& bar, const Distribution& d) {
    return Printf("%.1f", d.total ? 100.0 * static_cast<double>(bar.pictures.size()) / d.total : 0);
}

std::vector<std::string> DistributionLines(const Distribution& d, const std::string& title) {
    std::vector<std::string> lines{title + "\t枚数\t%"};
    for (const DistributionBar& bar : d.bars)
        lines.push_back(bar.label + "\t" + std::to_string(bar.pictures.size()) + "\t" +
                        ShareText(bar, d));
    return lines;
}

} // namespace kamelune
