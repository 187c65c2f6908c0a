// The distribution window and the condition dialog in the running program (offscreen): a bar
// clicked or a condition met selects pictures, and the tables' selection numbers follow.
#include "platform/TextFile.h"
#include "support/MainWindowFixture.h"

#include <QPushButton>

namespace kamelune::test {

class Distribution : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        FourExposureTimes(); // two in the 1/320 bar, two in the 1/30 one
        StartIn(Pictures());
    }
    std::vector<std::string> SelectionColumn() const {
        std::vector<std::string> out;
        for (int r = 1; r < View().RowCount(); ++r)
            out.emplace_back(View().Cell(1, r));
        return out;
    }
};

TEST_F(Distribution, ABarClickedSelectsItsPicturesAndACtrlClickAddsThem) {
    mainWindow->findChild<QAction*>(QStringLiteral("Distribution"))->trigger();
    DistributionWindow& w = *windows->distribution;
    ASSERT_TRUE(w.isVisible());
    const DistributionControls& c = w.Controls();
    c.choiceCombo->setCurrentText(QStringLiteral("露光時間"));
    const auto& bars = c.chart->Shown().bars;
    ASSERT_EQ(bars.size(), 11u) << "1/320 to 1/30, the empty steps between too";
    EXPECT_EQ(bars.front().label, "1/320");
    EXPECT_EQ(bars.back().label, "1/30");
    EXPECT_EQ(bars.front().pictures, (PictureList{1, 3}));

    QTest::mouseClick(c.chart, Qt::LeftButton, {}, c.chart->BarRect(0).center());
    EXPECT_EQ(model->Selected(), (PictureList{1, 3}));
    EXPECT_EQ(SelectionColumn(), (std::vector<std::string>{"1", "", "2", ""}));
    QTest::mouseClick(c.chart, Qt::LeftButton, Qt::ControlModifier, c.chart->BarRect(10).center());
    EXPECT_EQ(model->Selected(), (PictureList{1, 3, 2, 4}));
    EXPECT_EQ(SelectionColumn(), (std::vector<std::string>{"1", "3", "2", "4"}));
    QTest::mouseClick(c.chart, Qt::LeftButton, {}, c.chart->BarRect(10).center());
    EXPECT_EQ(model->Selected(), (PictureList{2, 4})) << "a plain click starts anew";

    // Over the selection alone; the TAB text of the counts, CP932 CR LF.
    c.scopeCombo->setCurrentIndex(1);
    EXPECT_EQ(c.chart->Shown().total, 2);
    const std::string tab = dir / "counts.txt";
    dialogs.AnswerPath(tab);
    c.tabButton->click();
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(tab, bytes, 1 << 20));
    EXPECT_EQ(bytes, Utf8ToCp932("露光時間\t枚数\t%\r\n1/30\t2\t100.0\r\n"));
    const std::string svg = dir / "chart.svg";
    dialogs.AnswerPath(svg);
    c.svgButton->click();
    ASSERT_TRUE(ReadWholeFile(svg, bytes, 1 << 20));
    EXPECT_NE(bytes.find("<svg"), std::string::npos);
}

TEST_F(Distribution, ConditionsReplaceExtendOrNarrowTheSelection) {
    mainWindow->findChild<QAction*>(QStringLiteral("SelectByConditions"))->trigger();
    ConditionDialog& d = *windows->conditions;
    ASSERT_TRUE(d.isVisible());
    const ConditionControls& c = d.Controls();
    c.textEdit->setText(QStringLiteral("Exp.Time < 1/100"));
    c.selectButton->click();
    EXPECT_EQ(model->Selected(), (PictureList{1, 3}));
    EXPECT_EQ(c.resultLabel->text(), QStringLiteral("条件に合う画像: 2枚　選択: 2枚"));

    // The rows instead of the text: b.jpg by its name, added.
    c.textEdit->clear();
    c.rows[0].itemCombo->setCurrentIndex(kItemFileName);
    c.rows[0].testCombo->setCurrentIndex(static_cast<int>(ConditionTest::Contains));
    c.rows[0].valueEdit->setText(QStringLiteral("B.JP"));
    c.extendButton->setChecked(true);
    EXPECT_TRUE(c.allButton->isChecked()) << "the two choices are apart";
    c.selectButton->click();
    EXPECT_EQ(model->Selected(), (PictureList{1, 3, 2}));
    EXPECT_EQ(SelectionColumn(), (std::vector<std::string>{"1", "3", "2", ""}));

    c.textEdit->setText(QStringLiteral("Exp.Time > 1/100"));
    c.narrowButton->setChecked(true);
    c.selectButton->click();
    EXPECT_EQ(model->Selected(), (PictureList{2}));

    dialogs.AnswerOk();
    c.textEdit->setText(QStringLiteral("Nothing = 1"));
    c.selectButton->click();
    EXPECT_EQ(Said(), QStringLiteral("項目がわかりません: Nothing"));
    EXPECT_EQ(model->Selected(), (PictureList{2})) << "a condition not read changes nothing";
}

} // namespace kamelune::test
