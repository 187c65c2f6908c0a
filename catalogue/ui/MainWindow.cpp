// The main window: its start and settings, reading a folder, the table views, a dropped picture.
#include "MainWindow.h"
#include "catalogue/CacheNames.h"
#include "catalogue/Drop.h"
#include "catalogue/Settings.h"

#include "catalogue/ItemCatalogue.h"
#include "catalogue/TabExport.h"
#include "platform/Jpeg.h"
#include "platform/TextFile.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StringGridModel.h"
#include "platform/qt/Widgets.h"

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
#include <QFutureWatcher>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QtConcurrent/QtConcurrentRun>
#include <thread>

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
        return {ToStd(dir), ToStd(dir + "/" + ini), shippedPkm, ToStd(dir), DefaultStateDir()};
    const QString config =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Kamelune";
    const QString cache =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/Kamelune";
    QDir().mkpath(config);
    QDir().mkpath(cache);
    return {ToStd(config), ToStd(config + "/" + ini), shippedPkm, ToStd(cache), DefaultStateDir()};
}

MainWindow::MainWindow(FolderModel& model, DialogService& dialogs, QWidget* parent)
    : QMainWindow(parent), model_(model), dialogs_(dialogs) {
    BuildFrame();
    ConnectControls();
    ConnectModel();
    ApplyViewLook();
    resize(796, 414);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    model_.FolderOpened(); // the page: page 1 of 16 x 2
}

// What the other windows change in the folder model, the main window shows.
void MainWindow::ConnectModel() {
    for (auto signal : {&FolderModel::itemsChanged, &FolderModel::orderChanged})
        connect(&model_, signal, this, [this] {
            FillExifTable("TABLE", exifOnlyCheck->isChecked());
            model_.Requests().ShowPage(0);
        });
    connect(&model_, &FolderModel::filesRenamed, this,
            [this](bool many) { many ? RemakeAll() : UpdateTable(); });
    connect(&model_.Requests(), &ViewRequests::tableRowWanted, this,
            [this](int row) { tablePage->SelectRow(row); });
    connect(&model_.Requests(), &ViewRequests::smallPictureWanted, this, [this](int row) {
        if (smallPicturePanel->isVisible()) DisplaySmallImage(row);
    });
    connect(&model_, &FolderModel::itemCountChanged, this, [this] {
        modernItemsAction->setChecked(model_.ModernItems());
        openMapAction->setVisible(model_.ModernItems());
        // Before the start folder is read there is nothing to read again.
        if (model_.Started()) ReadFolder();
    });
    connect(&model_.Reader(), &FolderReader::readStarted, this, &MainWindow::ReadStarted);
    connect(&model_.Reader(), &FolderReader::rowsRead, this,
            [this](int n) { SetStatus(QStringLiteral("Make List: No=%1").arg(n)); });
    connect(&model_.Reader(), &FolderReader::readFinished, this, &MainWindow::ReadFinished);
    // A large folder: its first rows and first page while the rest is read.
    connect(&model_.Reader(), &FolderReader::firstRowsRead, this, [this] {
        ShowReadTable();
        model_.Requests().ShowPage(1);
    });
    connect(&model_.Reader(), &FolderReader::readStopped, this, [this] { SetReadingLook(false); });
    connect(&model_, &FolderModel::notice, this, [this](const QString& text) {
        notice_ = text;
        if (!model_.Reader().Reading()) SetStatus(text);
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::LoadSettings() {
    const IniFile ini(model_.Places().Paths().settingsPath);
    const MainSettings s =
        ReadMainSettings(ini, ToStd(QDir::homePath()), model_.Places().DefaultCacheDir());
    // The frame's position and the window's own size: saved the same way, so that a window
    // does not grow by its frame at every start.
    QPoint at = pos();
    QSize size = this->size();
    if (s.left != -1) at.setX(s.left);
    if (s.top != -1) at.setY(s.top);
    if (s.width != -1) size.setWidth(s.width);
    if (s.height != -1) size.setHeight(s.height);
    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect free = screen->availableGeometry();
        screens.push_back({free.x(), free.y(), free.width(), free.height()});
    }
    const ScreenRect place = PlaceOnScreens({at.x(), at.y(), size.width(), size.height()}, screens);
    move(place.left, place.top);
    resize(place.width, place.height);
    pageTabs->setCurrentWidget(s.activePage == "TabSheetTable" ? tablePage : thumbnailTab);

    // A folder from the command line comes first; a remembered folder that is gone falls back to
    // the home folder.
    std::string dir = startFolder_.empty() ? s.dir : startFolder_;
    if (!DirectoryExists(dir)) dir = ToStd(QDir::homePath());
    PointTreeAt(dir);

    if (DirectoryExists(s.thumbDir)) {
        model_.Places().SetThumbDir(s.thumbDir);
        cache_->SetLocationChoice(s.thumbDir != model_.Places().DefaultCacheDir());
    } else {
        model_.Places().SetThumbDir(model_.Places().DefaultCacheDir());
        cache_->SetLocationChoice(false);
    }
    if (s.pane != -1) model_.SetPane(s.pane == 2 || s.pane == 3 ? s.pane : 1);
    exifAfterJfifAction->setChecked(s.exifAfterJfif);
    deleteToTrashAction->setChecked(s.deleteToTrash);
    uprightAction->setChecked(s.upright);
    model_.SetModernItems(s.modernItems);
    allPicturesAction->setChecked(s.allPictures);
    rawHeicAction->setChecked(s.rawHeic);
}

void MainWindow::ShowStartFolder(bool builtInItems) {
    if (builtInItems) model_.SetPane(3);
    model_.EndStartUp();
    RemakeAll(); // the command line's picture is made current when the read is done
}

void MainWindow::SetStartPlace(std::string folder, std::string picture) {
    startFolder_ = std::move(folder);
    startPicture_ = std::move(picture);
}

void MainWindow::SaveSettings() {
    MainSettings s;
    s.left = pos().x();
    s.top = pos().y();
    s.width = width();
    s.height = height();
    s.activePage = pageTabs->currentWidget() == tablePage ? "TabSheetTable" : "TabSheetGazo";
    s.dir = model_.Places().CurrentDir();
    s.thumbDir = model_.Places().ThumbDir();
    s.pane = model_.Pane();
    s.exifAfterJfif = model_.Options().exifAfterJfif;
    s.deleteToTrash = model_.Options().deleteToTrash;
    s.upright = model_.Options().upright;
    s.modernItems = model_.ModernItems();
    s.allPictures = model_.Options().allPictures;
    s.rawHeic = model_.Options().rawHeic;
    IniFile ini(model_.Places().Paths().settingsPath);
    WriteMainSettings(ini, s);
    if (FileResult r = ini.UpdateFile(); !r) dialogs_.ShowCheckMessage(ToQ(r.error));
    tablePage->SaveColumnWidths();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    model_.Reader().Stop();
    SaveSettings();
    event->accept();
}

void MainWindow::SetStatus(const QString& text) {
    statusBar()->showMessage(text);
}

void MainWindow::PointTreeAt(const std::string& folder) {
    model_.Places().SetCurrentDir(folder);
    folderTree->SetFolder(folder);
}

void MainWindow::SetCurrentDir(const std::string& folder) {
    PointTreeAt(folder);
    if (model_.Started()) RemakeAll();
}

void MainWindow::RemakeAll() {
    const std::string folder = model_.Places().CurrentDir();
    if (IsInsideCacheRoot(folder)) {
        dialogs_.ShowCheckMessage(QStringLiteral("ここはKameluneの情報格納場所です。"));
        return;
    }
    model_.FolderOpened(); // the page: page 1 of 16 x 2
    smallPicturePanel->Clear();
    model_.BeginFolder();
    pageAfterRead_ = true;
    ReadFolder();
}

void MainWindow::UpdateTable() {
    model_.ForgetSelectionAndOrder();
    pageAfterRead_ = true;
    ReadFolder();
}

void MainWindow::ReadFolder() {
    model_.StartRead(model_.Places().CurrentDir(), model_.Places().FileMask(),
                     model_.ReadFlagsNow());
}

void MainWindow::ReadStarted() {
    SetReadingLook(true);
    countLabel->setText(ToQ(CounterText({})));
    // The tables are empty until the read is done: nothing acts on rows that are not there.
    ShowReadTable();
}

void MainWindow::ReadFinished() {
    const FolderCounts& counts = model_.ReadCounts();
    countLabel->setText(ToQ(CounterText(counts)));
    ShowReadTable();
    SetReadingLook(false);
    // The settled text: the folder, and what the read changed elsewhere.
    SetStatus(ToQ(model_.Places().CurrentDir()) +
              (notice_.isEmpty() ? QString() : QStringLiteral("  ") + notice_));
    notice_.clear();
    tablePage->ResetJumpBox();
    model_.Requests().ShowPage(pageAfterRead_ ? 1 : 0);
    if (pageAfterRead_)
        smallPicturePanel->setVisible(pageTabs->currentWidget() == tablePage &&
                                      tablePage->SmallPictureOn());
    pageAfterRead_ = false;
    if (!startPicture_.empty()) tablePage->MakePictureCurrent(startPicture_);
    startPicture_.clear();
    // An empty table would look like a folder without pictures.
    if (counts.folderError)
        dialogs_.ShowCheckMessage(ToQ(
            FailureText("フォルダを読めません", model_.Places().CurrentDir(), counts.folderError)));
}

void MainWindow::SetReadingLook(bool reading) {
    for (QAction* a : tableActions_)
        a->setEnabled(!reading);
    for (QWidget* w : tableWidgets_)
        w->setEnabled(!reading);
    tablePage->SetCommandsEnabled(!reading);
}

void MainWindow::ApplyViewLook() {
    tablePage->ApplyViewLook();
    // The base table's tab stays hidden: its number columns are not fitted (a walk of every row).
    ApplyGridLook(baseGrid, model_.Base(), 0);
}

void MainWindow::FillExifTable(const std::string& mode, bool exifOnly) {
    model_.MakeView(mode, exifOnly);
    ApplyViewLook();
    tablePage->ResetJumpBox();
}

// A folder just read: every item while none is chosen, else the chosen ones.
void MainWindow::ShowReadTable() {
    FillExifTable(model_.ChosenItems().empty() ? "ALL" : "TABLE", exifOnlyCheck->isChecked());
}

void MainWindow::ExifOnlyToggled() {
    FillExifTable("TABLE", exifOnlyCheck->isChecked());
    model_.Requests().ShowPage(0);
}

void MainWindow::SmallPictureToggled() {
    smallPicturePanel->setVisible(tablePage->SmallPictureOn());
    if (smallPicturePanel->isVisible()) {
        PlaceSmallPanel();
        smallPicturePanel->raise();
    }
}

void MainWindow::PlaceSmallPanel() {
    const QPoint corner = tablePage->TableRectIn(this).bottomRight();
    smallPicturePanel->move(corner.x() - smallPicturePanel->width() - 20,
                            corner.y() - smallPicturePanel->height() - 20);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (smallPicturePanel && smallPicturePanel->isVisible()) PlaceSmallPanel();
}

void MainWindow::TabChanged() {
    ShowCurrentTab();
    SetStatus(ToQ(model_.Places().CurrentDir()));
}

void MainWindow::ShowCurrentTab() {
    if (pageTabs->currentWidget() == thumbnailTab) {
        smallPicturePanel->hide();
        if (model_.FileCount() >= 1) model_.Requests().ShowPage(0);
    } else if (pageTabs->currentWidget() == tablePage) {
        smallPicturePanel->setVisible(tablePage->SmallPictureOn());
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    event->acceptProposedAction();
    activateWindow();
    files_->DropPictures(paths);
}

void MainWindow::SetCounter(const QString& text) {
    countLabel->setText(text);
}

void MainWindow::DisplaySmallImage(int row) {
    if (row < 1 || row > model_.View().RowCount() - 1) return;
    const int n = ItemNumber(model_.View().Cell(0, row));
    const std::string name(model_.Base().Cell(kNameCol, n));
    if (name.empty()) return;
    smallPicturePanel->Show(JoinPath(model_.Places().CurrentDir(), name), n,
                            model_.Reader().Delay());
}

} // namespace kamelune
