#include "TempDir.h"
#include "platform/Jpeg.h"
#include "platform/qt/Collate.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StringGridModel.h"
#include "platform/qt/Widgets.h"
#include "support/ScriptedDialogService.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <memory>

namespace kamelune::test {

TEST(CheckMessage, GoesThroughTheServiceWithItsCaptionAndCut) {
    ScriptedDialogService dialogs;
    dialogs.AnswerOk();
    dialogs.AnswerOk();
    dialogs.ShowCheckMessage(QStringLiteral("Jpegファイルでありません"));
    dialogs.ShowCheckMessage(QString(199, QLatin1Char('x')) + QStringLiteral("漢字"));
    ASSERT_EQ(dialogs.Calls().size(), 2u);
    EXPECT_EQ(dialogs.Calls()[0].kind, DialogCall::Warning);
    EXPECT_EQ(dialogs.Calls()[0].caption, QStringLiteral("myCheck"));
    EXPECT_EQ(dialogs.Calls()[0].text, QStringLiteral("Jpegファイルでありません"));
    EXPECT_EQ(dialogs.Calls()[1].text, QString(199, QLatin1Char('x')))
        << "a two-byte character across the 200-byte limit is dropped whole";
}

TEST(FileFilters, PipeSeparatedFormToQt) {
    EXPECT_EQ(ConvertFilter(QStringLiteral("JPG(*.jpg,*.jpeg)|*.jpg;*.jpeg")),
              QStringList{QStringLiteral("JPG(*.jpg *.jpeg)")});
    EXPECT_EQ(ConvertFilter(QStringLiteral("HTMLファイル(*.html)|*.html")),
              QStringList{QStringLiteral("HTMLファイル(*.html)")});
    EXPECT_EQ(ConvertFilter(QStringLiteral("Text|*.txt|All|*.*")),
              (QStringList{QStringLiteral("Text (*.txt)"), QStringLiteral("All (*.*)")}));
    EXPECT_TRUE(ConvertFilter(QString()).isEmpty());
}

TEST(Collation, IgnoresCase) {
    EXPECT_EQ(CompareTextLocale(QStringLiteral("abc"), QStringLiteral("ABC")), 0);
    EXPECT_LT(CompareTextLocale(QStringLiteral("apple"), QStringLiteral("Banana")), 0);
    EXPECT_GT(CompareTextLocale(QStringLiteral("b"), QStringLiteral("A")), 0);
    EXPECT_LT(CompareTextLocale(QStringLiteral("canon"), QStringLiteral("Nikon")), 0)
        << "letter case ignored even where no language is set";
}

TEST(Shell, TrashMovesIntoTheUsersTrashAndNeverDeletes) {
    TempDir dir;
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir / "data"));
    std::filesystem::create_directories(dir / "cache/@KameluneDir/sub");
    TempDir::Write(dir / "cache/@KameluneDir/sub/T_a.jpg", "thumb");
    const FileResult moved = MoveToTrash(QString::fromStdString(dir / "cache/@KameluneDir"));
    qunsetenv("XDG_DATA_HOME");
    if (!moved) {
        // No trash on this file system: the folder must still be there.
        EXPECT_TRUE(std::filesystem::exists(dir / "cache/@KameluneDir/sub/T_a.jpg"));
        EXPECT_FALSE(moved.error.empty());
        return;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "cache/@KameluneDir"));
    EXPECT_TRUE(std::filesystem::exists(dir / "data/Trash/files/@KameluneDir/sub/T_a.jpg"));
    EXPECT_FALSE(MoveToTrash(QString::fromStdString(dir / "missing")));
}

TEST(Shell, AnAddressNoBrowserTakesSaysSo) {
    const FileResult r = OpenWebAddress(QString());
    EXPECT_FALSE(r);
    EXPECT_EQ(r.error, "ブラウザで開けません: ");
}

TEST(StringGridModel, ShowsTheGridWithoutCopyingAndFollowsChanges) {
    StringGrid grid(77, 3);
    grid.SetCell(0, 0, "No");
    grid.SetCell(1, 0, "Select");
    grid.SetCell(4, 0, "Maker");
    grid.SetCell(4, 1, "OLYMPUS");
    grid.SetCell(4, 2, std::string("E990\0", 5));
    grid.SetFixedColor(0xBFAE82);
    StringGridModel model(grid);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.columnCount(), 77);
    EXPECT_EQ(model.headerData(4, Qt::Horizontal).toString(), QStringLiteral("Maker"));
    EXPECT_EQ(model.data(model.index(0, 4)).toString(), QStringLiteral("OLYMPUS"));
    EXPECT_EQ(model.data(model.index(1, 4)).toString(), QStringLiteral("E990")) << "NUL not drawn";
    EXPECT_EQ(model.data(model.index(1, 4), Qt::EditRole).toString().size(), 5);
    EXPECT_EQ(model.data(model.index(0, 0), Qt::BackgroundRole).value<QColor>(),
              QColor(0x82, 0xAE, 0xBF));
    EXPECT_FALSE(model.data(model.index(0, 4), Qt::BackgroundRole).isValid());

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    grid.SetCell(4, 1, "NIKON");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(model.data(model.index(0, 4)).toString(), QStringLiteral("NIKON"));

    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    // Many cells at once (a selection column): one notice for all of them, no reset, so the view
    // keeps its place.
    grid.BeginUpdate();
    grid.SetCell(1, 1, "1");
    grid.SetCell(1, 2, "2");
    grid.EndUpdate();
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.back().at(1).value<QModelIndex>(), model.index(1, 76));
    EXPECT_EQ(reset.count(), 0);
    grid.SetRowCount(2001);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 2000);

    // A copy carries the listener; its end changes nothing. The grid's own end empties the model
    // (a window's member grid dies before the views that show it).
    { const StringGrid copy = grid; }
    EXPECT_EQ(model.rowCount(), 2000);
    auto gone = std::make_unique<StringGrid>(3, 3);
    StringGridModel orphan(*gone);
    gone.reset();
    EXPECT_EQ(orphan.rowCount(), 0);
    EXPECT_FALSE(orphan.headerData(0, Qt::Horizontal).isValid());

    // A grid given read-only is never edited, whatever columns are asked for.
    const StringGrid& shown = grid;
    StringGridModel readOnly(shown);
    readOnly.SetEditableColumns({4});
    EXPECT_FALSE(readOnly.flags(readOnly.index(0, 4)) & Qt::ItemIsEditable);
    EXPECT_FALSE(readOnly.setData(readOnly.index(0, 4), QStringLiteral("x")));
    EXPECT_EQ(grid.Cell(4, 1), "NIKON");
}

TEST(StringGridModel, ViewTakesTheGridsLook) {
    StringGrid grid(5, 2001);
    grid.SetDefaultColWidth(50);
    grid.SetColWidth(0, 40);
    grid.SetDefaultRowHeight(16);
    StringGridModel model(grid);
    QTableView view;
    view.setModel(&model);
    ApplyGridLook(&view, grid);
    EXPECT_EQ(view.columnWidth(0), 40);
    EXPECT_EQ(view.columnWidth(3), 50);
    EXPECT_EQ(view.rowHeight(1999), 16);
    EXPECT_EQ(view.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(view.horizontalHeader()->isHidden());

    // Number columns widen to their longest number ("%5d" blanks aside), never narrow; the
    // others keep their width.
    grid.SetFixedRows(1);
    grid.SetCell(0, 1, "    1");
    grid.SetCell(0, 1999, " 9999");
    grid.SetCell(0, 2000, "50000");
    grid.SetCell(1, 7, "2000");
    grid.SetCell(3, 9, "123456789012");
    ApplyGridLook(&view, grid, 2);
    const QFontMetrics metrics = view.fontMetrics();
    EXPECT_GE(view.columnWidth(0), std::max(metrics.horizontalAdvance(QStringLiteral(" 9999")),
                                            metrics.horizontalAdvance(QStringLiteral("50000"))) +
                                       4)
        << "the text as shown, blanks and margins";
    EXPECT_EQ(view.columnWidth(1), 50) << "four digits fit the width it has";
    EXPECT_EQ(view.columnWidth(3), 50);
    grid.SetCell(0, 1999, "");
    grid.SetCell(0, 2000, "    2");
    ApplyGridLook(&view, grid, 2);
    EXPECT_EQ(view.columnWidth(0), 40);
}

// A decoded picture reaches the screen without a copy, and is painted where it is exposed.
TEST(ImageView, TakesThePictureAsItIsAndPaintsWhatIsExposed) {
    RgbImage picture(5, 3); // rows of an odd length: no padding to four bytes
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = static_cast<std::uint8_t>(i * 5);
    const RgbImage copy = picture;
    const std::uint8_t* pixels = picture.pixels.data();
    QImage image = ToQImage(std::move(picture));
    EXPECT_EQ(image.constBits(), pixels) << "the pixels taken, not copied";
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(ToQImage(copy), image);
    EXPECT_EQ(image.pixelColor(4, 2), QColor(210, 215, 220)) << "pixel 14 of 15";

    ImageView view;
    view.resize(5, 3);
    view.SetImage(image);
    QImage shown(5, 3, QImage::Format_RGB888);
    shown.fill(Qt::black);
    view.render(&shown, QPoint(2, 1), QRegion(2, 1, 3, 2));
    EXPECT_EQ(shown.pixelColor(2, 1), QColor(105, 110, 115)) << "pixel 7";
    EXPECT_EQ(shown.pixelColor(4, 2), QColor(210, 215, 220));
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::black)) << "outside the part: not painted";
}

TEST(Translations, StandardButtonsReadInJapanese) {
    ASSERT_TRUE(LoadQtJapanese()) << "qt6-translations-l10n is installed by the set-up";
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(box.button(QDialogButtonBox::Yes)->text(), QStringLiteral("はい(&Y)"));
}

} // namespace kamelune::test
