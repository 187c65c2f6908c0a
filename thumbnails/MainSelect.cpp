// Selection on the thumbnails and in the table, the popup commands, and the commands that open
// other windows.
#include "catalogue/Forms.h"
#include "catalogue/SetKomoku.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StringGridModel.h"
#include "thumbnails/Selection.h"

#include <QCheckBox>
#include <QMenu>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

namespace kamelune {

void TFormMain::RefreshPanelsFromTable() {
    const DisplayAttributes a = FormPHyoji->Attributes();
    for (const auto& rec : gPictList) {
        const std::string& cell = gridExif.Cell(1, rec->ExifRow);
        rec->Selected = !cell.empty();
        rec->SelNoLabel.text = QString::fromStdString(cell);
        rec->SelNoLabel.rect.width = ThumbPanel::TextWidth(rec->SelNoLabel.text, 10, true);
        rec->SelNoLabel.visible = rec->Selected;
        rec->Panel->SetColor(Bgr(rec->Selected ? a.selColor : a.panelColor));
    }
}

void TFormMain::ImageClick(PictRec& rec) {
    SelectionTables t{gridBase, gridExif, gSelectList};
    TogglePicture(t, rec.PictNo, rec.ExifRow);
    RefreshPanelsFromTable();
}

void TFormMain::Selection(int col, int row) {
    if (col != 1 || row < 1) return;
    SelectionTables t{gridBase, gridExif, gSelectList};
    SelectionClick(t, row);
}

void TFormMain::StrGridExifMouseDown(Qt::MouseButton button, const QPoint& pos) {
    const QModelIndex index = StrGridExif->indexAt(pos);
    if (!index.isValid()) return;
    const int row = index.row() + 1; // the title row is the header
    if (row < 1 || row > gridExif.RowCount() - 1) return;
    if (button == Qt::LeftButton) {
        if (index.column() == 1) {
            Selection(1, row);
        } else {
            DisplaySmallImage(row);
            if (FormSlideshow->isVisible())
                FormSlideshow->SimpleShow(ItemNumber(gridExif.Cell(0, row)));
        }
    } else if (button == Qt::RightButton) {
        StrGridExif->selectRow(index.row());
        StrGridExif->setCurrentIndex(index);
        popupPict = nullptr;
        PopupMenu1->popup(StrGridExif->viewport()->mapToGlobal(pos));
    }
}

// The page half of select all and reverse: a page with no panels is built, then every panel
// shows its cell.
void TFormMain::ShowSelectionOnPage() {
    if (gPictList.empty()) {
        gListReady = true;
        MakePagePicts(CurrentPageBox());
    }
    if (PageControl1->currentWidget() == TabSheetGazo) RefreshPanelsFromTable();
}

void TFormMain::SelectAllClick() {
    SelectionTables t{gridBase, gridExif, gSelectList};
    if (!SelectAll(t)) {
        ShowCheckMessage(QStringLiteral("イメージがありません。"));
        return;
    }
    ShowSelectionOnPage();
}

void TFormMain::SelectReverseClick() {
    SelectionTables t{gridBase, gridExif, gSelectList};
    if (!SelectReverse(t)) {
        ShowCheckMessage(QStringLiteral("イメージがありません。"));
        return;
    }
    ShowSelectionOnPage();
}

void TFormMain::SelectNoneClick() {
    SelectionTables t{gridBase, gridExif, gSelectList};
    if (SelectNone(t) && PageControl1->currentWidget() == TabSheetGazo) RefreshPanelsFromTable();
}

int TFormMain::PopupPicture() const {
    if (popupPict) return popupPict->PictNo;
    const QModelIndex current = StrGridExif->currentIndex();
    if (!current.isValid()) return 0;
    return ItemNumber(gridExif.Cell(0, current.row() + 1));
}

void TFormMain::ExifC1Click() {
    if (!popupPict) return;
    QString text = popupPict->FileNameLabel.text + QStringLiteral("\r\n");
    for (const LabelRec& line : popupPict->CaptionLabels)
        text += line.text + QStringLiteral("\r\n");
    text += popupPict->SizeLabel.text + QStringLiteral("\r\n");
    SetClipboardText(text);
}

void TFormMain::BtnSortClick() {
    if (gExifCount < 1) ShowCheckMessage(QStringLiteral("注意：Exifイメージがありません"));
    FormSort->exec();
}

void TFormMain::BtnHtmlClick() {
    if (gSelectList.empty()) {
        ShowCheckMessage(QStringLiteral("イメージが選択されていません"));
        return;
    }
    FormSetHTML->show();
}

void TFormMain::BtnHTML2Click() {
    if (gSelectList.empty()) {
        ShowCheckMessage(QStringLiteral("選択されたイメージがありません"));
        return;
    }
    FormSetHTML2->show();
}

void TFormMain::BtnSlideShowClick() {
    if (gSelectList.empty()) {
        ShowCheckMessage(QStringLiteral("選択されたイメージがありません"));
        return;
    }
    if (FormSlideshow->isVisible()) FormSlideshow->close();
    FormSlideshow->setWindowTitle(QStringLiteral("スライドショー（選択画像）"));
    FormSlideshow->Tag = 0;
    FormSlideshow->show();
}

void TFormMain::PMenuGenzuClick() {
    int picture = PopupPicture();
    if (popupPict) StrGridExif->selectRow(popupPict->ExifRow - 1);
    if (picture == 0) picture = 1;
    FormSlideshow->setWindowTitle(QStringLiteral("スライドショー(全表示)"));
    FormSlideshow->Tag = picture;
    FormSlideshow->show();
}

void TFormMain::BtnSetPKomokuClick() {
    if (gFileCount < 1) {
        ShowCheckMessage(QStringLiteral("イメージがありません"));
        return;
    }
    FormSetPKomoku->exec();
}

void TFormMain::MnPHyojiClick() {
    FormPHyoji->exec();
}

void TFormMain::SpeedBtnRenameClick() {
    if (gSelectList.empty()) {
        ShowCheckMessage(QStringLiteral("選択されたファイルがありません。"));
        return;
    }
    FormRename->exec();
}

void TFormMain::MnChangeNameClick() {
    const int picture = PopupPicture();
    FormRename2->Tag = picture ? picture : 1;
    FormRename2->exec();
}

void TFormMain::About1Click() {
    FormVersion->exec();
}

void TFormMain::SpeedBtnJumpClick() {
    const int row = SpinEditJump->value();
    const QModelIndex current = StrGridExif->currentIndex();
    if (current.isValid() && current.row() + 1 == row) return;
    StrGridExif->selectRow(row - 1);
}

void TFormMain::SpinEditJumpChange() {
    if (SpinEditJump->value() > gridExif.RowCount())
        SpinEditJump->setValue(gridExif.RowCount() - 1);
}

} // namespace kamelune
