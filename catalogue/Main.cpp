#include "Main.h"

#include "catalogue/Forms.h"
#include "catalogue/SetKomoku.h"
#include "catalogue/TabExport.h"
#include "platform/TextFile.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Job.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StringGridModel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <atomic>

namespace kamelune {
namespace {

std::string ToStd(const QString& s) {
    return s.toStdString();
}
QString ToQ(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

AppPaths ResolveAppPaths(const QString& programPath) {
    const QFileInfo program(programPath);
    const QString dir = program.absolutePath();
    const QString ini = program.completeBaseName() + ".ini";
    const QString shipped = dir + "/../share/kamelune/Default.pkm";
    const std::string shippedPkm =
        QFileInfo::exists(shipped) ? ToStd(QFileInfo(shipped).canonicalFilePath()) : "";
    // A copy run from its build folder, or from a folder that holds its settings, keeps
    // everything beside itself; an installed copy follows the XDG base directories.
    if (QFileInfo::exists(dir + "/" + ini) || QFileInfo::exists(dir + "/CMakeCache.txt"))
        return {ToStd(dir), ToStd(dir + "/" + ini), shippedPkm, ToStd(dir)};
    const QString config =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Kamelune";
    const QString cache =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/Kamelune";
    QDir().mkpath(config);
    QDir().mkpath(cache);
    return {ToStd(config), ToStd(config + "/" + ini), shippedPkm, ToStd(cache)};
}

TFormMain::TFormMain(AppPaths appPaths, QWidget* parent)
    : QMainWindow(parent), gridBase(kBaseCols, 1), gridExif(5, 1), paths(std::move(appPaths)) {
    BuildFrame();
    FormCreate();
}

TFormMain::~TFormMain() {
    FormDestroy();
}

void TFormMain::FormCreate() {
    gAppDir = paths.appDir;
    gThumbDir = DefaultCacheDir();
    SetStrGridTitle(gridBase, 1);
    gridExif.SetFixedColor(kTitleColor);
    ApplyViewLook();
    resize(796, 414);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    InitPara();
}

void TFormMain::InitPara() {
    gCurPage = 1;
    gPageFirst = gPageLast = gPageCount = 0;
    gListReady = false;
    gPageBuilt = false;
    gExifCount = 0;
    gSmallImageFile.clear();
    gPictsPerPage = 16;
    CmbBoxFigNoPerPage->setCurrentIndex(4);
    CmbBoxPage->clear();
    CmbBoxPage->addItem(QStringLiteral("1"));
    CmbBoxPage->setCurrentIndex(0);
    ResetExifItems(ExifItems);
}

void TFormMain::LoadSettings() {
    const IniFile ini(paths.settingsPath);
    const MainSettings s = ReadMainSettings(ini, ToStd(QDir::homePath()), DefaultCacheDir());
    // The frame's position and the window's own size: saved the same way, so that a window
    // does not grow by its frame at every start.
    QPoint at = pos();
    QSize size = this->size();
    if (s.left != -1) at.setX(s.left);
    if (s.top != -1) at.setY(s.top);
    if (s.width != -1) size.setWidth(s.width);
    if (s.height != -1) size.setHeight(s.height);
    move(at);
    resize(size);
    PageControl1->setCurrentWidget(s.activePage == "TabSheetTable" ? TabSheetTable : TabSheetGazo);

    // A folder from the command line comes first; a remembered folder that is gone falls back to
    // the home folder.
    std::string dir = startFolder_.empty() ? s.dir : startFolder_;
    if (!DirectoryExists(dir)) dir = ToStd(QDir::homePath());
    PointTreeAt(dir);

    if (DirectoryExists(s.thumbDir)) {
        gThumbDir = s.thumbDir;
        SetLocationChoice(s.thumbDir != DefaultCacheDir());
    } else {
        gThumbDir = DefaultCacheDir();
        SetLocationChoice(false);
    }
    switch (s.hairetu) {
    case -1:
        break;
    case 2:
        SpeedBtnPane2->setChecked(true);
        break;
    case 3:
        SpeedBtnPane3->setChecked(true);
        break;
    default:
        SpeedBtnPane1->setChecked(true);
    }
    MnExifAfterJfif->setChecked(s.exifAfterJfif);
    MnDeleteToTrash->setChecked(s.deleteToTrash);
    MnUpright->setChecked(s.upright);
    if (FormSetPKomoku) FormSetPKomoku->LoadDefaultPKomoku(*this);
    gListReady = true;
    RemakeAll();
    if (!startPicture_.empty()) MakePictureCurrent(startPicture_);
}

void TFormMain::SetStartPlace(std::string folder, std::string picture) {
    startFolder_ = std::move(folder);
    startPicture_ = std::move(picture);
}

void TFormMain::MakePictureCurrent(const std::string& name) {
    for (int r = 1; r < gridExif.RowCount(); ++r)
        if (gridExif.Cell(2, r) == name) {
            StrGridExif->setCurrentIndex(exifModel_->index(r - 1, 2));
            StrGridExif->selectRow(r - 1);
            return;
        }
}

void TFormMain::SaveSettings() {
    MainSettings s;
    s.left = pos().x();
    s.top = pos().y();
    s.width = width();
    s.height = height();
    s.activePage =
        PageControl1->currentWidget() == TabSheetTable ? "TabSheetTable" : "TabSheetGazo";
    s.dir = currentDir_;
    s.thumbDir = gThumbDir;
    s.hairetu = SpeedBtnPane1->isChecked()   ? 1
                : SpeedBtnPane2->isChecked() ? 2
                : SpeedBtnPane3->isChecked() ? 3
                                             : 1;
    s.exifAfterJfif = MnExifAfterJfif->isChecked();
    s.deleteToTrash = MnDeleteToTrash->isChecked();
    s.upright = MnUpright->isChecked();
    IniFile ini(paths.settingsPath);
    WriteMainSettings(ini, s);
    if (FileResult r = ini.UpdateFile(); !r) ShowCheckMessage(ToQ(r.error));
}

void TFormMain::FormDestroy() {
    CleargPictList();
    gSelectList.clear();
    gSortWorkList.clear();
    gRowOrderList.clear();
    gItemList.clear();
}

void TFormMain::closeEvent(QCloseEvent* event) {
    SaveSettings();
    event->accept();
}

void TFormMain::OwariClick() {
    close();
}

void TFormMain::SetStatus(const QString& text) {
    statusBar()->showMessage(text);
}

void TFormMain::PointTreeAt(const std::string& folder) {
    currentDir_ = folder;
    DirectoryListBox1->SetFolder(folder);
}

void TFormMain::SetCurrentDir(const std::string& folder) {
    PointTreeAt(folder);
    DirectoryListBox1Change();
}

std::string TFormMain::CacheFolderOfCurrent() const {
    return CacheFolder(gThumbDir, gCacheSubName);
}

void TFormMain::DirectoryListBox1Change() {
    if (gListReady) RemakeAll();
}

void TFormMain::DriveComboBox1Change() {
    SetCurrentDir(ToStd(DriveComboBox1->currentText()));
}

void TFormMain::FilterComboBox1Change() {
    fileMask = ToStd(FilterComboBox1->currentData().toString());
}

void TFormMain::RemakeAll() {
    const std::string folder = currentDir_;
    if (IsInsideCacheRoot(folder)) {
        ShowCheckMessage(QStringLiteral("ここはKameluneの情報格納場所です。"));
        return;
    }
    gCacheSubName = SetCacheSubName(folder);
    InitPara();
    ImageSmall->clear();
    gListReady = true;
    gSelectList.clear();
    gRowOrderList.clear();
    ClearStrgrid(gridExif);
    MakeStrGridBase();
    SetSpinEditJump();
    MakePagePicts(1);
    PanelImageS->setVisible(PageControl1->currentWidget() == TabSheetTable &&
                            ChkBoxImage->isChecked());
}

void TFormMain::UpdateTable() {
    gListReady = true;
    gSelectList.clear();
    gRowOrderList.clear();
    MakeStrGridBase();
    SetSpinEditJump();
    MakePagePicts(1);
    PanelImageS->setVisible(PageControl1->currentWidget() == TabSheetTable &&
                            ChkBoxImage->isChecked());
}

void TFormMain::MakeStrGridBase() {
    const std::string folder = currentDir_;
    const std::string masks = fileMask;
    const ReadFlags limits{
        LimitMakerNote->isChecked(), LimitUserCmnt->isChecked(), {MnExifAfterJfif->isChecked()}};
    std::atomic<int> progress{0};
    FolderScan scan =
        RunJob([&] { return ScanFolder(folder, masks, limits, [&](int n) { progress.store(n); }); },
               [&] { SetStatus(QStringLiteral("Make List: No=%1").arg(progress.load())); });
    gridBase.TakeCells(std::move(scan.base));
    ExifItems = std::move(scan.record);
    const FolderCounts counts = scan.counts;
    SetStatus(QStringLiteral("Make List: No=%1").arg(counts.pictureCount));
    gFileCount = counts.fileCount;
    gExifCount = counts.exifCount;
    LabelFigNo->setText(ToQ(FigNoText(counts)));
    CopyStrGridExifFromBase(gItemList.empty() ? "ALL" : "TABLE", ChkBoxExifOnly->isChecked());
}

ViewSource TFormMain::Source() const {
    return {gridBase, ItemGrid(), gRowOrderList};
}

void TFormMain::ApplyViewLook() {
    FinishViewLook(gridExif);
    if (ChkBox3fix && ChkBox3fix->isChecked() && gridExif.ColCount() > 3)
        gridExif.SetFixedCols(3);
    else
        gridExif.SetFixedCols(1);
    ApplyGridLook(StrGridExif, gridExif);
    ApplyGridLook(StrGridBase, gridBase);
}

void TFormMain::CopyStrGridExifFromBase(const std::string& mode, bool exifOnly) {
    kamelune::CopyStrGridExifFromBase(mode, Source(), gItemList, gridExif, exifOnly);
    ApplyViewLook();
    SetSpinEditJump();
}

void TFormMain::TransByKomokuList(bool exifOnly) {
    kamelune::TransByKomokuList(Source(), gItemList, gridExif, exifOnly);
    ApplyViewLook();
    SetSpinEditJump();
}

void TFormMain::SetSpinEditJump() {
    SpinEditJump->setRange(1, std::max(1, gridExif.RowCount() - 1));
    SpinEditJump->setValue(1);
}

void TFormMain::ChkBoxExifOnlyClick() {
    TransByKomokuList(ChkBoxExifOnly->isChecked());
    SetSpinEditJump();
    gListReady = true;
    if (PageControl1->currentWidget() == TabSheetGazo) MakePagePicts(CurrentPageBox());
}

void TFormMain::ChkBox3fixClick() {
    ApplyViewLook();
}

void TFormMain::ChkBoxImageClick() {
    PanelImageS->setVisible(ChkBoxImage->isChecked());
    if (PanelImageS->isVisible()) {
        PlaceSmallPanel();
        PanelImageS->raise();
    }
}

void TFormMain::PlaceSmallPanel() {
    const QPoint corner = StrGridExif->mapTo(this, StrGridExif->rect().bottomRight());
    PanelImageS->move(corner.x() - PanelImageS->width() - 20,
                      corner.y() - PanelImageS->height() - 20);
}

void TFormMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (PanelImageS && PanelImageS->isVisible()) PlaceSmallPanel();
}

void TFormMain::StrGridExifDblClick() {
    const QModelIndex current = StrGridExif->currentIndex();
    if (!current.isValid()) return;
    const std::string& name = gridExif.Cell(2, exifModel_->GridRow(current.row()));
    if (!name.empty()) OpenDocument(ToQ(JoinPath(currentDir_, name)));
}

void TFormMain::LimitMakerNoteClick() {
    MakeStrGridBase();
}

void TFormMain::LimitUserCmntClick() {
    MakeStrGridBase();
}

int TFormMain::UprightOrientation(int pictNo) const {
    if (!MnUpright || !MnUpright->isChecked()) return 0;
    return OrientationFromText(gridBase.Cell(ItemCol(kItemOrientation), pictNo));
}

void TFormMain::MnExifAfterJfifClick() {
    // Which pictures carry EXIF changes: the folder is read again, as after a rename.
    UpdateTable();
}

void TFormMain::PageControl1Change() {
    PageChange();
    SetStatus(ToQ(currentDir_));
}

void TFormMain::PageChange() {
    if (PageControl1->currentWidget() == TabSheetGazo) {
        PanelImageS->hide();
        if (gFileCount >= 1) MakePagePicts(CurrentPageBox());
    } else if (PageControl1->currentWidget() == TabSheetTable) {
        PanelImageS->setVisible(ChkBoxImage->isChecked());
    }
}

void TFormMain::CmbBoxPageChange() {
    const int page = CurrentPageBox();
    MakePagePicts(page);
    gCurPage = page;
}

void TFormMain::SetCBoxpage(int current, int count) {
    CmbBoxPage->clear();
    for (int i = 1; i <= count; ++i)
        CmbBoxPage->addItem(QString::number(i));
    CmbBoxPage->setCurrentIndex(current - 1);
}

void TFormMain::BtnTabYokoClick() {
    if (gFileCount >= 1)
        OutTabFile(6);
    else
        ShowCheckMessage(QStringLiteral("イメージがありません"));
}

void TFormMain::BtnTabTateClick() {
    if (gFileCount >= 1)
        OutTabFile(7);
    else
        ShowCheckMessage(QStringLiteral("イメージがありません"));
}

void TFormMain::OutTabFile(int layout) {
    if (gSelectList.empty()) {
        ShowCheckMessage(QStringLiteral("解析するイメージが選択されていません"));
        return;
    }
    FileDialogRequest request;
    request.title = QStringLiteral("TAB区切り文の保存");
    request.initialDir = ToQ(currentDir_);
    request.defaultExt = QStringLiteral("txt");
    request.fileName = QStringLiteral("MyExif");
    request.filter = QStringLiteral("TAB区切りテキスト書き出し(*.txt)|*.txt");
    const auto path = Dialogs().SaveFile(request);
    if (!path) return;
    std::vector<std::string> headings;
    for (std::size_t m = 0; m < gItemList.size(); ++m)
        headings.push_back(gridExif.Cell(static_cast<int>(m) + 3, 0));
    const auto lines = MakeTabLines(layout == 6 ? TabLayout::Horizontal : TabLayout::Vertical,
                                    currentDir_, gSelectList, gItemList, headings, gridBase);
    if (FileResult r = WriteTextLines(ToStd(*path), lines); !r) ShowCheckMessage(ToQ(r.error));
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    event->acceptProposedAction();
    WMDropFiles(paths);
}

void TFormMain::WMDropFiles(const QStringList& dropped) {
    if (dropped.isEmpty()) return;
    const QString source = dropped.first();
    SetStatus(source);
    activateWindow();
    if (!IsDroppableJpeg(ToStd(source))) {
        ShowCheckMessage(QStringLiteral("Jpegファイルでありません"));
        return;
    }
    const std::string destination = DropDestination(currentDir_, ToStd(source));
    if (FileExists(destination)) {
        // Dropped from this very folder onto itself: nothing to copy.
        if (QFileInfo(source).canonicalFilePath() ==
            QFileInfo(ToQ(destination)).canonicalFilePath())
            return;
        if (!Dialogs().AskYesNo(QStringLiteral("確認"),
                                ToQ(destination) +
                                    QStringLiteral(" は既に存在します。上書きしますか？")))
            return;
    }
    if (FileResult r = CopyFileByBlocks(ToStd(source), destination); !r) {
        ShowCheckMessage(ToQ(r.error));
        return;
    }
    UpdateTable();
}

} // namespace kamelune
