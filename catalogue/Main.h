// The main window: folder picker, tables, tabs, menus and the settings file. Handlers read their
// controls, call the plain code of the catalogue and show the result.
#pragma once

#include "catalogue/BaseTable.h"
#include "catalogue/DirectoryListBox.h"
#include "catalogue/FolderModel.h"
#include "catalogue/MyUtils.h"
#include "exif/Exif.h"
#include "platform/StringGrid.h"
#include "platform/qt/GridView.h"
#include "thumbnails/Pkm.h"
#include "thumbnails/ThumbPanel.h"

#include <QMainWindow>
#include <QString>
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

class StringGridModel;

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormMain(FolderModel& model, QWidget* parent = nullptr);
    ~TFormMain() override;

    // Start-up and shutdown.
    void FormCreate();
    void InitPara();
    void LoadSettings();
    // After the settings and the items: the remembered folder (or the command line's) read and
    // shown. builtInItems: the program's own choice of items, best seen in three columns.
    void ShowStartFolder(bool builtInItems);
    // The command line's folder and picture, applied by LoadSettings and ShowStartFolder.
    void SetStartPlace(std::string folder, std::string picture);
    // Where the thumbnail page takes its colours and emphasis from (the display dialog).
    void SetDisplayAttributes(std::function<DisplayAttributes()> source) {
        displayAttributes_ = std::move(source);
    }
    // The table's current row, 1-based (0: none).
    int CurrentTableRow() const;
    // Makes the table row of a picture of the folder current (nothing when it is not listed).
    void MakePictureCurrent(const std::string& name);
    void SaveSettings();
    void FormDestroy();

    // Folder and tables.
    void DirectoryListBox1Change();
    void RemakeAll();
    void UpdateTable();
    void MakeStrGridBase();
    void CopyStrGridExifFromBase(const std::string& mode, bool exifOnly);
    void TransByKomokuList(bool exifOnly);
    void SetSpinEditJump();
    // The folder shown; the folder tree's current folder.
    std::string CurrentDir() const { return model_.currentDir; }
    void SetCurrentDir(const std::string& folder); // as the user picking it in the tree

    // Handlers.
    void ChkBoxExifOnlyClick();
    void ChkBox3fixClick();
    void ChkBoxImageClick();
    void StrGridExifDblClick();
    void LimitMakerNoteClick();
    void LimitUserCmntClick();
    void MnExifAfterJfifClick();
    void PageControl1Change();
    void PageChange();
    void CmbBoxPageChange();
    void SetCBoxpage(int current, int count);
    void DriveComboBox1Change();
    void FilterComboBox1Change();
    void WMDropFiles(const QStringList& paths);
    void OwariClick();
    void MnThumbLocationClick();
    void MnOtherLocationClick();
    void MnKameluneDirDelClick();
    void SetLocationChoice(bool other); // the radio mark of the cache place

    // Hide, show again, delete.
    void HideFig(int pictNo);
    void DeleteFig(int pictNo);
    void Hide1Click();
    void PopMnDeleteClick();
    void SpeedBtnHideClick();
    void SpeedBtnReshowClick();

    // Thumbnail pages.
    void MakePagePicts(int page);
    bool SubMakePictList(int position, int columns, const std::string& fileName,
                         struct PreparedThumb* prepared);
    void CleargPictList();
    // The pictures by keyboard: the framed picture of the page (-1: none), and what a key does.
    void SetCurrentPanel(int position);
    bool ThumbnailKey(int key);
    void SeiretuPict();
    void DisplaySmallImage(int row);
    void ImageDblClick(PictRec& rec);
    void CmbBoxFigNoPerPageChange();
    void SpeedBtnPane3Click();
    void ChkBoxDispSizeClick();
    Pane CurrentPane() const;
    int CurrentPageBox() const; // the page number CmbBoxPage shows
    void ScrlBoxPictListResize() { SeiretuPict(); }

    // Selection.
    void ImageClick(PictRec& rec);
    void Selection(int col, int row);
    void StrGridExifMouseDown(Qt::MouseButton button, const QPoint& pos);
    void SelectAllClick();
    void SelectReverseClick();
    void SelectNoneClick();
    void RefreshPanelsFromTable(); // the page halves: every panel from its selection cell
    void ShowSelectionOnPage();
    void ExifC1Click();

    // Commands that open other windows.
    void BtnSortClick();
    void BtnHtmlClick();
    void BtnHTML2Click();
    void BtnSlideShowClick();
    void PMenuGenzuClick();
    void BtnSetPKomokuClick();
    void MnPHyojiClick();
    void SpeedBtnRenameClick();
    void MnChangeNameClick();
    void About1Click();
    void BtnTabYokoClick();
    void BtnTabTateClick();
    void OutTabFile(int layout); // 6 horizontal, anything else vertical
    void SpeedBtnJumpClick();
    void SpinEditJumpChange();
    // The picture a popup command acts on: the thumbnail's, else the table's current row; 0 when
    // there is none.
    int PopupPicture() const;

    // State of the thumbnail page.
    int gPictsPerPage = 16;
    int gCurPage = 1;
    int gPageFirst = 0, gPageLast = 0, gPageCount = 0;
    bool gPageBuilt = false;
    std::string gSmallImageFile;

    // Components.
    QWidget* Panel1 = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    DirectoryListBox* DirectoryListBox1 = nullptr;
    QComboBox* FilterComboBox1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QToolBar* ToolBarCommon = nullptr;
    QLabel* LabelFigNo = nullptr;
    QCheckBox* ChkBoxExifOnly = nullptr;
    QToolButton *SpeedBtnSort = nullptr, *SpeedBtnAll = nullptr, *SpeedBtnReverse = nullptr,
                *SpeedBtnNone = nullptr, *SpeedBtnSlide = nullptr, *SpeedBtnHTML1 = nullptr,
                *SpeedBtnHide = nullptr, *SpeedBtnReshow = nullptr, *SpeedBtnRename = nullptr,
                *SpeedBtnDirKill = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget *TabSheetGazo = nullptr, *TabSheetTable = nullptr, *TabSheetBase = nullptr;
    QToolBar* ToolBarPic = nullptr;
    QToolButton *SpeedBtnSetHyoji = nullptr, *SpeedBtnPKomoku = nullptr;
    QComboBox* CmbBoxPage = nullptr;
    QLabel* LabelPageNo = nullptr;
    QComboBox* CmbBoxFigNoPerPage = nullptr;
    QLabel* LabelFigNoPerPage = nullptr;
    QToolButton *SpeedBtnPane1 = nullptr, *SpeedBtnPane2 = nullptr, *SpeedBtnPane3 = nullptr;
    QCheckBox* ChkBoxDispSize = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QScrollArea* ScrlBoxPictList = nullptr;
    QWidget* PictPage = nullptr; // the scroll box's content, parent of the panels
    std::vector<std::unique_ptr<PictRec>> gPictList;
    // Worker threads that make a page's missing thumbnails (0: one per core; 1 for comparison);
    // panelBuilt, when set, hears of every panel as it goes on screen.
    int thumbnailThreads = 0;
    std::function<void(int position)> panelBuilt;
    QToolBar* ToolBarHyo = nullptr;
    QCheckBox *ChkBoxImage = nullptr, *ChkBox3fix = nullptr;
    QToolButton *SpeedBtnSetTKomoku = nullptr, *SpeedBtnJump = nullptr, *SpeedBtnHTML2 = nullptr,
                *SpeedBtnTab1 = nullptr, *SpeedButton1 = nullptr;
    QSpinBox* SpinEditJump = nullptr;
    GridView* StrGridExif = nullptr;
    GridView* StrGridBase = nullptr;
    QFrame* PanelImageS = nullptr;
    QLabel* ImageSmall = nullptr;
    QMenu* PopupMenu1 = nullptr;
    PictRec* popupPict = nullptr; // the thumbnail the popup menu was opened on, else null
    QAction *MnThumbLocation = nullptr, *MnOtherLocation = nullptr, *MnImage = nullptr,
            *LimitMakerNote = nullptr, *LimitUserCmnt = nullptr, *MnExit = nullptr,
            *MnExifAfterJfif = nullptr, *MnDeleteToTrash = nullptr, *MnUpright = nullptr;

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
    ViewSource Source() const;
    void PlaceSmallPanel();

    bool eventFilter(QObject* watched, QEvent* event) override;

    FolderModel& model_;
    std::function<DisplayAttributes()> displayAttributes_ = [] { return DisplayAttributes{}; };
    void ConnectModel();
    std::string startFolder_, startPicture_;
    std::string cacheProblem_; // why the page being built could not be cached, once per page
    DisplayAttributes pageAttributes_; // read once per page build
    int smallImageTag_ = 0;
    bool locationIsOther_ = false;
    QPoint dragStart_;
    bool dragging_ = false;
    StringGridModel* exifModel_ = nullptr;
    StringGridModel* baseModel_ = nullptr;
    QActionGroup* locationGroup_ = nullptr;
};

} // namespace kamelune
