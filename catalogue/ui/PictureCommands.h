// What the user does to the selected pictures or to the picture under the popup menu: select,
// copy its EXIF, open the windows that work on them, write their TAB texts. The windows opened
// are app/'s to connect; this only checks there is something to work on and asks by signals.
#pragma once

#include "catalogue/ui/FolderModel.h"

#include <QObject>
#include <QString>

class QMenu;
class QPoint;

namespace kamelune {

class DialogService;
class TablePage;

// False, with the message shown, when no picture is selected.
bool HasSelection(const FolderModel& model, DialogService& dialogs, const QString& message);

class PictureCommands : public QObject {
    Q_OBJECT
public:
    PictureCommands(FolderModel& model, DialogService& dialogs, TablePage& table, QMenu& menu,
                    QObject* parent);

    // Selection.
    void SelectionCellClicked(int col, int row); // a click on a 選択 cell
    void SelectAllPictures();
    void InvertSelection();
    void SelectNoPicture();

    // The picture a popup command acts on: the thumbnail's, else the table's current row; 0 when
    // there is none.
    int PopupPicture() const;
    // A thumbnail's popup menu, and Enter on a thumbnail; SetPopupTarget({}): the table's row.
    void ShowPanelMenu(const PictureTarget& target, const QPoint& globalPos);
    void OpenSlideshowAt(const PictureTarget& target);
    void SetPopupTarget(const PictureTarget& target) { popup_ = target; }
    void CopyExif();

    // Commands that open other windows.
    void OpenSort();
    void OpenAlbum();
    void OpenHtmlTable();
    void StartSlideshow();
    void SlideshowFromHere();
    void OpenItemChoice();
    void OpenDisplaySettings() { emit displayRequested(); }
    void OpenBatchRename();
    void RenamePopupPicture();
    void OpenAbout() { emit aboutRequested(); }

    // The selected pictures' TAB text, a row or a column per picture.
    void WriteTabWide();
    void WriteTabTall();

signals:
    void sortRequested();
    void albumRequested();
    void htmlTableRequested();
    // title, picture to start from (0: the selected pictures), the table's current row,
    // restart: close a show already open.
    void slideshowRequested(const QString& title, int tag, int currentRow, bool restart);
    void itemsRequested();
    void displayRequested();
    void renameRequested();
    void renameOneRequested(int picture);
    void aboutRequested();
    void distributionRequested();
    void conditionsRequested();

private:
    void WriteTabFile(bool wide);
    FolderModel& model_;
    DialogService& dialogs_;
    TablePage& table_;
    QMenu& menu_;
    PictureTarget popup_; // the thumbnail the popup menu was opened on; empty: the table's row
};

} // namespace kamelune
