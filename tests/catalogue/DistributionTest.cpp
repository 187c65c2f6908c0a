// A folder's values counted into bars, and pictures chosen by conditions, over a small base table.
#include "catalogue/Distribution.h"
#include "catalogue/Conditions.h"
#include "support/Plain.h"

namespace kamelune::test {

namespace {

// A base table of one item: row k + 1 holds texts[k].
StringGrid Column(int item, const std::vector<std::string>& texts) {
    StringGrid base(kAllItemCount + 2, static_cast<int>(texts.size()) + 1);
    for (std::size_t k = 0; k < texts.size(); ++k)
        base.SetCell(ItemCol(item), static_cast<int>(k) + 1, texts[k]);
    return base;
}

PictureList Rows(int n) {
    PictureList rows;
    for (int r = 1; r <= n; ++r)
        rows.push_back(r);
    return rows;
}

// "label:count" of every bar.
std::string Bars(const Distribution& d) {
    std::string out;
    for (const DistributionBar& bar : d.bars)
        out += (out.empty() ? "" : " ") + bar.label + ":" + std::to_string(bar.pictures.size());
    return out;
}

DistributionChoice Choice(const std::string& name) {
    const std::optional<DistributionChoice> c = FindDistributionChoice(name, kAllItemCount);
    EXPECT_TRUE(c) << name;
    return c.value_or(DistributionChoice{});
}

} // namespace

// Numbers run without a gap from the lowest to the highest used; no value comes last; categories
// the most frequent first; days in their order; the pictures of a bar in the order counted.
TEST(Distribution, BarsInTheirOrderWithEveryStepBetween) {
    const StringGrid iso = Column(kItemIsoSpeed, {"400", "100", "---", "100", "ISO?"});
    EXPECT_EQ(Bars(CountValues(iso, Choice("ISO"), Rows(5))),
              "100:2 125:0 160:0 200:0 250:0 320:0 400:1 ---:2");
    EXPECT_EQ(CountValues(iso, Choice("ISO"), {4, 2, 1}).bars[0].pictures, (PictureList{4, 2}));

    const StringGrid models =
        Column(kItemModel, {std::string("B\0", 2), "A", "B", "---", "C", "C"});
    EXPECT_EQ(Bars(CountValues(models, Choice("機種"), Rows(6))), "B:2 C:2 A:1 ---:1");

    const StringGrid days =
        Column(kItemDateTimeOriginal,
               {"2016:01:02 10:00:00", "2015:12:31 23:59:59", "2016:01:02 09:00:00"});
    EXPECT_EQ(Bars(CountValues(days, Choice("撮影日"), Rows(3))), "2015:12:31:1 2016:01:02:2");
    EXPECT_EQ(Bars(CountValues(days, Choice("撮影時刻(時)"), Rows(3))),
              "9時:1 10時:1 11時:0 12時:0 13時:0 14時:0 15時:0 16時:0 17時:0 18時:0 19時:0 20時:0 "
              "21時:0 22時:0 23時:1");

    const StringGrid years =
        Column(kItemDateTimeOriginal, {"2016:01:02 10:00:00", "0000:00:00 00:00:00"});
    EXPECT_EQ(Bars(CountValues(years, Choice("撮影年"), Rows(2))), "0:1 2016:1")
        << "a clock never set: no 2,015 empty years between";

    const Distribution none = CountValues(Column(kItemFNumber, {"---"}), Choice("F値"), Rows(1));
    EXPECT_EQ(Bars(none), "---:1");
    EXPECT_TRUE(none.bars[0].noValue);
    EXPECT_EQ(DistributionLines(CountValues(iso, Choice("ISO"), {1, 2, 3, 4}), "ISO")[1],
              "100\t2\t50.0");
    EXPECT_TRUE(CountValues(iso, Choice("ISO"), {}).bars.empty());
}

TEST(Conditions, AllOrAnyOverTheTableAndWhatTheSelectionBecomes) {
    StringGrid base = Column(kItemIsoSpeed, {"100", "800", "1600", "---"});
    base.SetCell(ItemCol(kItemModel), 1, "Canon EOS 40D");
    base.SetCell(ItemCol(kItemModel), 3, "NIKON D70");
    const auto match = [&](const std::string& text, const PictureList& pictures) {
        const ParsedConditions p = ParseConditions(text, kAllItemCount);
        EXPECT_EQ(p.error, "") << text;
        return MatchingPictures(base, p.set, pictures);
    };
    EXPECT_EQ(match("ISO>=800", Rows(4)), (PictureList{2, 3}));
    EXPECT_EQ(match("ISO>=800 AND Model~nikon", Rows(4)), (PictureList{3}));
    EXPECT_EQ(match("ISO>=800 OR Model~canon", {4, 3, 2, 1}), (PictureList{3, 2, 1}));
    EXPECT_EQ(match("ISO is empty", Rows(4)), (PictureList{4}));

    const PictureList selected{4, 1}, matching{2, 1, 3};
    EXPECT_EQ(ChangeSelectionBy(selected, matching, SelectionChange::Replace), matching);
    EXPECT_EQ(ChangeSelectionBy(selected, matching, SelectionChange::Extend),
              (PictureList{4, 1, 2, 3}));
    EXPECT_EQ(ChangeSelectionBy(selected, matching, SelectionChange::Narrow), (PictureList{1}));
}

} // namespace kamelune::test
