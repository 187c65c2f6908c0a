// The main window's widgets, menus and tool bars, and their wiring to the handlers.
#include "MainWindow.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/GridView.h"
#include "platform/qt/Widgets.h"

#include "platform/qt/Shell.h"
#include "platform/qt/StringGridModel.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPalette>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStorageInfo>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
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

    // Left column: drive, folder tree, file type.
    folderPane = new QWidget(folderSplitter);
    folderPane->setObjectName(QStringLiteral("folderPane"));
    auto* left = new QVBoxLayout(folderPane);
    left->setContentsMargins(2, 2, 2, 2);
    left->setSpacing(2);
    placeCombo = new QComboBox(folderPane);
    placeCombo->setObjectName(QStringLiteral("placeCombo"));
    QStringList drives{QStringLiteral("/"), QDir::homePath()};
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid() && v.isReady() && v.device().startsWith("/dev/") &&
            !drives.contains(v.rootPath()))
            drives << v.rootPath();
    placeCombo->addItems(drives);
    left->addWidget(placeCombo);
    folderTree = new DirectoryListBox(folderPane);
    folderTree->setObjectName(QStringLiteral("folderTree"));
    left->addWidget(folderTree, 1);
    filterCombo = new QComboBox(folderPane);
    filterCombo->setObjectName(QStringLiteral("filterCombo"));
    filterCombo->addItem(QStringLiteral("JPG(*.jpg,*.jpeg)"), QStringLiteral("*.jpg;*.jpeg"));
    left->addWidget(filterCombo);
    folderPane->resize(130, folderPane->height());

    // Right area: the common tool bar above the tabs.
    auto* right = new QWidget(folderSplitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    folderSplitter->setStretchFactor(1, 1);
    folderSplitter->setSizes({130, 666});

    commonToolBar = new QToolBar(right);
    commonToolBar->setObjectName(QStringLiteral("commonToolBar"));
    commonToolBar->addWidget(new QLabel(QStringLiteral("Exif/JPG："), commonToolBar));
    countLabel = new QLabel(QStringLiteral("0/0"), commonToolBar);
    countLabel->setObjectName(QStringLiteral("countLabel"));
    countLabel->setMinimumWidth(60);
    commonToolBar->addWidget(countLabel);
    exifOnlyCheck = new QCheckBox(QStringLiteral("Exifのみ"), commonToolBar);
    exifOnlyCheck->setObjectName(QStringLiteral("exifOnlyCheck"));
    exifOnlyCheck->setToolTip(QStringLiteral("Exifのみ表示する"));
    commonToolBar->addWidget(exifOnlyCheck);
    commonToolBar->addSeparator();
    sortButton =
        MakeToolButton(commonToolBar, "sortButton", QStringLiteral("⇅"), QStringLiteral("ソート"));
    selectAllButton = MakeToolButton(commonToolBar, "selectAllButton", QStringLiteral("全選"),
                                     QStringLiteral("全てを選択"));
    reverseButton = MakeToolButton(commonToolBar, "reverseButton", QStringLiteral("選反転"),
                                   QStringLiteral("選択の反転"));
    selectNoneButton = MakeToolButton(commonToolBar, "selectNoneButton", QStringLiteral("全非選"),
                                      QStringLiteral("全てを非選択"));
    slideshowButton = MakeToolButton(commonToolBar, "slideshowButton", QStringLiteral("▶"),
                                     QStringLiteral("スライドショー"));
    albumButton = MakeToolButton(commonToolBar, "albumButton", QStringLiteral("HTML１"),
                                 QStringLiteral("HTML形式の出力"));
    hideButton = MakeToolButton(commonToolBar, "hideButton", QStringLiteral("隠す"),
                                QStringLiteral("選択した画像を隠す"));
    showAgainButton = MakeToolButton(commonToolBar, "showAgainButton", QStringLiteral("再表示"),
                                     QStringLiteral("隠した画像を再表示する"));
    renameButton = MakeToolButton(commonToolBar, "renameButton", QStringLiteral("変換"),
                                  QStringLiteral("ファイル名の一括変換"));
    commonToolBar->actions().last()->setVisible(false);
    deleteCacheButton = MakeToolButton(commonToolBar, "deleteCacheButton", QString(),
                                       QStringLiteral("保存サムネイルの削除"));
    deleteCacheButton->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    rightLayout->addWidget(commonToolBar);

    pageTabs = new QTabWidget(right);
    pageTabs->setObjectName(QStringLiteral("pageTabs"));
    pageTabs->setTabPosition(QTabWidget::South);
    rightLayout->addWidget(pageTabs, 1);

    // Table tab.
    tablePage = new TablePage(model_, dialogs_);
    pageTabs->addTab(tablePage, QStringLiteral("Exif表"));

    // Base table tab, hidden.
    baseTab = new QWidget;
    baseTab->setObjectName(QStringLiteral("baseTab"));
    auto* baseLayout = new QVBoxLayout(baseTab);
    baseLayout->setContentsMargins(0, 0, 0, 0);
    baseGrid = new GridView(baseTab);
    baseGrid->setObjectName(QStringLiteral("baseGrid"));
    baseModel_ = new StringGridModel(model_.Base(), this);
    baseGrid->setModel(baseModel_);
    baseLayout->addWidget(baseGrid);
    pageTabs->addTab(baseTab, QStringLiteral("BaseTable"));
    pageTabs->setTabVisible(pageTabs->indexOf(baseTab), false);

    statusBar()->setObjectName(QStringLiteral("statusBar"));

    // The floating small picture of the table view.
    smallPicturePanel = new QFrame(this);
    smallPicturePanel->setObjectName(QStringLiteral("smallPicturePanel"));
    smallPicturePanel->setFrameShape(QFrame::Panel);
    smallPicturePanel->setFrameShadow(QFrame::Raised);
    smallPicture = new QLabel(smallPicturePanel);
    smallPicture->setObjectName(QStringLiteral("smallPicture"));
    smallPicture->setGeometry(1, 1, 96, 96);
    smallPicture->setScaledContents(true);
    smallPicture->setToolTip(QStringLiteral("ドラッグで移動、右クリックで原図(ｽﾗｲﾄﾞｼｮｰ)を表示"));
    smallPicture->installEventFilter(this);
    smallPicturePanel->resize(104, 104);
    smallPicturePanel->setAutoFillBackground(true);
    QPalette smallPalette = smallPicturePanel->palette();
    smallPalette.setColor(QPalette::Window, Bgr(kTitleColor));
    smallPicturePanel->setPalette(smallPalette);
    smallPicturePanel->setFrameShadow(QFrame::Sunken);
    smallPicturePanel->hide();

    pictureMenu = new QMenu(this);
    pictureMenu->setObjectName(QStringLiteral("pictureMenu"));
    Item(
        pictureMenu, QStringLiteral("Exifをコピー(&C)"), [this] { CopyExif(); }, "CopyExif");
    pictureMenu->addSeparator();
    Item(
        pictureMenu, QStringLiteral("スライドショー(&O)"), [this] { SlideshowFromHere(); },
        "ShowFromHere");
    pictureMenu->addSeparator();
    Item(
        pictureMenu, QStringLiteral("名前変更(&N)"), [this] { RenamePopupPicture(); }, "RenameOne");
    pictureMenu->addSeparator();
    Item(
        pictureMenu, QStringLiteral("隠す(&H)"), [this] { HidePopupPicture(); }, "HidePopup");
    pictureMenu->addSeparator();
    Item(
        pictureMenu, QStringLiteral("削除(&D)"), [this] { DeletePopupPicture(); }, "DeletePopup");
    // With today's items: the picture's GPS position on a map, when it has one.
    openMapAction = Item(
        pictureMenu, QStringLiteral("地図で開く"),
        [this] {
            const std::string url = MapUrl(model_.Base(), PopupPicture());
            if (url.empty())
                dialogs_.ShowCheckMessage(QStringLiteral("この画像には GPS の位置がありません"));
            else if (const FileResult r = OpenWebAddress(QString::fromStdString(url)); !r)
                dialogs_.ShowCheckMessage(QString::fromStdString(r.error));
        },
        "openMapAction");
    openMapAction->setVisible(false);
    connect(pictureMenu, &QMenu::aboutToShow, this,
            [this] { openMapAction->setEnabled(!MapUrl(model_.Base(), PopupPicture()).empty()); });

    BuildMenus();

    // Wiring.
    folderTree->onChosen = [this](const std::string& folder) { SetCurrentDir(folder); };
    connect(placeCombo, &QComboBox::activated, this, [this] { PlaceChosen(); });
    connect(filterCombo, &QComboBox::activated, this, [this] { FilterChosen(); });
    connect(exifOnlyCheck, &QCheckBox::toggled, this, [this](bool on) { model_.SetExifOnly(on); });
    connect(exifOnlyCheck, &QCheckBox::clicked, this, [this] { ExifOnlyToggled(); });
    // What the table tab asks.
    connect(tablePage, &TablePage::smallPictureToggled, this, [this] { SmallPictureToggled(); });
    connect(tablePage, &TablePage::selectionClicked, this, [this](int row) { Selection(1, row); });
    connect(tablePage, &TablePage::rowClicked, this, [this](int row) {
        DisplaySmallImage(row);
        model_.Requests().PictureClicked(ItemNumber(model_.View().Cell(0, row)));
    });
    connect(tablePage, &TablePage::menuRequested, this, [this](const QPoint& at) {
        popup_ = {};
        pictureMenu->popup(at);
    });
    connect(tablePage, &TablePage::openRequested, this, [this] {
        popup_ = {};
        SlideshowFromHere();
    });
    connect(tablePage, &TablePage::itemsRequested, this, [this] { OpenItemChoice(); });
    connect(tablePage, &TablePage::html2Requested, this, [this] { OpenHtmlTable(); });
    connect(tablePage, &TablePage::tabWideRequested, this, [this] { WriteTabWide(); });
    connect(tablePage, &TablePage::tabTallRequested, this, [this] { WriteTabTall(); });
    connect(pageTabs, &QTabWidget::tabBarClicked, this, [this](int index) {
        if (index != pageTabs->currentIndex()) {
            pageTabs->setCurrentIndex(index);
            TabChanged();
        }
    });
    connect(deleteCacheButton, &QToolButton::clicked, this, [this] { DeleteCacheFolders(); });
    connect(hideButton, &QToolButton::clicked, this, [this] { HideSelected(); });
    connect(showAgainButton, &QToolButton::clicked, this, [this] { ShowHiddenAgain(); });
    connect(sortButton, &QToolButton::clicked, this, [this] { OpenSort(); });
    connect(selectAllButton, &QToolButton::clicked, this, [this] { SelectAllPictures(); });
    connect(reverseButton, &QToolButton::clicked, this, [this] { InvertSelection(); });
    connect(selectNoneButton, &QToolButton::clicked, this, [this] { SelectNoPicture(); });
    connect(slideshowButton, &QToolButton::clicked, this, [this] { StartSlideshow(); });
    connect(albumButton, &QToolButton::clicked, this, [this] { OpenAlbum(); });
    connect(renameButton, &QToolButton::clicked, this, [this] { OpenBatchRename(); });

    // What needs the folder's tables whole: off while a read runs.
    tableWidgets_ = {sortButton,       selectAllButton, reverseButton,
                     selectNoneButton, slideshowButton, albumButton,
                     hideButton,       showAgainButton, renameButton};
    tableActions_ = pictureMenu->actions();
    for (const char* name :
         {"BatchRename", "Album", "HtmlTable", "TabWide", "TabTall", "SelectAll", "SelectReverse",
          "SelectNone", "Sort", "SlideShow", "Hide2", "V1", "DeleteCurrent"})
        tableActions_ << findChild<QAction*>(QString::fromLatin1(name));
    tableActions_.removeAll(nullptr);
}

void MainWindow::SetThumbnailPage(QWidget* page) {
    thumbnailTab = page;
    pageTabs->insertTab(0, page, QStringLiteral("サムネイル"));
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    Item(
        file, QStringLiteral("ファイル名の変換(&R)"), [this] { OpenBatchRename(); }, "BatchRename");
    Item(
        file, QStringLiteral("HTML出力1(&H)"), [this] { OpenAlbum(); }, "Album");
    Item(
        file, QStringLiteral("HTML出力２(&M)"), [this] { OpenHtmlTable(); }, "HtmlTable");
    Item(
        file, QStringLiteral("TAB区切り文横出力(&T)"), [this] { WriteTabWide(); }, "TabWide");
    Item(
        file, QStringLiteral("TAB区切り文縦(&V)"), [this] { WriteTabTall(); }, "TabTall");
    QMenu* location = file->addMenu(QStringLiteral("サムネイルの保存場所(&P)"));
    location->setObjectName(QStringLiteral("cacheLocationMenu"));
    locationGroup_ = new QActionGroup(this);
    cacheBesidePicturesAction = Item(
        location, QStringLiteral("Kameluneと同一Dir(&S)"), [this] { CacheBesidePictures(); },
        "cacheBesidePicturesAction");
    cacheElsewhereAction = Item(
        location, QStringLiteral("他のDir...(&O)"), [this] { CacheElsewhere(); },
        "cacheElsewhereAction");
    for (QAction* a : {cacheBesidePicturesAction, cacheElsewhereAction}) {
        a->setCheckable(true);
        locationGroup_->addAction(a);
    }
    cacheBesidePicturesAction->setChecked(true);
    Item(
        file, QStringLiteral("保存サムネイルの削除(&D)"), [this] { DeleteCacheFolders(); },
        "DeleteCache");
    exitAction = Item(
        file, QStringLiteral("終了（&X）"), [this] { Quit(); }, "Quit");

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    // Shortcuts; the menus show them.
    Item(
        edit, QStringLiteral("全て選択(&A)"), [this] { SelectAllPictures(); }, "SelectAll")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    Item(
        edit, QStringLiteral("選択の反転(&R)"), [this] { InvertSelection(); }, "SelectReverse")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    Item(
        edit, QStringLiteral("全て非選択(&N)"), [this] { SelectNoPicture(); }, "SelectNone")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    Item(
        edit, QStringLiteral("ソート(&S)"), [this] { OpenSort(); }, "Sort");

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    Item(
        view, QStringLiteral("サムネイル形式(&T)"),
        [this] { pageTabs->setCurrentWidget(thumbnailTab); }, "Thumb");
    Item(
        view, QStringLiteral("表形式(&G)"), [this] { pageTabs->setCurrentWidget(tablePage); },
        "Grid");
    Item(
        view, QStringLiteral("項目設定(&S)"), [this] { OpenItemChoice(); }, "ChooseItems");
    Item(
        view, QStringLiteral("表項目設定(&I)"), [this] { OpenItemChoice(); }, "ChooseTableItems");
    Item(
        view, QStringLiteral("ｻﾑﾈｲﾙ表示属性(&D)"), [this] { OpenDisplaySettings(); },
        "DisplaySettings");
    smallPictureAction = Item(
        view, QStringLiteral("小画像表示(&G)"), [this] { SmallPictureToggled(); },
        "smallPictureAction");
    limitMakerNoteAction = Item(
        view, QStringLiteral("ﾒｰｶｰﾉｰﾄの出力を制限する"), [this] { MakerNoteLimitToggled(); },
        "limitMakerNoteAction");
    limitUserCommentAction = Item(
        view, QStringLiteral("ﾕｰｻﾞｰｺﾒﾝﾄの出力を制限する"), [this] { UserCommentLimitToggled(); },
        "limitUserCommentAction");
    // Qt toggles the check mark before the handler runs.
    for (QAction* a : {limitMakerNoteAction, limitUserCommentAction}) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    // Edited photos keep their EXIF block after a JFIF header.
    view->addSeparator();
    exifAfterJfifAction = Item(
        view, QStringLiteral("JFIF の後の Exif も読む"), [this] { ExifAfterJfifToggled(); },
        "exifAfterJfifAction");
    exifAfterJfifAction->setCheckable(true);
    deleteToTrashAction = Item(
        view, QStringLiteral("削除はごみ箱へ"), [] {}, "deleteToTrashAction");
    deleteToTrashAction->setCheckable(true);
    // The page is built again; the cache keeps the pictures as stored, turned when shown.
    uprightAction = Item(
        view, QStringLiteral("向きに合わせて表示"), [this] { model_.Requests().ShowPage(0); },
        "uprightAction");
    uprightAction->setCheckable(true);
    connect(uprightAction, &QAction::toggled, this, [this](bool on) { model_.SetUpright(on); });
    // The items of today's cameras: the catalogue grows, and the folder is read again for them.
    modernItemsAction = Item(
        view, QStringLiteral("新しい Exif 項目も使う"),
        [this] { model_.SetModernItems(modernItemsAction->isChecked()); }, "modernItemsAction");
    modernItemsAction->setCheckable(true);
    // Folders of many thousands of pictures: every one gets a row; the folder is read again.
    allPicturesAction = Item(
        view, QStringLiteral("2000枚を超えても読む"), [this] { UpdateTable(); },
        "allPicturesAction");
    allPicturesAction->setCheckable(true);
    // The check marks are the model's options: a toggle sets the option before its handler
    // reads the folder again.
    const std::pair<QAction*, bool FolderOptions::*> options[] = {
        {limitMakerNoteAction, &FolderOptions::cutMakerNote},
        {limitUserCommentAction, &FolderOptions::cutUserComment},
        {exifAfterJfifAction, &FolderOptions::exifAfterJfif},
        {deleteToTrashAction, &FolderOptions::deleteToTrash},
        {allPicturesAction, &FolderOptions::allPictures}};
    for (const auto& entry : options)
        connect(entry.first, &QAction::toggled, this, [this, option = entry.second](bool on) {
            FolderOptions o = model_.Options();
            o.*option = on;
            model_.SetOptions(o);
        });

    QMenu* photo = menuBar()->addMenu(QStringLiteral("フォト(&P)"));
    Item(
        photo, QStringLiteral("スライドショー(&S)"), [this] { StartSlideshow(); }, "SlideShow");
    Item(
        photo, QStringLiteral("隠す(&H)"), [this] { HideSelected(); }, "Hide2");
    Item(
        photo, QStringLiteral("再表示(&V)"), [this] { ShowHiddenAgain(); }, "V1");
    photo->addSeparator();
    Item(
        photo, QStringLiteral("フォルダを読み直す(&F)"),
        [this] {
            // Folders made or removed on disk since show in the folder list too.
            folderTree->SetFolder(model_.CurrentDir());
            UpdateTable();
        },
        "Reread")
        ->setShortcut(QKeySequence(Qt::Key_F5));
    Item(
        photo, QStringLiteral("削除(&D)"),
        [this] {
            popup_ = {}; // the table's current row
            DeletePopupPicture();
        },
        "DeleteCurrent")
        ->setShortcut(QKeySequence(Qt::Key_Delete));

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    Item(
        help, QStringLiteral("バージョン情報(&A)..."), [this] { OpenAbout(); }, "About");
}

} // namespace kamelune
