// The main window: folder picker, tables, tabs, menus and the settings file. Handlers read their
// controls, call the plain code of the catalogue and show the result.
#pragma once

#include "catalogue/BaseTable.h"
#include "catalogue/DirectoryListBox.h"
#include "catalogue/FolderModel.h"
#include "catalogue/HideDelete.h"
#include "catalogue/TablePage.h"
#include "exif/ExifReader.h"
#include "platform/Jpeg.h"
#include "platform/StringGrid.h"
#include "platform/qt/GridView.h"
#include "platform/qt/Shell.h"

#include <QList>
#include <QMainWindow>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QScrollArea;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTableView;
class QToolBar;
class QToolButton;
class QMenu;

namespace kamelune {

class DialogService;
class StringGridModel;

// The main window's components, named as the handlers know them. The window keeps them to
// itself; Controls() lends them to tests and benchmarks.
struct MainControls {
    QWidget* folderPane = nullptr;
    QComboBox* placeCombo = nullptr;
    DirectoryListBox* folderTree = nullptr;
    QComboBox* filterCombo = nullptr;
    QSplitter* folderSplitter = nullptr;
    QToolBar* commonToolBar = nullptr;
    QLabel* countLabel = nullptr;
    QCheckBox* exifOnlyCheck = nullptr;
    QToolButton *sortButton = nullptr, *selectAllButton = nullptr, *reverseButton = nullptr,
                *selectNoneButton = nullptr, *slideshowButton = nullptr, *albumButton = nullptr,
                *hideButton = nullptr, *showAgainButton = nullptr, *renameButton = nullptr,
                *deleteCacheButton = nullptr;
    QTabWidget* pageTabs = nullptr;
    QWidget *thumbnailTab = nullptr, *baseTab = nullptr;
    TablePage* tablePage = nullptr;
    GridView* baseGrid = nullptr;
    QFrame* smallPicturePanel = nullptr;
    QLabel* smallPicture = nullptr;
    QMenu* pictureMenu = nullptr;
    QAction *cacheBesidePicturesAction = nullptr, *cacheElsewhereAction = nullptr,
            *smallPictureAction = nullptr, *limitMakerNoteAction = nullptr,
            *limitUserCommentAction = nullptr, *exitAction = nullptr,
            *exifAfterJfifAction = nullptr, *deleteToTrashAction = nullptr,
            *uprightAction = nullptr, *modernItemsAction = nullptr, *openMapAction = nullptr,
            *allPicturesAction = nullptr;
};

class MainWindow : public QMainWindow, private MainControls {
    Q_OBJECT
public:
    MainWindow(FolderModel& model, DialogService& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up and shutdown.
    void Initialise();
    void SetDefaults();
    void LoadSettings();
    // After the settings and the items: the remembered folder (or the command line's) read and
    // shown. builtInItems: the program's own choice of items, best seen in three columns.
    void ShowStartFolder(bool builtInItems);
    // The command line's folder and picture, applied by LoadSettings and ShowStartFolder.
    void SetStartPlace(std::string folder, std::string picture);
    // The thumbnail tab, placed first (the window owns it).
    void SetThumbnailPage(QWidget* page);
    void SaveSettings();

    // Folder and tables.
    void FolderChosen();
    void RemakeAll();
    void UpdateTable();
    // Starts reading the folder; the tables, counters and page follow when it is done.
    void ReadFolder();
    void FillExifTable(const std::string& mode, bool exifOnly);
    void ShowChosenItems(bool exifOnly);
    void ShowReadTable();
    // The folder shown; the folder tree's current folder.
    std::string CurrentDir() const { return model_.CurrentDir(); }
    void SetCurrentDir(const std::string& folder); // as the user picking it in the tree

    // Handlers.
    void ExifOnlyToggled();
    void SmallPictureToggled();
    void MakerNoteLimitToggled();
    void UserCommentLimitToggled();
    void ExifAfterJfifToggled();
    void TabChanged();
    void PageChange();
    void PlaceChosen();
    void FilterChosen();
    void DropPictures(const QStringList& paths);
    bool Copying() const { return copying_ > 0; } // a dropped picture is being copied
    void Quit();
    void CacheBesidePictures();
    void CacheElsewhere();
    void DeleteCacheFolders();
    void SetLocationChoice(bool other); // the radio mark of the cache place

    // Hide, show again, delete.
    void HidePicture(int pictNo);
    void DeletePicture(int pictNo);
    // How a picture goes to the trash (tests: a trash that refuses).
    RemovePicture moveToTrash = [](const std::string& path) {
        return MoveToTrash(QString::fromStdString(path));
    };
    void HidePopupPicture();
    void DeletePopupPicture();
    void HideSelected();
    void ShowHiddenAgain();

    // The table's small picture.
    void DisplaySmallImage(int row);

    // Selection.
    void Selection(int col, int row);
    void SelectAllPictures();
    void InvertSelection();
    void SelectNoPicture();
    void CopyExif();

    // Commands that open other windows.
    void OpenSort();
    void OpenAlbum();
    void OpenHtmlTable();
    void StartSlideshow();
    void SlideshowFromHere();
    void OpenItemChoice();
    void OpenDisplaySettings();
    void OpenBatchRename();
    void RenamePopupPicture();
    void OpenAbout();
    void WriteTabWide();
    void WriteTabTall();
    void WriteTabFile(int layout); // 6 horizontal, anything else vertical
    // The picture a popup command acts on: the thumbnail's, else the table's current row; 0 when
    // there is none.
    int PopupPicture() const;
    // A thumbnail's popup menu, and Enter on a thumbnail; SetPopupTarget({}): the table's row.
    void ShowPanelMenu(const PictureTarget& target, const QPoint& globalPos);
    void OpenSlideshowAt(const PictureTarget& target);
    void SetPopupTarget(const PictureTarget& target) { popup_ = target; }
    void SetCounter(const QString& text); // the "EXIF/pictures" counter of the tool bar
    const MainControls& Controls() const { return *this; }

    // Status bar text.
    void SetStatus(const QString& text);

signals:
    // Commands that open other windows; app/ connects them.
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

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildFrame(); // widgets, menus, tool bars
    void BuildMenus();
    void PointTreeAt(const std::string& folder);
    void ApplyViewLook();
    void PlaceSmallPanel();
    void ShowSmallImage(const JpegDecodeResult& decoded);
    int smallImageAsked_ = 0; // the newest small picture asked for
    std::shared_ptr<std::atomic<bool>> smallCancel_ = std::make_shared<std::atomic<bool>>(false);
    int copying_ = 0;
    // False, with the message shown, when no picture is selected.
    bool HasSelection(const QString& message);
    // While a read runs, the commands that need the folder's tables are off.
    void ReadStarted();
    void ReadFinished();
    void SetReadingLook(bool reading);
    QList<QAction*> tableActions_;
    QList<QWidget*> tableWidgets_;
    bool pageAfterRead_ = false; // the read was a folder change or refresh: page 1 follows
    QString notice_;

    bool eventFilter(QObject* watched, QEvent* event) override;

    FolderModel& model_;
    DialogService& dialogs_;
    std::string smallPictureFile_; // the picture of the small preview
    PictureTarget popup_; // the thumbnail the popup menu was opened on; empty: the table's row
    void ConnectModel();
    std::string startFolder_, startPicture_;
    int smallImageTag_ = 0;
    bool locationIsOther_ = false;
    QPoint dragStart_;
    bool dragging_ = false;
    StringGridModel* baseModel_ = nullptr;
    QActionGroup* locationGroup_ = nullptr;
};

} // namespace kamelune
