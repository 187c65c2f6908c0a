#include "catalogue/ui/PictureCommands.h"
#include "catalogue/ItemCatalogue.h"
#include "catalogue/Selection.h"
#include "catalogue/TabExport.h"
#include "catalogue/ui/TablePage.h"
#include "platform/TextFile.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Shell.h"

#include <QMenu>

namespace kamelune {

bool HasSelection(const FolderModel& model, DialogService& dialogs, const QString& message) {
    if (!model.Selected().empty()) return true;
    dialogs.ShowCheckMessage(message);
    return false;
}

PictureCommands::PictureCommands(FolderModel& model, DialogService& dialogs, TablePage& table,
                                 QMenu& menu, QObject* parent)
    : QObject(parent), model_(model), dialogs_(dialogs), table_(table), menu_(menu) {}

void PictureCommands::SelectionCellClicked(int col, int row) {
    // The rows shown while a large folder is read are replaced when it ends: nothing to select.
    if (col != 1 || row < 1 || model_.Reader().Reading()) return;
    model_.ChangeSelection([row](SelectionTables& t) {
        ToggleSelectionOfRow(t, row);
        return true;
    });
}

void PictureCommands::SelectAllPictures() {
    if (!model_.ChangeSelection(SelectAll))
        dialogs_.ShowCheckMessage(QStringLiteral("イメージがありません。"));
}

void PictureCommands::InvertSelection() {
    if (!model_.ChangeSelection(SelectReverse))
        dialogs_.ShowCheckMessage(QStringLiteral("イメージがありません。"));
}

void PictureCommands::SelectNoPicture() {
    model_.ChangeSelection(SelectNone);
}

int PictureCommands::PopupPicture() const {
    if (popup_.pictNo) return popup_.pictNo;
    const int row = table_.CurrentTableRow();
    if (row == 0) return 0;
    return ItemNumber(model_.View().Cell(0, row));
}

void PictureCommands::CopyExif() {
    if (popup_.pictNo) SetClipboardText(popup_.exifText);
}

void PictureCommands::ShowPanelMenu(const PictureTarget& target, const QPoint& globalPos) {
    popup_ = target;
    menu_.popup(globalPos);
}

void PictureCommands::OpenSlideshowAt(const PictureTarget& target) {
    popup_ = target;
    SlideshowFromHere();
}

void PictureCommands::OpenSort() {
    if (model_.ExifCount() < 1)
        dialogs_.ShowCheckMessage(QStringLiteral("注意：Exifイメージがありません"));
    emit sortRequested();
}

void PictureCommands::OpenAlbum() {
    if (!HasSelection(model_, dialogs_, QStringLiteral("イメージが選択されていません"))) return;
    emit albumRequested();
}

void PictureCommands::OpenHtmlTable() {
    if (!HasSelection(model_, dialogs_, QStringLiteral("選択されたイメージがありません"))) return;
    emit htmlTableRequested();
}

void PictureCommands::StartSlideshow() {
    if (!HasSelection(model_, dialogs_, QStringLiteral("選択されたイメージがありません"))) return;
    emit slideshowRequested(QStringLiteral("スライドショー（選択画像）"), 0,
                            table_.CurrentTableRow(), true);
}

void PictureCommands::SlideshowFromHere() {
    if (model_.Reader().Reading()) return;
    int picture = PopupPicture();
    if (popup_.pictNo) table_.SelectRow(popup_.exifRow);
    if (picture == 0) picture = 1;
    emit slideshowRequested(QStringLiteral("スライドショー(全表示)"), picture,
                            table_.CurrentTableRow(), false);
}

void PictureCommands::OpenItemChoice() {
    if (model_.FileCount() < 1) {
        dialogs_.ShowCheckMessage(QStringLiteral("イメージがありません"));
        return;
    }
    emit itemsRequested();
}

void PictureCommands::OpenBatchRename() {
    if (!HasSelection(model_, dialogs_, QStringLiteral("選択されたファイルがありません。"))) return;
    emit renameRequested();
}

void PictureCommands::RenamePopupPicture() {
    const int picture = PopupPicture();
    emit renameOneRequested(picture ? picture : 1);
}

void PictureCommands::WriteTabWide() {
    if (model_.FileCount() >= 1)
        WriteTabFile(true);
    else
        dialogs_.ShowCheckMessage(QStringLiteral("イメージがありません"));
}

void PictureCommands::WriteTabTall() {
    if (model_.FileCount() >= 1)
        WriteTabFile(false);
    else
        dialogs_.ShowCheckMessage(QStringLiteral("イメージがありません"));
}

void PictureCommands::WriteTabFile(bool wide) {
    if (!HasSelection(model_, dialogs_, QStringLiteral("解析するイメージが選択されていません")))
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("TAB区切り文の保存");
    request.initialDir = QString::fromStdString(model_.Places().CurrentDir());
    request.defaultExt = QStringLiteral("txt");
    request.fileName = QStringLiteral("MyExif");
    request.filter = QStringLiteral("TAB区切りテキスト書き出し(*.txt)|*.txt");
    const auto path = dialogs_.SaveFile(request);
    if (!path) return;
    std::vector<std::string> headings;
    for (std::size_t m = 0; m < model_.ChosenItems().size(); ++m)
        headings.emplace_back(model_.View().Cell(static_cast<int>(m) + 3, 0));
    const auto lines = MakeTabLines(wide ? TabLayout::Horizontal : TabLayout::Vertical,
                                    model_.Places().CurrentDir(), model_.Selected(),
                                    model_.ChosenItems(), headings, model_.Base());
    if (FileResult r = WriteTextLines(path->toStdString(), lines); !r)
        dialogs_.ShowCheckMessage(QString::fromStdString(r.error));
}

} // namespace kamelune
