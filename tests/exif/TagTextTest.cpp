// The text of each tag rule, in both byte orders, from the cases in tests/data/exif-entries.tsv.
#include "ExifTestUtil.h"

#include "exif/TagRules.h"
#include "support/DataRows.h"

namespace kamelune::test {

struct EntryCase {
    std::string name, layout;
    std::vector<Entry> entries;
    std::vector<std::pair<int, std::string>> items;
};

std::vector<EntryCase> LoadEntryCases() {
    std::vector<EntryCase> cases;
    for (const auto& fields : DataRows("exif-entries.tsv")) {
        EntryCase c{fields.at(0), fields.at(1), Entries(fields.at(2)), {}};
        for (std::size_t f = 3; f < fields.size(); ++f) {
            const auto eq = fields[f].find('=');
            c.items.emplace_back(std::stoi(fields[f].substr(0, eq)),
                                 Unescape(fields[f].substr(eq + 1)));
        }
        cases.push_back(std::move(c));
    }
    return cases;
}

class EntryText : public ::testing::TestWithParam<std::tuple<EntryCase, Order>> {};

TEST_P(EntryText, ReadsAsExpected) {
    const auto& [c, order] = GetParam();
    TiffLayout tiff;
    tiff.ifd0 = {E("010F ascii Maker")};
    if (c.layout == "ifd0") {
        tiff.ifd0.insert(tiff.ifd0.end(), c.entries.begin(), c.entries.end());
    } else if (c.layout == "exif") {
        tiff.exif = c.entries;
    } else if (c.layout == "gps") {
        tiff.exif = {E("A405 short 35")};
        tiff.gps = c.entries;
    } else { // "olympus" or "nikon", then the maker and model when they are not the usual ones
        const auto note = Split(c.layout, '|');
        const bool olympus = note[0] == "olympus";
        ASSERT_TRUE(olympus || note[0] == "nikon") << c.layout;
        tiff = MakerLayout(note.size() > 1 ? note[1]
                           : olympus       ? "OLYMPUS OPTICAL CO.,LTD"
                                           : "NIKON",
                           note.size() > 2 ? note[2]
                           : olympus       ? "C3030Z"
                                           : "E990",
                           Note(olympus ? kOlympusHeader : "", c.entries));
    }
    const ReadResult r = ReadLayout(tiff, order);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.kind, "EXIF");
    for (const auto& [item, text] : c.items)
        EXPECT_EQ(r.items[item], text) << "item " << item;
}

INSTANTIATE_TEST_SUITE_P(Rules, EntryText,
                         ::testing::Combine(::testing::ValuesIn(LoadEntryCases()),
                                            ::testing::Values(Order::II, Order::MM)),
                         CaseAndOrderName<EntryCase>);

TEST(NumberFormats, IgnoreTheProcessLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(FormatFixed(2.8, 1, 3), "2.8");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace kamelune::test
