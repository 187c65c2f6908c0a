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
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("ミルノのExif解析 Kamelune Ver. 0.8C"));
    setAcceptDrops(true);
    // The window colour silver; the controls on it take it up as their parent's colour.
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(silver);

    auto* central = new QWidget(this);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Horizontal, central);
    centralLayout->addWidget(Splitter1);
    setCentralWidget(central);

    // Left column: drive, folder tree, file type.
    Panel1 = new QWidget(Splitter1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* left = new QVBoxLayout(Panel1);
    left->setContentsMargins(2, 2, 2, 2);
    left->setSpacing(2);
    DriveComboBox1 = new QComboBox(Panel1);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    QStringList drives{QStringLiteral("/"), QDir::homePath()};
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid() && v.isReady() && v.device().startsWith("/dev/") &&
            !drives.contains(v.rootPath()))
            drives << v.rootPath();
    DriveComboBox1->addItems(drives);
    left->addWidget(DriveComboBox1);
    DirectoryListBox1 = new DirectoryListBox(Panel1);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    left->addWidget(DirectoryListBox1, 1);
    FilterComboBox1 = new QComboBox(Panel1);
    FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
    FilterComboBox1->addItem(QStringLiteral("JPG(*.jpg,*.jpeg)"), QStringLiteral("*.jpg;*.jpeg"));
    left->addWidget(FilterComboBox1);
    Panel1->resize(130, Panel1->height());

    // Right area: the common tool bar above the tabs.
    auto* right = new QWidget(Splitter1);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({130, 666});

    ToolBarCommon = new QToolBar(right);
    ToolBarCommon->setObjectName(QStringLiteral("ToolBarCommon"));
    ToolBarCommon->addWidget(new QLabel(QStringLiteral("Exif/JPG："), ToolBarCommon));
    LabelFigNo = new QLabel(QStringLiteral("0/0"), ToolBarCommon);
    LabelFigNo->setObjectName(QStringLiteral("LabelFigNo"));
    LabelFigNo->setMinimumWidth(60);
    ToolBarCommon->addWidget(LabelFigNo);
    ChkBoxExifOnly = new QCheckBox(QStringLiteral("Exifのみ"), ToolBarCommon);
    ChkBoxExifOnly->setObjectName(QStringLiteral("ChkBoxExifOnly"));
    ChkBoxExifOnly->setToolTip(QStringLiteral("Exifのみ表示する"));
    ToolBarCommon->addWidget(ChkBoxExifOnly);
    ToolBarCommon->addSeparator();
    SpeedBtnSort = MakeToolButton(ToolBarCommon, "SpeedBtnSort", QStringLiteral("⇅"),
                                  QStringLiteral("ソート"));
    SpeedBtnAll = MakeToolButton(ToolBarCommon, "SpeedBtnAll", QStringLiteral("全選"),
                                 QStringLiteral("全てを選択"));
    SpeedBtnReverse = MakeToolButton(ToolBarCommon, "SpeedBtnReverse", QStringLiteral("選反転"),
                                     QStringLiteral("選択の反転"));
    SpeedBtnNone = MakeToolButton(ToolBarCommon, "SpeedBtnNone", QStringLiteral("全非選"),
                                  QStringLiteral("全てを非選択"));
    SpeedBtnSlide = MakeToolButton(ToolBarCommon, "SpeedBtnSlide", QStringLiteral("▶"),
                                   QStringLiteral("スライドショー"));
    SpeedBtnHTML1 = MakeToolButton(ToolBarCommon, "SpeedBtnHTML1", QStringLiteral("HTML１"),
                                   QStringLiteral("HTML形式の出力"));
    SpeedBtnHide = MakeToolButton(ToolBarCommon, "SpeedBtnHide", QStringLiteral("隠す"),
                                  QStringLiteral("選択した画像を隠す"));
    SpeedBtnReshow = MakeToolButton(ToolBarCommon, "SpeedBtnReshow", QStringLiteral("再表示"),
                                    QStringLiteral("隠した画像を再表示する"));
    SpeedBtnRename = MakeToolButton(ToolBarCommon, "SpeedBtnRename", QStringLiteral("変換"),
                                    QStringLiteral("ファイル名の一括変換"));
    ToolBarCommon->actions().last()->setVisible(false);
    SpeedBtnDirKill = MakeToolButton(ToolBarCommon, "SpeedBtnDirKill", QString(),
                                     QStringLiteral("保存サムネイルの削除"));
    SpeedBtnDirKill->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    rightLayout->addWidget(ToolBarCommon);

    PageControl1 = new QTabWidget(right);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setTabPosition(QTabWidget::South);
    rightLayout->addWidget(PageControl1, 1);

    // Table tab.
    TabSheetTable = new TablePage(model_, dialogs_);
    PageControl1->addTab(TabSheetTable, QStringLiteral("Exif表"));

    // Base table tab, hidden.
    TabSheetBase = new QWidget;
    TabSheetBase->setObjectName(QStringLiteral("TabSheetBase"));
    auto* baseLayout = new QVBoxLayout(TabSheetBase);
    baseLayout->setContentsMargins(0, 0, 0, 0);
    StrGridBase = new GridView(TabSheetBase);
    StrGridBase->setObjectName(QStringLiteral("StrGridBase"));
    baseModel_ = new StringGridModel(model_.Base(), this);
    StrGridBase->setModel(baseModel_);
    baseLayout->addWidget(StrGridBase);
    PageControl1->addTab(TabSheetBase, QStringLiteral("BaseTable"));
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheetBase), false);

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));

    // The floating small picture of the table view.
    PanelImageS = new QFrame(this);
    PanelImageS->setObjectName(QStringLiteral("PanelImageS"));
    PanelImageS->setFrameShape(QFrame::Panel);
    PanelImageS->setFrameShadow(QFrame::Raised);
    ImageSmall = new QLabel(PanelImageS);
    ImageSmall->setObjectName(QStringLiteral("ImageSmall"));
    ImageSmall->setGeometry(1, 1, 96, 96);
    ImageSmall->setScaledContents(true);
    ImageSmall->setToolTip(QStringLiteral("ドラッグで移動、右クリックで原図(ｽﾗｲﾄﾞｼｮｰ)を表示"));
    ImageSmall->installEventFilter(this);
    PanelImageS->resize(104, 104);
    PanelImageS->setAutoFillBackground(true);
    QPalette smallPalette = PanelImageS->palette();
    smallPalette.setColor(QPalette::Window, Bgr(kTitleColor));
    PanelImageS->setPalette(smallPalette);
    PanelImageS->setFrameShadow(QFrame::Sunken);
    PanelImageS->hide();

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Item(
        PopupMenu1, QStringLiteral("Exifをコピー(&C)"), [this] { ExifC1Click(); }, "ExifC1");
    PopupMenu1->addSeparator();
    Item(
        PopupMenu1, QStringLiteral("スライドショー(&O)"), [this] { SlideshowFromHere(); },
        "PMenuGenzu");
    PopupMenu1->addSeparator();
    Item(
        PopupMenu1, QStringLiteral("名前変更(&N)"), [this] { MnChangeNameClick(); },
        "MnChangeName");
    PopupMenu1->addSeparator();
    Item(
        PopupMenu1, QStringLiteral("隠す(&H)"), [this] { Hide1Click(); }, "Hide1");
    PopupMenu1->addSeparator();
    Item(
        PopupMenu1, QStringLiteral("削除(&D)"), [this] { PopMnDeleteClick(); }, "PopMnDelete");
    // With today's items: the picture's GPS position on a map, when it has one.
    MnOpenMap = Item(
        PopupMenu1, QStringLiteral("地図で開く"),
        [this] {
            const std::string url = MapUrl(model_.Base(), PopupPicture());
            if (url.empty())
                dialogs_.ShowCheckMessage(QStringLiteral("この画像には GPS の位置がありません"));
            else if (const FileResult r = OpenWebAddress(QString::fromStdString(url)); !r)
                dialogs_.ShowCheckMessage(QString::fromStdString(r.error));
        },
        "MnOpenMap");
    MnOpenMap->setVisible(false);
    connect(PopupMenu1, &QMenu::aboutToShow, this,
            [this] { MnOpenMap->setEnabled(!MapUrl(model_.Base(), PopupPicture()).empty()); });

    BuildMenus();

    // Wiring.
    DirectoryListBox1->onChosen = [this](const std::string& folder) { SetCurrentDir(folder); };
    connect(DriveComboBox1, &QComboBox::activated, this, [this] { DriveComboBox1Change(); });
    connect(FilterComboBox1, &QComboBox::activated, this, [this] { FilterComboBox1Change(); });
    connect(ChkBoxExifOnly, &QCheckBox::toggled, this, [this](bool on) { model_.SetExifOnly(on); });
    connect(ChkBoxExifOnly, &QCheckBox::clicked, this, [this] { ChkBoxExifOnlyClick(); });
    // What the table tab asks.
    connect(TabSheetTable, &TablePage::smallPictureToggled, this, [this] { ChkBoxImageClick(); });
    connect(TabSheetTable, &TablePage::selectionClicked, this,
            [this](int row) { Selection(1, row); });
    connect(TabSheetTable, &TablePage::rowClicked, this, [this](int row) {
        DisplaySmallImage(row);
        model_.Requests().PictureClicked(ItemNumber(model_.View().Cell(0, row)));
    });
    connect(TabSheetTable, &TablePage::menuRequested, this, [this](const QPoint& at) {
        popup_ = {};
        PopupMenu1->popup(at);
    });
    connect(TabSheetTable, &TablePage::openRequested, this, [this] {
        popup_ = {};
        SlideshowFromHere();
    });
    connect(TabSheetTable, &TablePage::itemsRequested, this, [this] { OpenItemChoice(); });
    connect(TabSheetTable, &TablePage::html2Requested, this, [this] { BtnHTML2Click(); });
    connect(TabSheetTable, &TablePage::tabWideRequested, this, [this] { BtnTabYokoClick(); });
    connect(TabSheetTable, &TablePage::tabTallRequested, this, [this] { BtnTabTateClick(); });
    connect(PageControl1, &QTabWidget::tabBarClicked, this, [this](int index) {
        if (index != PageControl1->currentIndex()) {
            PageControl1->setCurrentIndex(index);
            PageControl1Change();
        }
    });
    connect(SpeedBtnDirKill, &QToolButton::clicked, this, [this] { MnKameluneDirDelClick(); });
    connect(SpeedBtnHide, &QToolButton::clicked, this, [this] { SpeedBtnHideClick(); });
    connect(SpeedBtnReshow, &QToolButton::clicked, this, [this] { SpeedBtnReshowClick(); });
    connect(SpeedBtnSort, &QToolButton::clicked, this, [this] { BtnSortClick(); });
    connect(SpeedBtnAll, &QToolButton::clicked, this, [this] { SelectAllClick(); });
    connect(SpeedBtnReverse, &QToolButton::clicked, this, [this] { SelectReverseClick(); });
    connect(SpeedBtnNone, &QToolButton::clicked, this, [this] { SelectNoneClick(); });
    connect(SpeedBtnSlide, &QToolButton::clicked, this, [this] { BtnSlideShowClick(); });
    connect(SpeedBtnHTML1, &QToolButton::clicked, this, [this] { BtnHtmlClick(); });
    connect(SpeedBtnRename, &QToolButton::clicked, this, [this] { SpeedBtnRenameClick(); });

    // What needs the folder's tables whole: off while a read runs.
    tableWidgets_ = {SpeedBtnSort,  SpeedBtnAll,  SpeedBtnReverse, SpeedBtnNone,  SpeedBtnSlide,
                     SpeedBtnHTML1, SpeedBtnHide, SpeedBtnReshow,  SpeedBtnRename};
    tableActions_ = PopupMenu1->actions();
    for (const char* name :
         {"MnRename", "OutHTML1", "OutHTML2", "TabYoko", "TabTate", "SelectAll", "SelectReverse",
          "SelectNone", "Sort", "SlideShow", "Hide2", "V1", "DeleteCurrent"})
        tableActions_ << findChild<QAction*>(QString::fromLatin1(name));
    tableActions_.removeAll(nullptr);
}

void MainWindow::SetThumbnailPage(QWidget* page) {
    TabSheetGazo = page;
    PageControl1->insertTab(0, page, QStringLiteral("サムネイル"));
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    Item(
        file, QStringLiteral("ファイル名の変換(&R)"), [this] { SpeedBtnRenameClick(); },
        "MnRename");
    Item(
        file, QStringLiteral("HTML出力1(&H)"), [this] { BtnHtmlClick(); }, "OutHTML1");
    Item(
        file, QStringLiteral("HTML出力２(&M)"), [this] { BtnHTML2Click(); }, "OutHTML2");
    Item(
        file, QStringLiteral("TAB区切り文横出力(&T)"), [this] { BtnTabYokoClick(); }, "TabYoko");
    Item(
        file, QStringLiteral("TAB区切り文縦(&V)"), [this] { BtnTabTateClick(); }, "TabTate");
    QMenu* location = file->addMenu(QStringLiteral("サムネイルの保存場所(&P)"));
    location->setObjectName(QStringLiteral("MnThumLocation"));
    locationGroup_ = new QActionGroup(this);
    MnThumbLocation = Item(
        location, QStringLiteral("Kameluneと同一Dir(&S)"), [this] { MnThumbLocationClick(); },
        "MnThumbLocation");
    MnOtherLocation = Item(
        location, QStringLiteral("他のDir...(&O)"), [this] { MnOtherLocationClick(); },
        "MnOtherLocation");
    for (QAction* a : {MnThumbLocation, MnOtherLocation}) {
        a->setCheckable(true);
        locationGroup_->addAction(a);
    }
    MnThumbLocation->setChecked(true);
    Item(
        file, QStringLiteral("保存サムネイルの削除(&D)"), [this] { MnKameluneDirDelClick(); },
        "MnKameluneDirDel");
    MnExit = Item(
        file, QStringLiteral("終了（&X）"), [this] { OwariClick(); }, "Owari");

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    // Shortcuts; the menus show them.
    Item(
        edit, QStringLiteral("全て選択(&A)"), [this] { SelectAllClick(); }, "SelectAll")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    Item(
        edit, QStringLiteral("選択の反転(&R)"), [this] { SelectReverseClick(); }, "SelectReverse")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    Item(
        edit, QStringLiteral("全て非選択(&N)"), [this] { SelectNoneClick(); }, "SelectNone")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    Item(
        edit, QStringLiteral("ソート(&S)"), [this] { BtnSortClick(); }, "Sort");

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    Item(
        view, QStringLiteral("サムネイル形式(&T)"),
        [this] { PageControl1->setCurrentWidget(TabSheetGazo); }, "Thumb");
    Item(
        view, QStringLiteral("表形式(&G)"),
        [this] { PageControl1->setCurrentWidget(TabSheetTable); }, "Grid");
    Item(
        view, QStringLiteral("項目設定(&S)"), [this] { OpenItemChoice(); }, "SetItemT");
    Item(
        view, QStringLiteral("表項目設定(&I)"), [this] { OpenItemChoice(); }, "SetItemG");
    Item(
        view, QStringLiteral("ｻﾑﾈｲﾙ表示属性(&D)"), [this] { OpenDisplaySettings(); }, "MnPHyoji");
    MnImage = Item(
        view, QStringLiteral("小画像表示(&G)"), [this] { ChkBoxImageClick(); }, "MnImage");
    LimitMakerNote = Item(
        view, QStringLiteral("ﾒｰｶｰﾉｰﾄの出力を制限する"), [this] { LimitMakerNoteClick(); },
        "LimitMakerNote");
    LimitUserCmnt = Item(
        view, QStringLiteral("ﾕｰｻﾞｰｺﾒﾝﾄの出力を制限する"), [this] { LimitUserCmntClick(); },
        "LimitUserCmnt");
    // Qt toggles the check mark before the handler runs.
    for (QAction* a : {LimitMakerNote, LimitUserCmnt}) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    // Edited photos keep their EXIF block after a JFIF header.
    view->addSeparator();
    MnExifAfterJfif = Item(
        view, QStringLiteral("JFIF の後の Exif も読む"), [this] { MnExifAfterJfifClick(); },
        "MnExifAfterJfif");
    MnExifAfterJfif->setCheckable(true);
    MnDeleteToTrash = Item(
        view, QStringLiteral("削除はごみ箱へ"), [] {}, "MnDeleteToTrash");
    MnDeleteToTrash->setCheckable(true);
    // The page is built again; the cache keeps the pictures as stored, turned when shown.
    MnUpright = Item(
        view, QStringLiteral("向きに合わせて表示"), [this] { model_.Requests().ShowPage(0); },
        "MnUpright");
    MnUpright->setCheckable(true);
    connect(MnUpright, &QAction::toggled, this, [this](bool on) { model_.SetUpright(on); });
    // The items of today's cameras: the catalogue grows, and the folder is read again for them.
    MnModernItems = Item(
        view, QStringLiteral("新しい Exif 項目も使う"),
        [this] { model_.SetModernItems(MnModernItems->isChecked()); }, "MnModernItems");
    MnModernItems->setCheckable(true);
    // Folders of many thousands of pictures: every one gets a row; the folder is read again.
    MnAllPictures = Item(
        view, QStringLiteral("2000枚を超えても読む"), [this] { UpdateTable(); }, "MnAllPictures");
    MnAllPictures->setCheckable(true);
    // The check marks are the model's options: a toggle sets the option before its handler
    // reads the folder again.
    const std::pair<QAction*, bool FolderOptions::*> options[] = {
        {LimitMakerNote, &FolderOptions::cutMakerNote},
        {LimitUserCmnt, &FolderOptions::cutUserComment},
        {MnExifAfterJfif, &FolderOptions::exifAfterJfif},
        {MnDeleteToTrash, &FolderOptions::deleteToTrash},
        {MnAllPictures, &FolderOptions::allPictures}};
    for (const auto& entry : options)
        connect(entry.first, &QAction::toggled, this, [this, option = entry.second](bool on) {
            FolderOptions o = model_.Options();
            o.*option = on;
            model_.SetOptions(o);
        });

    QMenu* photo = menuBar()->addMenu(QStringLiteral("フォト(&P)"));
    Item(
        photo, QStringLiteral("スライドショー(&S)"), [this] { BtnSlideShowClick(); }, "SlideShow");
    Item(
        photo, QStringLiteral("隠す(&H)"), [this] { SpeedBtnHideClick(); }, "Hide2");
    Item(
        photo, QStringLiteral("再表示(&V)"), [this] { SpeedBtnReshowClick(); }, "V1");
    photo->addSeparator();
    Item(
        photo, QStringLiteral("フォルダを読み直す(&F)"),
        [this] {
            // Folders made or removed on disk since show in the folder list too.
            DirectoryListBox1->SetFolder(model_.CurrentDir());
            UpdateTable();
        },
        "Reread")
        ->setShortcut(QKeySequence(Qt::Key_F5));
    Item(
        photo, QStringLiteral("削除(&D)"),
        [this] {
            popup_ = {}; // the table's current row
            PopMnDeleteClick();
        },
        "DeleteCurrent")
        ->setShortcut(QKeySequence(Qt::Key_Delete));

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    Item(
        help, QStringLiteral("バージョン情報(&A)..."), [this] { About1Click(); }, "About1");
}

} // namespace kamelune
