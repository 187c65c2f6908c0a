// A folder's EXIF at a glance: the number behind an item's text, and how many pictures fall in
// each value or range of an item. Plain code over the base table, shared by the distribution
// window, the condition selection and kamelune-table.
#pragma once

#include "catalogue/ItemCatalogue.h"
#include "platform/StringGrid.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kamelune {

// The number a text stands for: "1/250" is 0.004, "F4.0" 4, "28.0mm" 28, "+0.7" 0.7, "3648" 3648;
// trailing NULs and blanks ignored. None for "---", an empty text or one that is no number.
std::optional<double> NumberOfText(std::string_view text);

// A text as its value: up to its first NUL (an ASCII value ends there; cameras pad with anything
// after it), blanks off both ends.
std::string_view ShownText(std::string_view text);

// How the values of a choice are counted.
enum class Binning {
    Categories,   // each text its own bar, the most frequent first
    ExposureTime, // seconds, in third stops (1/250, 1/200, ... 30)
    FNumber,      // the usual series in third stops (F2.8, F3.2, F3.5, ...)
    FocalLength,  // mm, at the marks of lenses (24, 28, 35, 50, ...)
    Iso,          // the usual third steps (100, 125, 160, ...)
    ExposureBias, // thirds of a stop
    Number,       // a plain number, each value its own bar, in order
    Hour,         // the hour of the day of a date and time, 0-23
    Date,         // its day, "YYYY:MM:DD"
    Month,        // its month, 1-12
    Year,         // its year
    PictureSize,  // width x height (items 52 and 53)
};

// What the window and kamelune-table --count offer: an item of the catalogue, or one derived from
// the time of shooting or the picture's size.
struct DistributionChoice {
    std::string name; // as listed: the item's heading, or the derived one's
    int item = 0;     // the base-table item it counts
    Binning binning = Binning::Categories;
};
// The choices photographers ask for first, then every item of the catalogue (items: 75 or 95).
std::vector<DistributionChoice> DistributionChoices(int items);
// The choice an item number or name stands for (a title of the base table, a heading, a derived
// choice's name, letter case ignored); none when nothing matches.
std::optional<DistributionChoice> FindDistributionChoice(std::string_view name, int items);

struct DistributionBar {
    std::string label;    // the value, or the range's mark; "---" for no value
    std::string range;    // what falls in it, for a tip ("1/280 - 1/225 s")
    PictureList pictures; // base rows, in the order counted
    bool noValue = false; // the "---" bar
};
struct Distribution {
    std::vector<DistributionBar> bars;
    int total = 0; // pictures counted
};

// The pictures (base rows, in the view's order) counted by the choice. Number bins run without a
// gap from the lowest used to the highest used; "---" (no value, or no number where one is
// wanted) comes last, when any picture has it.
Distribution CountValues(const StringGrid& base, const DistributionChoice& choice,
                         const PictureList& pictures);

// A bar's share of the pictures counted, in percent with one decimal ("12.5").
std::string ShareText(const DistributionBar& bar, const Distribution& d);
// "label<TAB>count<TAB>percent" lines under a title line, as the TAB text of the window and
// kamelune-table --count print them.
std::vector<std::string> DistributionLines(const Distribution& d, const std::string& title);

} // namespace kamelune
