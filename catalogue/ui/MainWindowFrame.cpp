// The main window's widgets, menus and tool bars, and their wiring to the commands.
#include "MainWindow.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/GridView.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StringGridModel.h"
#include "platform/qt/Widgets.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPalette>
#include <QSplitter>
#include <QStatusBar>
#include <QStorageInfo>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kamelune {
namespace {

QAction* Item(QMenu* menu, const QString& caption, const std::function<void()>& handler,
              const char* name = nullptr) {
    QAction* a = menu->addAction(caption);
    if (name) a->setObjectName(QString::fromLatin1(name));
    QObject::connect(a, &QAction::triggered, menu, handler);
    return a;
}

// Left column: places, the folder tree, the file type.
void BuildFolderPane(MainControls& c, QSplitter* splitter) {
    c.folderPane = new QWidget(splitter);
    c.folderPane->setObjectName(QStringLiteral("folderPane"));
    auto* left = new QVBoxLayout(c.folderPane);
    left->setContentsMargins(2, 2, 2, 2);
    left->setSpacing(2);
    c.placeCombo = new QComboBox(c.folderPane);
    c.placeCombo->setObjectName(QStringLiteral("placeCombo"));
    QStringList drives{QStringLiteral("/"), QDir::homePath()};
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid() && v.isReady() && v.device().startsWith("/dev/") &&
            !drives.contains(v.rootPath()))
            drives << v.rootPath();
    c.placeCombo->addItems(drives);
    left->addWidget(c.placeCombo);
    c.folderTree = new DirectoryListBox(c.folderPane);
    c.folderTree->setObjectName(QStringLiteral("folderTree"));
    left->addWidget(c.folderTree, 1);
    c.filterCombo = new QComboBox(c.folderPane);
    c.filterCombo->setObjectName(QStringLiteral("filterCombo"));
    c.filterCombo->addItem(QStringLiteral("JPG(*.jpg,*.jpeg)"), QStringLiteral("*.jpg;*.jpeg"));
    left->addWidget(c.filterCombo);
    c.folderPane->resize(130, c.folderPane->height());
}

// The tool bar above the tabs: the counter and the commands on the selection.
void BuildCommonToolBar(MainControls& c, QWidget* parent, const QStyle* style) {
    QToolBar* bar = c.commonToolBar = new QToolBar(parent);
    bar->setObjectName(QStringLiteral("commonToolBar"));
    bar->addWidget(new QLabel(QStringLiteral("Exif/JPG："), bar));
    c.countLabel = new QLabel(QStringLiteral("0/0"), bar);
    c.countLabel->setObjectName(QStringLiteral("countLabel"));
    c.countLabel->setMinimumWidth(60);
    bar->addWidget(c.countLabel);
    c.exifOnlyCheck = new QCheckBox(QStringLiteral("Exifのみ"), bar);
    c.exifOnlyCheck->setObjectName(QStringLiteral("exifOnlyCheck"));
    c.exifOnlyCheck->setToolTip(QStringLiteral("Exifのみ表示する"));
    bar->addWidget(c.exifOnlyCheck);
    bar->addSeparator();
    c.sortButton = MakeToolButton(bar, "sortButton", QStringLiteral("⇅"), QStringLiteral("ソート"));
    c.selectAllButton = MakeToolButton(bar, "selectAllButton", QStringLiteral("全選"),
                                       QStringLiteral("全てを選択"));
    c.reverseButton = MakeToolButton(bar, "reverseButton", QStringLiteral("選反転"),
                                     QStringLiteral("選択の反転"));
    c.selectNoneButton = MakeToolButton(bar, "selectNoneButton", QStringLiteral("全非選"),
                                        QStringLiteral("全てを非選択"));
    c.slideshowButton = MakeToolButton(bar, "slideshowButton", QStringLiteral("▶"),
                                       QStringLiteral("スライドショー"));
    c.albumButton = MakeToolButton(bar, "albumButton", QStringLiteral("HTML１"),
                                   QStringLiteral("HTML形式の出力"));
    c.hideButton = MakeToolButton(bar, "hideButton", QStringLiteral("隠す"),
                                  QStringLiteral("選択した画像を隠す"));
    c.showAgainButton = MakeToolButton(bar, "showAgainButton", QStringLiteral("再表示"),
                                       QStringLiteral("隠した画像を再表示する"));
    c.renameButton = MakeToolButton(bar, "renameButton", QStringLiteral("変換"),
                                    QStringLiteral("ファイル名の一括変換"));
    bar->actions().last()->setVisible(false);
    c.deleteCacheButton =
        MakeToolButton(bar, "deleteCacheButton", QString(), QStringLiteral("保存サムネイルの削除"));
    c.deleteCacheButton->setIcon(style->standardIcon(QStyle::SP_TrashIcon));
}

// The hidden tab of the base table.
GridView* BuildBaseTab(MainControls& c) {
    c.baseTab = new QWidget;
    c.baseTab->setObjectName(QStringLiteral("baseTab"));
    auto* baseLayout = new QVBoxLayout(c.baseTab);
    baseLayout->setContentsMargins(0, 0, 0, 0);
    c.baseGrid = new GridView(c.baseTab);
    c.baseGrid->setObjectName(QStringLiteral("baseGrid"));
    baseLayout->addWidget(c.baseGrid);
    c.pageTabs->addTab(c.baseTab, QStringLiteral("BaseTable"));
    c.pageTabs->setTabVisible(c.pageTabs->indexOf(c.baseTab), false);
    return c.baseGrid;
}

// What the menus call: the window, its controls and the rooms of its commands. Entries that
// need the folder's tables whole go to tableActions as they are made.
struct Menus {
    MainWindow& window;
    MainControls& c;
    FolderModel& model;
    DialogService& dialogs;
    QList<QAction*>& tableActions;

    PictureCommands& Commands() const { return window.Commands(); }
    QAction* TableItem(QMenu* menu, const QString& caption, const std::function<void()>& handler,
                       const char* name) const {
        QAction* a = Item(menu, caption, handler, name);
        tableActions << a;
        return a;
    }

    void BuildPictureMenu() const;
    void BuildFileMenu(QMenuBar* bar) const;
    void BuildEditMenu(QMenuBar* bar) const;
    void BuildViewMenu(QMenuBar* bar) const;
    void BuildOptionEntries(QMenu* view) const;
    void BuildPhotoMenu(QMenuBar* bar) const;
};

// The popup menu of a picture, in the table and on the thumbnails.
void Menus::BuildPictureMenu() const {
    QMenu* menu = c.pictureMenu;
    PictureCommands& commands = Commands();
    MainWindow& w = window;
    const auto onPopup = [&w, &commands](void (PictureFiles::*command)(int)) {
        return [&w, &commands, command] {
            if (const int picture = commands.PopupPicture()) (w.Files().*command)(picture);
        };
    };
    TableItem(
        menu, QStringLiteral("Exifをコピー(&C)"), [&commands] { commands.CopyExif(); }, "CopyExif");
    menu->addSeparator();
    TableItem(
        menu, QStringLiteral("スライドショー(&O)"), [&commands] { commands.SlideshowFromHere(); },
        "ShowFromHere");
    menu->addSeparator();
    TableItem(
        menu, QStringLiteral("名前変更(&N)"), [&commands] { commands.RenamePopupPicture(); },
        "RenameOne");
    menu->addSeparator();
    TableItem(menu, QStringLiteral("隠す(&H)"), onPopup(&PictureFiles::HidePicture), "HidePopup");
    menu->addSeparator();
    TableItem(menu, QStringLiteral("削除(&D)"), onPopup(&PictureFiles::DeletePicture),
              "DeletePopup");
    // With today's items: the picture's GPS position on a map, when it has one.
    c.openMapAction = TableItem(
        menu, QStringLiteral("地図で開く"),
        [&m = model, &d = dialogs, &commands] {
            const std::string url = MapUrl(m.Base(), commands.PopupPicture());
            if (url.empty())
                d.ShowCheckMessage(QStringLiteral("この画像には GPS の位置がありません"));
            else if (const FileResult r = OpenWebAddress(QString::fromStdString(url)); !r)
                d.ShowCheckMessage(QString::fromStdString(r.error));
        },
        "openMapAction");
    c.openMapAction->setVisible(false);
    QObject::connect(menu, &QMenu::aboutToShow, menu,
                     [map = c.openMapAction, &m = model, &commands] {
                         map->setEnabled(!MapUrl(m.Base(), commands.PopupPicture()).empty());
                     });
}

void Menus::BuildFileMenu(QMenuBar* bar) const {
    QMenu* file = bar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    PictureCommands& commands = Commands();
    TableItem(
        file, QStringLiteral("ファイル名の変換(&R)"), [&commands] { commands.OpenBatchRename(); },
        "BatchRename");
    TableItem(
        file, QStringLiteral("HTML出力1(&H)"), [&commands] { commands.OpenAlbum(); }, "Album");
    TableItem(
        file, QStringLiteral("HTML出力２(&M)"), [&commands] { commands.OpenHtmlTable(); },
        "HtmlTable");
    TableItem(
        file, QStringLiteral("TAB区切り文横出力(&T)"), [&commands] { commands.WriteTabWide(); },
        "TabWide");
    TableItem(
        file, QStringLiteral("TAB区切り文縦(&V)"), [&commands] { commands.WriteTabTall(); },
        "TabTall");
    QMenu* location = file->addMenu(QStringLiteral("サムネイルの保存場所(&P)"));
    location->setObjectName(QStringLiteral("cacheLocationMenu"));
    auto* group = new QActionGroup(location);
    MainWindow& w = window;
    c.cacheBesidePicturesAction = Item(
        location, QStringLiteral("Kameluneと同一Dir(&S)"),
        [&w] { w.Cache().CacheBesidePictures(); }, "cacheBesidePicturesAction");
    c.cacheElsewhereAction = Item(
        location, QStringLiteral("他のDir...(&O)"), [&w] { w.Cache().CacheElsewhere(); },
        "cacheElsewhereAction");
    for (QAction* a : {c.cacheBesidePicturesAction, c.cacheElsewhereAction}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    c.cacheBesidePicturesAction->setChecked(true);
    Item(
        file, QStringLiteral("保存サムネイルの削除(&D)"), [&w] { w.Cache().DeleteCacheFolders(); },
        "DeleteCache");
    c.exitAction = Item(
        file, QStringLiteral("終了（&X）"), [&w] { w.close(); }, "Quit");
}

void Menus::BuildEditMenu(QMenuBar* bar) const {
    QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
    PictureCommands& commands = Commands();
    // Shortcuts; the menus show them.
    TableItem(
        edit, QStringLiteral("全て選択(&A)"), [&commands] { commands.SelectAllPictures(); },
        "SelectAll")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    TableItem(
        edit, QStringLiteral("選択の反転(&R)"), [&commands] { commands.InvertSelection(); },
        "SelectReverse")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    TableItem(
        edit, QStringLiteral("全て非選択(&N)"), [&commands] { commands.SelectNoPicture(); },
        "SelectNone")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    TableItem(
        edit, QStringLiteral("ソート(&S)"), [&commands] { commands.OpenSort(); }, "Sort");
    TableItem(
        edit, QStringLiteral("条件で選択..."), [&commands] { emit commands.conditionsRequested(); },
        "SelectByConditions");
}

void Menus::BuildViewMenu(QMenuBar* bar) const {
    QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
    PictureCommands& commands = Commands();
    MainControls& controls = c;
    Item(
        view, QStringLiteral("サムネイル形式(&T)"),
        [&controls] { controls.pageTabs->setCurrentWidget(controls.thumbnailTab); }, "Thumb");
    Item(
        view, QStringLiteral("表形式(&G)"),
        [&controls] { controls.pageTabs->setCurrentWidget(controls.tablePage); }, "Grid");
    Item(
        view, QStringLiteral("項目設定(&S)"), [&commands] { commands.OpenItemChoice(); },
        "ChooseItems");
    Item(
        view, QStringLiteral("表項目設定(&I)"), [&commands] { commands.OpenItemChoice(); },
        "ChooseTableItems");
    Item(
        view, QStringLiteral("ｻﾑﾈｲﾙ表示属性(&D)"), [&commands] { commands.OpenDisplaySettings(); },
        "DisplaySettings");
    Item(
        view, QStringLiteral("Exif の分布..."),
        [&commands] { emit commands.distributionRequested(); }, "Distribution");
    Item(
        view, QStringLiteral("列幅を内容に合わせる"),
        [&controls] { controls.tablePage->FitColumnsToContents(); }, "FitColumns");
    MainWindow& w = window;
    c.smallPictureAction = Item(
        view, QStringLiteral("小画像表示(&G)"), [&w] { w.SmallPictureToggled(); },
        "smallPictureAction");
    BuildOptionEntries(view);
}

// The options of reading and of the file commands. The check marks are the model's options: a
// toggle sets the option before its handler reads the folder again.
void Menus::BuildOptionEntries(QMenu* view) const {
    MainWindow& w = window;
    c.limitMakerNoteAction = Item(
        view, QStringLiteral("ﾒｰｶｰﾉｰﾄの出力を制限する"), [&w] { w.ReadFolder(); },
        "limitMakerNoteAction");
    c.limitUserCommentAction = Item(
        view, QStringLiteral("ﾕｰｻﾞｰｺﾒﾝﾄの出力を制限する"), [&w] { w.ReadFolder(); },
        "limitUserCommentAction");
    // Qt toggles the check mark before the handler runs.
    for (QAction* a : {c.limitMakerNoteAction, c.limitUserCommentAction}) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    // Edited photos keep their EXIF block after a JFIF header. Which pictures carry EXIF
    // changes: the folder is read again, as after a rename.
    view->addSeparator();
    c.exifAfterJfifAction = Item(
        view, QStringLiteral("JFIF の後の Exif も読む"), [&w] { w.UpdateTable(); },
        "exifAfterJfifAction");
    c.deleteToTrashAction = Item(
        view, QStringLiteral("削除はごみ箱へ"), [] {}, "deleteToTrashAction");
    // The page is built again; the cache keeps the pictures as stored, turned when shown.
    FolderModel& m = model;
    c.uprightAction = Item(
        view, QStringLiteral("向きに合わせて表示"), [&m] { m.Requests().ShowPage(0); },
        "uprightAction");
    // The items of today's cameras: the catalogue grows, and the folder is read again for them.
    QAction* modern = c.modernItemsAction = Item(
        view, QStringLiteral("新しい Exif 項目も使う"),
        [&m, &action = c.modernItemsAction] { m.SetModernItems(action->isChecked()); },
        "modernItemsAction");
    // Folders of many thousands of pictures: every one gets a row; the folder is read again.
    c.allPicturesAction = Item(
        view, QStringLiteral("2000枚を超えても読む"), [&w] { w.UpdateTable(); },
        "allPicturesAction");
    // Phones' HEIC and cameras' RAW files listed beside the JPEGs; the folder is read again.
    c.rawHeicAction = Item(
        view, QStringLiteral("HEIC・RAW も読む"), [&w] { w.UpdateTable(); }, "rawHeicAction");
    for (QAction* a : {c.exifAfterJfifAction, c.deleteToTrashAction, c.uprightAction, modern,
                       c.allPicturesAction, c.rawHeicAction})
        a->setCheckable(true);
    const std::pair<QAction*, bool FolderOptions::*> options[] = {
        {c.limitMakerNoteAction, &FolderOptions::cutMakerNote},
        {c.limitUserCommentAction, &FolderOptions::cutUserComment},
        {c.exifAfterJfifAction, &FolderOptions::exifAfterJfif},
        {c.deleteToTrashAction, &FolderOptions::deleteToTrash},
        {c.allPicturesAction, &FolderOptions::allPictures},
        {c.rawHeicAction, &FolderOptions::rawHeic},
        {c.uprightAction, &FolderOptions::upright}};
    for (const auto& entry : options)
        QObject::connect(entry.first, &QAction::toggled, view,
                         [&m, option = entry.second](bool on) {
                             FolderOptions o = m.Options();
                             o.*option = on;
                             m.SetOptions(o);
                         });
}

void Menus::BuildPhotoMenu(QMenuBar* bar) const {
    QMenu* photo = bar->addMenu(QStringLiteral("フォト(&P)"));
    PictureCommands& commands = Commands();
    MainWindow& w = window;
    TableItem(
        photo, QStringLiteral("スライドショー(&S)"), [&commands] { commands.StartSlideshow(); },
        "SlideShow");
    TableItem(
        photo, QStringLiteral("隠す(&H)"), [&w] { w.Files().HideSelected(); }, "HideSelected");
    TableItem(
        photo, QStringLiteral("再表示(&V)"), [&w] { w.Files().ShowHiddenAgain(); }, "ShowAgain");
    photo->addSeparator();
    MainControls& controls = c;
    FolderModel& m = model;
    Item(
        photo, QStringLiteral("フォルダを読み直す(&F)"),
        [&w, &controls, &m] {
            // Folders made or removed on disk since show in the folder list too.
            controls.folderTree->SetFolder(m.Places().CurrentDir());
            w.UpdateTable();
        },
        "Reread")
        ->setShortcut(QKeySequence(Qt::Key_F5));
    TableItem(
        photo, QStringLiteral("削除(&D)"),
        [&w, &commands] {
            commands.SetPopupTarget({}); // the table's current row
            if (const int picture = commands.PopupPicture()) w.Files().DeletePicture(picture);
        },
        "DeleteCurrent")
        ->setShortcut(QKeySequence(Qt::Key_Delete));

    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    Item(
        help, QStringLiteral("バージョン情報(&A)..."), [&commands] { commands.OpenAbout(); },
        "About");
}

} // namespace

void MainWindow::BuildFrame() {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("ミルノのExif解析 Kamelune Ver. 0.8C"));
    setAcceptDrops(true);
    // The window colour silver; the controls on it take it up as their parent's colour.
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(silver);

    auto* central = new QWidget(this);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    folderSplitter = new QSplitter(Qt::Horizontal, central);
    centralLayout->addWidget(folderSplitter);
    setCentralWidget(central);
    BuildFolderPane(*this, folderSplitter);

    // Right area: the common tool bar above the tabs.
    auto* right = new QWidget(folderSplitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    folderSplitter->setStretchFactor(1, 1);
    folderSplitter->setSizes({130, 666});
    BuildCommonToolBar(*this, right, style());
    rightLayout->addWidget(commonToolBar);
    pageTabs = new QTabWidget(right);
    pageTabs->setObjectName(QStringLiteral("pageTabs"));
    pageTabs->setTabPosition(QTabWidget::South);
    rightLayout->addWidget(pageTabs, 1);
    tablePage = new TablePage(model_, dialogs_);
    pageTabs->addTab(tablePage, QStringLiteral("Exif表"));
    baseModel_ = new StringGridModel(model_.Base(), this);
    BuildBaseTab(*this)->setModel(baseModel_);
    statusBar()->setObjectName(QStringLiteral("statusBar"));

    // The floating small picture of the table view.
    smallPicturePanel = new SmallPicturePreview(this);
    smallPicture = smallPicturePanel->Picture();

    // The rooms of the commands, then the menus that call them.
    files_ = new PictureFiles(model_, dialogs_, this);
    pictureMenu = new QMenu(this);
    pictureMenu->setObjectName(QStringLiteral("pictureMenu"));
    commands_ = new PictureCommands(model_, dialogs_, *tablePage, *pictureMenu, this);
    const Menus menus{*this, *this, model_, dialogs_, tableActions_};
    menus.BuildPictureMenu();
    menus.BuildFileMenu(menuBar());
    cache_ = new CacheCommands(model_, dialogs_, *cacheBesidePicturesAction, *cacheElsewhereAction,
                               this);
    menus.BuildEditMenu(menuBar());
    menus.BuildViewMenu(menuBar());
    menus.BuildPhotoMenu(menuBar());
}

void MainWindow::ConnectControls() {
    folderTree->onChosen = [this](const std::string& folder) { SetCurrentDir(folder); };
    connect(placeCombo, &QComboBox::activated, this,
            [this] { SetCurrentDir(placeCombo->currentText().toStdString()); });
    connect(filterCombo, &QComboBox::activated, this, [this] {
        model_.Places().SetFileMask(filterCombo->currentData().toString().toStdString());
    });
    connect(exifOnlyCheck, &QCheckBox::toggled, this, [this](bool on) {
        FolderOptions o = model_.Options();
        o.exifOnly = on;
        model_.SetOptions(o);
    });
    connect(exifOnlyCheck, &QCheckBox::clicked, this, [this] { ExifOnlyToggled(); });
    connect(smallPicturePanel, &SmallPicturePreview::slideshowRequested, this, [this](int tag) {
        emit commands_->slideshowRequested(QStringLiteral("スライドショー（全表示）"), tag,
                                           tablePage->CurrentTableRow(), false);
    });
    connect(files_, &PictureFiles::folderChanged, this, [this] { UpdateTable(); });
    connect(files_, &PictureFiles::status, this, &MainWindow::SetStatus);
    // What the table tab asks.
    PictureCommands* commands = commands_;
    connect(tablePage, &TablePage::smallPictureToggled, this, [this] { SmallPictureToggled(); });
    connect(tablePage, &TablePage::selectionClicked, commands,
            [commands](int row) { commands->SelectionCellClicked(1, row); });
    connect(tablePage, &TablePage::rowClicked, this, [this](int row) {
        DisplaySmallImage(row);
        model_.Requests().PictureClicked(ItemNumber(model_.View().Cell(0, row)));
    });
    connect(tablePage, &TablePage::menuRequested, commands,
            [commands](const QPoint& at) { commands->ShowPanelMenu({}, at); });
    connect(tablePage, &TablePage::openRequested, commands,
            [commands] { commands->OpenSlideshowAt({}); });
    connect(tablePage, &TablePage::itemsRequested, commands, &PictureCommands::OpenItemChoice);
    connect(tablePage, &TablePage::html2Requested, commands, &PictureCommands::OpenHtmlTable);
    connect(tablePage, &TablePage::tabWideRequested, commands, &PictureCommands::WriteTabWide);
    connect(tablePage, &TablePage::tabTallRequested, commands, &PictureCommands::WriteTabTall);
    connect(pageTabs, &QTabWidget::tabBarClicked, this, [this](int index) {
        if (index != pageTabs->currentIndex()) {
            pageTabs->setCurrentIndex(index);
            TabChanged();
        }
    });
    // The common tool bar.
    connect(deleteCacheButton, &QToolButton::clicked, cache_, &CacheCommands::DeleteCacheFolders);
    connect(hideButton, &QToolButton::clicked, files_, &PictureFiles::HideSelected);
    connect(showAgainButton, &QToolButton::clicked, files_, &PictureFiles::ShowHiddenAgain);
    connect(sortButton, &QToolButton::clicked, commands, &PictureCommands::OpenSort);
    connect(selectAllButton, &QToolButton::clicked, commands, &PictureCommands::SelectAllPictures);
    connect(reverseButton, &QToolButton::clicked, commands, &PictureCommands::InvertSelection);
    connect(selectNoneButton, &QToolButton::clicked, commands, &PictureCommands::SelectNoPicture);
    connect(slideshowButton, &QToolButton::clicked, commands, &PictureCommands::StartSlideshow);
    connect(albumButton, &QToolButton::clicked, commands, &PictureCommands::OpenAlbum);
    connect(renameButton, &QToolButton::clicked, commands, &PictureCommands::OpenBatchRename);
    // What needs the folder's tables whole: off while a read runs.
    tableWidgets_ = {sortButton,       selectAllButton, reverseButton,
                     selectNoneButton, slideshowButton, albumButton,
                     hideButton,       showAgainButton, renameButton};
}

void MainWindow::SetThumbnailPage(QWidget* page) {
    thumbnailTab = page;
    pageTabs->insertTab(0, page, QStringLiteral("サムネイル"));
}

} // namespace kamelune
