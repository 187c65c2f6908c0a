// The main window: folder picker, tables, tabs, menus and the settings file. Handlers read their
// controls, call the plain code of the catalogue and show the result.
#pragma once

#include "catalogue/FolderScan.h"
#include "catalogue/ui/DirectoryListBox.h"
#include "catalogue/ui/FolderModel.h"
#include "catalogue/ui/PictureCommands.h"
#include "catalogue/ui/PictureFiles.h"
#include "catalogue/ui/SmallPicturePreview.h"
#include "catalogue/ui/TablePage.h"
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
    SmallPicturePreview* smallPicturePanel = nullptr;
    QLabel* smallPicture = nullptr;
    QMenu* pictureMenu = nullptr;
    QAction *cacheBesidePicturesAction = nullptr, *cacheElsewhereAction = nullptr,
            *smallPictureAction = nullptr, *limitMakerNoteAction = nullptr,
            *limitUserCommentAction = nullptr, *exitAction = nullptr,
            *exifAfterJfifAction = nullptr, *deleteToTrashAction = nullptr,
            *uprightAction = nullptr, *modernItemsAction = nullptr, *openMapAction = nullptr,
            *allPicturesAction = nullptr, *rawHeicAction = nullptr;
};

class MainWindow : public QMainWindow, private MainControls {
    Q_OBJECT
public:
    MainWindow(FolderModel& model, DialogService& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up and shutdown.
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
    void RemakeAll();   // another folder: read from scratch
    void UpdateTable(); // the same folder read again
    // Starts reading the folder; the tables, counters and page follow when it is done.
    void ReadFolder();
    // The EXIF table made again from the base table ("ALL" or "TABLE" items).
    void FillExifTable(const std::string& mode, bool exifOnly);
    void ShowReadTable();
    void SetCurrentDir(const std::string& folder); // as the user picking it in the tree
    void TabChanged();
    void SmallPictureToggled(); // the table tab's 小画像表示 check box or menu entry
    // The table's small picture of a row.
    void DisplaySmallImage(int row);

    // The rooms of the window's commands: on pictures and the selection, on the folder's files,
    // on the thumbnail cache.
    PictureCommands& Commands() { return *commands_; }
    PictureFiles& Files() { return *files_; }
    CacheCommands& Cache() { return *cache_; }

    void SetCounter(const QString& text); // the "EXIF/pictures" counter of the tool bar
    void SetStatus(const QString& text);  // the status bar's text
    const MainControls& Controls() const { return *this; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildFrame(); // widgets, menus, tool bars
    void ConnectControls();
    void ConnectModel();
    void PointTreeAt(const std::string& folder);
    void ApplyViewLook();
    void ShowCurrentTab();
    void ExifOnlyToggled();
    void PlaceSmallPanel();
    // While a read runs, the commands that need the folder's tables are off.
    void ReadStarted();
    void ReadFinished();
    void SetReadingLook(bool reading);

    FolderModel& model_;
    DialogService& dialogs_;
    PictureCommands* commands_ = nullptr;
    PictureFiles* files_ = nullptr;
    CacheCommands* cache_ = nullptr;
    QList<QAction*> tableActions_;
    QList<QWidget*> tableWidgets_;
    bool pageAfterRead_ = false; // the read was a folder change or refresh: page 1 follows
    QString notice_;
    std::string startFolder_, startPicture_;
    StringGridModel* baseModel_ = nullptr;
};

} // namespace kamelune
