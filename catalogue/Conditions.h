// Selecting pictures by their EXIF values: up to four conditions joined by AND or OR, each an
// item, a test and a value, as the dialog builds them or as text ("ISO>=1600 AND Lens~70-200").
// Plain code, shared by the dialog and kamelune-table --where.
#pragma once

#include "catalogue/ItemCatalogue.h"
#include "platform/StringGrid.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kamelune {

enum class ConditionTest {
    Equal,        // "=": the same number, else the same text
    NotEqual,     // "!="
    Contains,     // "~": the text holds the value, letter case ignored
    Less,         // "<": numbers when both are, else texts ("2015:01:01" compares as dates)
    LessEqual,    // "<="
    Greater,      // ">"
    GreaterEqual, // ">="
    Between,      // "between A and B", both ends in
    NoValue,      // "is empty": "---" or nothing
};

struct Condition {
    int item = 0;
    ConditionTest test = ConditionTest::Equal;
    std::string value, upTo; // upTo: the upper end of Between
};

struct ConditionSet {
    std::vector<Condition> conditions; // at most four
    bool any = false;                  // OR: any of them; AND: all of them
};

constexpr std::size_t kMostConditions = 4;

// The tests as the dialog lists them, in ConditionTest order.
const std::vector<std::string>& ConditionTestNames();

// The item a name stands for: a title of the base table or a heading (letter case ignored), a
// short name (ISO, Lens, Camera, F, Shutter, Focal, Date, ...), a number, or the start of just one
// title. 0 when none.
int ItemOfName(std::string_view name, int items);

struct ParsedConditions {
    ConditionSet set;
    std::string error; // empty when the text was read
};
ParsedConditions ParseConditions(std::string_view text, int items);
// The text ParseConditions reads back as the same set (items by their titles).
std::string ConditionsText(const ConditionSet& set);

bool Matches(const Condition& c, std::string_view cell);
// The pictures among `pictures` (base rows, their order kept) whose rows meet the set.
PictureList MatchingPictures(const StringGrid& base, const ConditionSet& set,
                             const PictureList& pictures);

enum class SelectionChange { Replace, Extend, Narrow };
// The new selection: the matching pictures alone, the selection and then the matching ones not in
// it yet, or the selected ones that match (selection order kept).
PictureList ChangeSelectionBy(const PictureList& selected, const PictureList& matching,
                              SelectionChange change);

} // namespace kamelune
