#include "catalogue/Conditions.h"

#include "catalogue/Distribution.h"
#include "catalogue/ItemColumns.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace kamelune {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

bool StartsWithLetters(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && SameLetters(text.substr(0, start.size()), start);
}

// Short names for the items people filter by most.
struct ShortName {
    const char* name;
    int item;
};
constexpr ShortName kShortNames[] = {
    {"ISO", kItemIsoSpeed},          {"Lens", kItemLensModel},
    {"Camera", kItemModel},          {"Model", kItemModel},
    {"Maker", kItemMaker},           {"F", kItemFNumber},
    {"Shutter", kItemExposureTime},  {"Exposure", kItemExposureTime},
    {"Focal", kItemFocalLength},     {"Focal35", kItemFocalLength35mm},
    {"Date", kItemDateTimeOriginal}, {"EV", kItemExposureBias},
    {"Flash", kItemFlash},           {"WB", kItemWhiteBalance},
    {"Name", kItemFileName},
};

// The tests' signs, the longest first so that "<=" is not read as "<".
struct Sign {
    const char* text;
    ConditionTest test;
};
constexpr Sign kSigns[] = {
    {"<=", ConditionTest::LessEqual}, {">=", ConditionTest::GreaterEqual},
    {"!=", ConditionTest::NotEqual},  {"≠", ConditionTest::NotEqual},
    {"≤", ConditionTest::LessEqual},  {"≥", ConditionTest::GreaterEqual},
    {"=", ConditionTest::Equal},      {"~", ConditionTest::Contains},
    {"<", ConditionTest::Less},       {">", ConditionTest::Greater},
};

const char* SignOf(ConditionTest test) {
    for (const Sign& s : kSigns)
        if (s.test == test) return s.text;
    return "=";
}

// Reads the text word by word: quoted words, bare words, signs.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}
    void SkipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos_ >= text_.size();
    }
    std::optional<ConditionTest> Sign() {
        SkipBlanks();
        for (const kamelune::Sign& s : kSigns) {
            const std::string_view sign = s.text;
            if (text_.substr(pos_, sign.size()) == sign) {
                pos_ += sign.size();
                return s.test;
            }
        }
        return {};
    }
    // A quoted word ("" inside for a quote), or letters up to a blank or a sign.
    std::optional<std::string> Word() {
        SkipBlanks();
        if (pos_ >= text_.size()) return {};
        std::string word;
        if (text_[pos_] == '"') {
            for (++pos_; pos_ < text_.size(); ++pos_) {
                if (text_[pos_] == '"') {
                    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                        word += '"';
                        ++pos_;
                        continue;
                    }
                    ++pos_;
                    return word;
                }
                word += text_[pos_];
            }
            return {}; // no closing quote
        }
        while (pos_ < text_.size() && text_[pos_] != ' ' && text_[pos_] != '\t' && !AtSign())
            word += text_[pos_++];
        if (word.empty()) return {};
        return word;
    }
    bool Keyword(std::string_view word) {
        SkipBlanks();
        const std::size_t save = pos_;
        if (const std::optional<std::string> w = Word(); w && SameLetters(*w, word)) return true;
        pos_ = save;
        return false;
    }

private:
    bool AtSign() const {
        for (const kamelune::Sign& s : kSigns) {
            const std::string_view sign = s.text;
            if (text_.substr(pos_, sign.size()) == sign) return true;
        }
        return false;
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

// -1, 0 or 1: numbers when both are numbers, else texts.
int Compare(std::string_view cell, std::string_view value) {
    const std::optional<double> a = NumberOfText(cell), b = NumberOfText(value);
    if (a && b) {
        const double tolerance = 1e-9 * std::max(1.0, std::fabs(*b));
        return std::fabs(*a - *b) <= tolerance ? 0 : *a < *b ? -1 : 1;
    }
    const int c = cell.compare(ShownText(value));
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// Whether the text and a value can be ordered: two numbers, or two texts neither of which is one.
bool Comparable(std::string_view cell, std::string_view value) {
    return NumberOfText(cell).has_value() == NumberOfText(value).has_value();
}

} // namespace

const std::vector<std::string>& ConditionTestNames() {
    static const std::vector<std::string> names = {"と等しい",   "と異なる", "を含む",
                                                   "より小さい", "以下",     "より大きい",
                                                   "以上",       "の範囲",   "値なし"};
    return names;
}

int ItemOfName(std::string_view name, int items) {
    name = ShownText(name);
    if (name.empty()) return 0;
    if (const int n = ItemNumber(name); n >= 1 && n <= items) return n;
    for (const ShortName& s : kShortNames)
        if (SameLetters(s.name, name) && s.item <= items) return s.item;
    for (int k = 1; k <= items; ++k) {
        const CatalogueItem& c = CatalogueItemOf(k);
        if (SameLetters(c.gridTitle, name) || SameLetters(c.heading, name)) return k;
    }
    int found = 0;
    for (int k = 1; k <= items; ++k) {
        if (!StartsWithLetters(CatalogueItemOf(k).gridTitle, name)) continue;
        if (found) return 0; // the start of more than one title
        found = k;
    }
    return found;
}

ParsedConditions ParseConditions(std::string_view text, int items) {
    ParsedConditions out;
    Reader r(text);
    std::optional<bool> any;
    while (true) {
        const std::optional<std::string> name = r.Word();
        if (!name) {
            out.error = "項目がありません";
            return out;
        }
        Condition c;
        c.item = ItemOfName(*name, items);
        if (c.item == 0) {
            out.error = "項目がわかりません: " + *name;
            return out;
        }
        if (r.Keyword("is")) {
            if (!r.Keyword("empty")) {
                out.error = "is の後は empty です";
                return out;
            }
            c.test = ConditionTest::NoValue;
        } else if (r.Keyword("between")) {
            const std::optional<std::string> low = r.Word();
            const bool joined = low && r.Keyword("and");
            const std::optional<std::string> high = joined ? r.Word() : std::nullopt;
            if (!high) {
                out.error = "between A and B と書いてください";
                return out;
            }
            c.test = ConditionTest::Between;
            c.value = *low;
            c.upTo = *high;
        } else if (const std::optional<ConditionTest> test = r.Sign()) {
            const std::optional<std::string> value = r.Word();
            if (!value) {
                out.error = "値がありません: " + *name;
                return out;
            }
            c.test = *test;
            c.value = *value;
        } else {
            out.error = "比較がありません: " + *name;
            return out;
        }
        out.set.conditions.push_back(std::move(c));
        if (r.AtEnd()) break;
        const bool orNext = r.Keyword("or");
        if (!orNext && !r.Keyword("and")) {
            out.error = "AND か OR がありません";
            return out;
        }
        if (any && *any != orNext) {
            out.error = "AND と OR は混ぜられません";
            return out;
        }
        any = orNext;
        if (out.set.conditions.size() == kMostConditions) {
            out.error = "条件は4つまでです";
            return out;
        }
    }
    out.set.any = any.value_or(false);
    return out;
}

std::string ConditionsText(const ConditionSet& set) {
    const auto quoted = [](const std::string& word) {
        std::string q = "\"";
        for (const char c : word)
            q += c == '"' ? std::string("\"\"") : std::string(1, c);
        return q + "\"";
    };
    std::string text;
    for (const Condition& c : set.conditions) {
        if (!text.empty()) text += set.any ? " OR " : " AND ";
        text += quoted(CatalogueItemOf(c.item).gridTitle);
        if (c.test == ConditionTest::NoValue)
            text += " is empty";
        else if (c.test == ConditionTest::Between)
            text += " between " + quoted(c.value) + " and " + quoted(c.upTo);
        else
            text += std::string(" ") + SignOf(c.test) + " " + quoted(c.value);
    }
    return text;
}

bool Matches(const Condition& c, std::string_view cell) {
    cell = ShownText(cell);
    const bool none = cell.empty() || cell == kNoValue;
    switch (c.test) {
    case ConditionTest::NoValue:
        return none;
    case ConditionTest::Contains: {
        const std::string_view part = c.value;
        if (part.empty()) return !none;
        for (std::size_t i = 0; i + part.size() <= cell.size(); ++i)
            if (SameLetters(cell.substr(i, part.size()), part)) return true;
        return false;
    }
    case ConditionTest::Equal:
        return !none && Compare(cell, c.value) == 0;
    case ConditionTest::NotEqual:
        return none || Compare(cell, c.value) != 0;
    default:
        break;
    }
    if (none || !Comparable(cell, c.value)) return false;
    const int order = Compare(cell, c.value);
    switch (c.test) {
    case ConditionTest::Less:
        return order < 0;
    case ConditionTest::LessEqual:
        return order <= 0;
    case ConditionTest::Greater:
        return order > 0;
    case ConditionTest::GreaterEqual:
        return order >= 0;
    case ConditionTest::Between:
        return order >= 0 && Comparable(cell, c.upTo) && Compare(cell, c.upTo) <= 0;
    default:
        return false;
    }
}

PictureList MatchingPictures(const StringGrid& base, const ConditionSet& set,
                             const PictureList& pictures) {
    PictureList out;
    if (set.conditions.empty()) return out;
    for (const int row : pictures) {
        if (row < 1 || row >= base.RowCount()) continue;
        const auto meets = [&](const Condition& c) {
            return Matches(c, base.Cell(ItemCol(c.item), row));
        };
        const bool ok = set.any ? std::any_of(set.conditions.begin(), set.conditions.end(), meets)
                                : std::all_of(set.conditions.begin(), set.conditions.end(), meets);
        if (ok) out.push_back(row);
    }
    return out;
}

PictureList ChangeSelectionBy(const PictureList& selected, const PictureList& matching,
                              SelectionChange change) {
    switch (change) {
    case SelectionChange::Replace:
        return matching;
    case SelectionChange::Extend: {
        PictureList out = selected;
        const std::unordered_set<int> in(selected.begin(), selected.end());
        for (const int p : matching)
            if (!in.count(p)) out.push_back(p);
        return out;
    }
    case SelectionChange::Narrow: {
        const std::unordered_set<int> in(matching.begin(), matching.end());
        PictureList out;
        for (const int p : selected)
            if (in.count(p)) out.push_back(p);
        return out;
    }
    }
    return selected;
}

} // namespace kamelune
