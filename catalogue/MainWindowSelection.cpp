// Selection on the thumbnails and in the table, the popup commands, and the commands that open
// other windows.
#include "catalogue/ItemCatalogue.h"
#include "catalogue/MainWindow.h"
#include "catalogue/Selection.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StringGridModel.h"
#include "platform/qt/Widgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

namespace kamelune {

bool MainWindow::HasSelection(const QString& message) {
    if (!model_.Selected().empty()) return true;
    dialogs_.ShowCheckMessage(message);
    return false;
}

void MainWindow::Selection(int col, int row) {
    // The rows shown while a large folder is read are replaced when it ends: nothing to select.
    if (col != 1 || row < 1 || model_.Reading()) return;
    model_.ChangeSelection([row](SelectionTables& t) {
        SelectionClick(t, row);
        return true;
    });
}

void MainWindow::SelectAllPictures() {
    if (!model_.ChangeSelection(SelectAll))
        dialogs_.ShowCheckMessage(QStringLiteral("イメージがありません。"));
}

void MainWindow::InvertSelection() {
    if (!model_.ChangeSelection(SelectReverse))
        dialogs_.ShowCheckMessage(QStringLiteral("イメージがありません。"));
}

void MainWindow::SelectNoPicture() {
    model_.ChangeSelection(SelectNone);
}

int MainWindow::PopupPicture() const {
    if (popup_.pictNo) return popup_.pictNo;
    const int row = tablePage->CurrentTableRow();
    if (row == 0) return 0;
    return ItemNumber(model_.View().Cell(0, row));
}

void MainWindow::CopyExif() {
    if (popup_.pictNo) SetClipboardText(popup_.exifText);
}

void MainWindow::ShowPanelMenu(const PictureTarget& target, const QPoint& globalPos) {
    popup_ = target;
    pictureMenu->popup(globalPos);
}

void MainWindow::OpenSlideshowAt(const PictureTarget& target) {
    popup_ = target;
    SlideshowFromHere();
}

void MainWindow::SetCounter(const QString& text) {
    countLabel->setText(text);
}

void MainWindow::OpenSort() {
    if (model_.ExifCount() < 1)
        dialogs_.ShowCheckMessage(QStringLiteral("注意：Exifイメージがありません"));
    emit sortRequested();
}

void MainWindow::OpenAlbum() {
    if (!HasSelection(QStringLiteral("イメージが選択されていません"))) return;
    emit albumRequested();
}

void MainWindow::OpenHtmlTable() {
    if (!HasSelection(QStringLiteral("選択されたイメージがありません"))) return;
    emit htmlTableRequested();
}

void MainWindow::StartSlideshow() {
    if (!HasSelection(QStringLiteral("選択されたイメージがありません"))) return;
    emit slideshowRequested(QStringLiteral("スライドショー（選択画像）"), 0,
                            tablePage->CurrentTableRow(), true);
}

void MainWindow::SlideshowFromHere() {
    if (model_.Reading()) return;
    int picture = PopupPicture();
    if (popup_.pictNo) tablePage->SelectRow(popup_.exifRow);
    if (picture == 0) picture = 1;
    emit slideshowRequested(QStringLiteral("スライドショー(全表示)"), picture,
                            tablePage->CurrentTableRow(), false);
}

void MainWindow::OpenItemChoice() {
    if (model_.FileCount() < 1) {
        dialogs_.ShowCheckMessage(QStringLiteral("イメージがありません"));
        return;
    }
    emit itemsRequested();
}

void MainWindow::OpenDisplaySettings() {
    emit displayRequested();
}

void MainWindow::OpenBatchRename() {
    if (!HasSelection(QStringLiteral("選択されたファイルがありません。"))) return;
    emit renameRequested();
}

void MainWindow::RenamePopupPicture() {
    const int picture = PopupPicture();
    emit renameOneRequested(picture ? picture : 1);
}

void MainWindow::OpenAbout() {
    emit aboutRequested();
}

} // namespace kamelune
