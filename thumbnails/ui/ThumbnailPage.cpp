#include "ThumbnailPage.h"

#include "catalogue/CacheNames.h"
#include "catalogue/FolderScan.h"
#include "catalogue/ItemCatalogue.h"
#include "catalogue/Selection.h"
#include "platform/Jpeg.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Shell.h"
#include "platform/qt/Widgets.h"
#include "thumbnails/PageLayout.h"
#include "thumbnails/Pkm.h"
#include "thumbnails/ThumbLoader.h"
#include "thumbnails/ThumbnailCache.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstring>
#include <optional>

namespace kamelune {

// A thumbnail of the page being built that is made by the page's jobs.
// A picture of the page being built: whether its thumbnail is being made, and once it is, what
// came of it.
struct PreparedThumb {
    bool queued = false;
    std::optional<ThumbnailOutcome> outcome;
};

namespace {

// A picture file as a pixmap drawn at its own size in device-independent pixels: on a screen
// with a higher pixel ratio its pixels are repeated, not blurred.
QPixmap ToPixmap(const RgbImage& picture, qreal dpr) {
    QImage image = ToQImage(picture);
    if (dpr > 1.0)
        image = image.scaled(qRound(image.width() * dpr), qRound(image.height() * dpr),
                             Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(dpr > 1.0 ? dpr : 1.0);
    return pixmap;
}

QPixmap LoadPixmap(const std::string& path, qreal dpr, JpegDecodeOptions options = {},
                   int orientation = 0) {
    const JpegDecodeResult r = DecodeJpegFile(path, options);
    return r.ok ? ToPixmap(Orient(r.image, orientation), dpr) : QPixmap();
}

QSize LogicalSize(const QPixmap& p) {
    return (QSizeF(p.size()) / p.devicePixelRatio()).toSize();
}

// The busy pointer for as long as a page is being built (the window still answers).
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

// The page's tool bar: settings, page, pictures a page, panes, sizes. The pane buttons go
// into their group.
QToolBar* BuildPageToolBar(ThumbnailControls& c, QButtonGroup* panes, QWidget* page) {
    c.thumbnailToolBar = new QToolBar(page);
    c.thumbnailToolBar->setObjectName(QStringLiteral("thumbnailToolBar"));
    c.displayButton = MakeToolButton(c.thumbnailToolBar, "displayButton", QStringLiteral("属性"),
                                     QStringLiteral("サムネイル表示属性の設定"));
    c.itemsButton = MakeToolButton(c.thumbnailToolBar, "itemsButton", QStringLiteral("項目"),
                                   QStringLiteral("表示項目の設定"));
    c.thumbnailToolBar->addSeparator();
    c.pageCombo = new QComboBox(c.thumbnailToolBar);
    c.pageCombo->setObjectName(QStringLiteral("pageCombo"));
    c.pageCombo->setMinimumContentsLength(3);
    c.thumbnailToolBar->addWidget(c.pageCombo);
    c.pageLabel = new QLabel(QStringLiteral("/0"), c.thumbnailToolBar);
    c.pageLabel->setObjectName(QStringLiteral("pageLabel"));
    c.pageLabel->setMinimumWidth(36);
    c.thumbnailToolBar->addWidget(c.pageLabel);
    c.thumbnailToolBar->addSeparator();
    c.perPageCombo = new QComboBox(c.thumbnailToolBar);
    c.perPageCombo->setObjectName(QStringLiteral("perPageCombo"));
    c.perPageCombo->addItems({"4", "6", "9", "12", "16", "20", "24", "30"});
    c.thumbnailToolBar->addWidget(c.perPageCombo);
    c.perPageLabel = new QLabel(QStringLiteral("x2画/ﾍﾟｰｼﾞ"), c.thumbnailToolBar);
    c.perPageLabel->setObjectName(QStringLiteral("perPageLabel"));
    c.thumbnailToolBar->addWidget(c.perPageLabel);
    c.thumbnailToolBar->addSeparator();
    c.picturesOnlyButton =
        MakeToolButton(c.thumbnailToolBar, "picturesOnlyButton", QStringLiteral("画像"),
                       QStringLiteral("画像のみ（Exif0項目）"));
    c.fourItemsButton = MakeToolButton(c.thumbnailToolBar, "fourItemsButton",
                                       QStringLiteral("４項目"), QStringLiteral("Exif４項目"));
    c.allItemsButton = MakeToolButton(c.thumbnailToolBar, "allItemsButton",
                                      QStringLiteral("全項目"), QStringLiteral("Exif全項目"));
    int pane = 1;
    for (QToolButton* b : {c.picturesOnlyButton, c.fourItemsButton, c.allItemsButton}) {
        b->setCheckable(true);
        panes->addButton(b, pane++);
    }
    panes->setExclusive(true);
    c.picturesOnlyButton->setChecked(true);
    c.sizeCheck = new QCheckBox(QStringLiteral("ｻｲｽﾞを表示"), c.thumbnailToolBar);
    c.sizeCheck->setObjectName(QStringLiteral("sizeCheck"));
    c.sizeCheck->setChecked(true);
    c.thumbnailToolBar->addWidget(c.sizeCheck);
    c.htmlTableButton =
        MakeToolButton(c.thumbnailToolBar, "htmlTableButton", QStringLiteral("HTML2"), QString());
    return c.thumbnailToolBar;
}

// The scroll area whose content holds the panels.
QScrollArea* BuildPanelScroll(ThumbnailControls& c, QWidget* page) {
    c.panelScroll = new QScrollArea(page);
    c.panelScroll->setObjectName(QStringLiteral("panelScroll"));
    c.pageWidget = new QWidget;
    c.pageWidget->setObjectName(QStringLiteral("pageWidget"));
    c.pageWidget->setAutoFillBackground(true);
    QPalette pagePalette = c.pageWidget->palette();
    pagePalette.setColor(QPalette::Window, Bgr(kPageBackground));
    c.pageWidget->setPalette(pagePalette);
    c.panelScroll->setWidget(c.pageWidget);
    c.panelScroll->setWidgetResizable(false);
    c.panelScroll->setPalette(pagePalette);
    return c.panelScroll;
}

// Where a panel sits on its page and what it shows.
struct PanelPlace {
    int position; // 0-based, on the whole table
    int picturesPerPage;
    Pane pane;
    int lines; // caption lines
};

// A panel's labels: its number, selection number and file name, and its caption lines.
void SetPanelLabels(PanelRecord& rec, const FolderModel& model, const DisplayAttributes& a,
                    const PanelPlace& place, const std::string& fileName) {
    const int f = a.FontHeight();
    const std::string selNo(model.View().Cell(1, rec.exifRow));
    rec.selected = !selNo.empty();
    // Header line.
    rec.selectionNumberLabel = {QString::fromStdString(selNo),
                                {3, 102, 0, 12},
                                Bgr(a.selectionNumberColor),
                                Bgr(0xFFFFFF),
                                true,
                                true,
                                10,
                                rec.selected};
    rec.selectionNumberLabel.rect.width =
        ThumbPanel::TextWidth(rec.selectionNumberLabel.text, 10, true);
    const QString no = QString::fromStdString(NoLabelText(
        place.position, place.picturesPerPage, std::string(model.View().Cell(0, rec.exifRow))));
    const int noWidth = ThumbPanel::TextWidth(no, 12, true);
    rec.numberLabel = {no, {2, 2, noWidth, 12}, Bgr(a.numberColor), {}, true, true, 12, true};
    rec.fileNameLabel = {QString::fromStdString(fileName),
                         {noWidth + 6, 2, place.pane == Pane::Pictures ? 140 : 90, 16},
                         Bgr(a.fileNameColor),
                         Bgr(0x0000FF),
                         true,
                         false,
                         12,
                         true};

    // Caption lines.
    const bool exif = IsExifRow(model.Base(), rec.pictNo);
    if (!a.emphasisNames.empty()) {
        for (int k = 0; k < place.lines; ++k) {
            const CaptionLook look = CaptionLookFor(a.Emphasised(k), a.transparent, a.textColor,
                                                    a.textBackColor, a.emphasisColor);
            rec.captionLines[k] = {
                QString::fromStdString(
                    LabelCaption(k, model.ChosenItems(), model.Items(), model.Base(), rec.pictNo)),
                CaptionRect(k, f),
                Bgr(look.text),
                Bgr(look.background),
                look.transparent,
                false,
                f,
                exif};
        }
    }
}

} // namespace

struct ThumbnailPage::Build {
    int number = 0; // results of the loader carry it: one of another build is not used
    int columns = 1;
    std::vector<std::string> names;
    std::vector<PreparedThumb> prepared;
    std::size_t next = 0; // the next panel to build
    QRect extent;
    BusyCursor busy;
};

ThumbnailPage::ThumbnailPage(FolderModel& model, DialogService& dialogs, QWidget* parent)
    : QWidget(parent), model_(model), dialogs_(dialogs) {
    setObjectName(QStringLiteral("thumbnailTab"));
    auto* pageLayout = new QVBoxLayout(this);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    auto* panes = new QButtonGroup(this);
    pageLayout->addWidget(BuildPageToolBar(*this, panes, this));
    // The label and the model follow the pane however it was pressed (the settings press it at
    // start-up).
    connect(panes, &QButtonGroup::idToggled, this, [this](int id, bool down) {
        if (down) model_.SetPane(id);
        perPageLabel->setText(allItemsButton->isChecked() ? QStringLiteral("  画/ﾍﾟｰｼﾞ")
                                                          : QStringLiteral("x2画/ﾍﾟｰｼﾞ"));
    });
    pageLayout->addWidget(BuildPanelScroll(*this, this), 1);
    panelScroll->viewport()->installEventFilter(this);
    panelScroll->setFocusPolicy(Qt::StrongFocus); // the pictures by keyboard
    panelScroll->installEventFilter(this);
    Reset();

    connect(pageCombo, &QComboBox::activated, this, [this] { PageChosen(); });
    connect(perPageCombo, &QComboBox::activated, this, [this] { PerPageChosen(); });
    for (QToolButton* b : {picturesOnlyButton, fourItemsButton, allItemsButton})
        connect(b, &QToolButton::clicked, this, [this] { PaneClicked(); });
    connect(sizeCheck, &QCheckBox::clicked, this, [this] { SizeToggled(); });
    connect(displayButton, &QToolButton::clicked, this, &ThumbnailPage::displayRequested);
    connect(itemsButton, &QToolButton::clicked, this, &ThumbnailPage::itemsRequested);
    connect(htmlTableButton, &QToolButton::clicked, this, &ThumbnailPage::htmlTableRequested);

    connect(&model_, &FolderModel::folderOpened, this, [this] { Reset(); });
    // While the folder is read the tables are empty: no panel points at them.
    connect(&model_.Reader(), &FolderReader::readStarted, this, [this] {
        DropBuild();
        pageBuilt_ = false;
        ClearPanels();
        pageWidget->resize(0, 0);
        htmlTableButton->setEnabled(false);
    });
    for (auto signal : {&FolderReader::readFinished, &FolderReader::readStopped})
        connect(&model_.Reader(), signal, this, [this] { htmlTableButton->setEnabled(true); });
    connect(&model_.Requests(), &ViewRequests::pageWanted, this,
            [this](int page) { BuildPage(page > 0 ? page : PageInBox()); });
    connect(&model_, &FolderModel::paneChanged, this, [this](int n) {
        (n == 3 ? allItemsButton : n == 2 ? fourItemsButton : picturesOnlyButton)->setChecked(true);
    });
    // Select all and reverse on a page with no panels build it; every panel shows its cell.
    connect(&model_, &FolderModel::selectionChanged, this, [this] {
        if (!OnScreen()) return;
        if (pagePanels_.empty() && !Building()) BuildPage(PageInBox());
        RefreshPanelsFromTable(); // panels still to come read their cells when built
    });
}

ThumbnailPage::~ThumbnailPage() {
    DropBuild();
    loader_.reset();
    ClearPanels();
}

void ThumbnailPage::Reset() {
    DropBuild();
    currentPage_ = 1;
    firstOnPage_ = lastOnPage_ = pageCount_ = 0;
    pageBuilt_ = false;
    picturesPerPage_ = 16;
    perPageCombo->setCurrentIndex(4);
    pageCombo->clear();
    pageCombo->addItem(QStringLiteral("1"));
    pageCombo->setCurrentIndex(0);
}

// The page is built only while its tab is the one shown (the window itself may be hidden).
bool ThumbnailPage::OnScreen() const {
    return window() != this && isVisibleTo(window());
}

PictureTarget ThumbnailPage::Target(const PanelRecord& rec) {
    QString text = rec.fileNameLabel.text + QStringLiteral("\r\n");
    for (const PanelLabel& line : rec.captionLines)
        text += line.text + QStringLiteral("\r\n");
    text += rec.sizeLabel.text + QStringLiteral("\r\n");
    return {rec.pictNo, rec.exifRow, text};
}

void ThumbnailPage::SetPageBox(int current, int count) {
    pageCombo->clear();
    for (int i = 1; i <= count; ++i)
        pageCombo->addItem(QString::number(i));
    pageCombo->setCurrentIndex(current - 1);
}

void ThumbnailPage::PageChosen() {
    const int page = PageInBox();
    BuildPage(page);
    currentPage_ = page;
}

void ThumbnailPage::PanelClicked(PanelRecord& rec) {
    if (model_.Reader().Reading()) return; // the panels of a folder still being read are replaced
    model_.ChangeSelection([&rec](SelectionTables& t) {
        TogglePicture(t, rec.pictNo, rec.exifRow);
        return true;
    });
}

void ThumbnailPage::RefreshPanelsFromTable() {
    const DisplayAttributes a = model_.Display();
    for (const auto& rec : pagePanels_) {
        const std::string cell(model_.View().Cell(1, rec->exifRow));
        rec->selected = !cell.empty();
        rec->selectionNumberLabel.text = QString::fromStdString(cell);
        rec->selectionNumberLabel.rect.width =
            ThumbPanel::TextWidth(rec->selectionNumberLabel.text, 10, true);
        rec->selectionNumberLabel.visible = rec->selected;
        rec->panel->SetColor(Bgr(rec->selected ? a.selectedColor : a.panelColor));
    }
}

Pane ThumbnailPage::CurrentPane() const {
    return allItemsButton->isChecked()    ? Pane::AllItems
           : fourItemsButton->isChecked() ? Pane::FourItems
                                          : Pane::Pictures;
}

int ThumbnailPage::PageInBox() const {
    return std::max(1, pageCombo->currentText().toInt());
}

void ThumbnailPage::ClearPanels() {
    while (!pagePanels_.empty()) {
        delete pagePanels_.back()->panel;
        pagePanels_.pop_back();
    }
}

void ThumbnailPage::BuildPage(int page) {
    DropBuild(); // a page still being built is dropped with its jobs not started
    if (!model_.Started() || !OnScreen() || model_.View().RowCount() < 1) return;
    pageBuilt_ = false;
    cacheProblem_.clear();
    ClearPanels();
    panelScroll->horizontalScrollBar()->setValue(0);
    panelScroll->verticalScrollBar()->setValue(0);
    pageWidget->resize(0, 0); // a page with no panels has nothing to scroll
    const int rows = model_.View().RowCount() - 1;
    if (model_.FileCount() <= 0 || rows < 1 ||
        (model_.Options().exifOnly && model_.ExifCount() < 1)) {
        // Nothing to show: no page to choose either.
        pageCount_ = 0;
        pageCombo->clear();
        pageLabel->setText(QStringLiteral("/0"));
        return;
    }
    picturesPerPage_ = PicturesPerPage(perPageCombo->currentText().toInt(), CurrentPane());
    // The counts of a folder still being read are those of its first rows: not shown.
    if (!model_.Reader().Reading())
        emit countsShown(QStringLiteral("%1/%2").arg(model_.ExifCount()).arg(model_.FileCount()));
    const PageBounds bounds = ComputePage(page, rows, picturesPerPage_);
    pageCount_ = bounds.count;
    pageLabel->setText(QStringLiteral("/%1").arg(pageCount_));
    firstOnPage_ = bounds.first;
    lastOnPage_ = bounds.last;
    SetPageBox(bounds.page, pageCount_);

    // Thumbnails not in the cache yet are made by the loader's workers; each one done calls the
    // page back, which builds the panels that can be built, in page order.
    const std::string cache = model_.Places().CacheFolderOfCurrent();
    const int count = lastOnPage_ - firstOnPage_ + 1;
    auto build = std::make_unique<Build>();
    build->number = ++builds_;
    build->columns = ColumnsThatFit(panelScroll->width());
    build->names.resize(static_cast<std::size_t>(count));
    build->prepared.resize(static_cast<std::size_t>(count));
    std::vector<ThumbLoader::Job> work;
    std::vector<std::size_t> places;
    for (int k = 0; k < count; ++k) {
        const int n = ItemNumber(model_.View().Cell(0, firstOnPage_ + k + 1));
        std::string& name = build->names[k];
        name = model_.Base().Cell(kNameCol, n);
        if (name.empty()) continue;
        // Whatever the cache lacks, a size file included, is made by the workers.
        if (std::optional<ThumbnailOutcome> cached = CachedThumbnail(cache, name)) {
            build->prepared[k].outcome = std::move(cached);
            continue;
        }
        build->prepared[k].queued = true;
        places.push_back(static_cast<std::size_t>(k));
        work.push_back({cache, model_.Places().CurrentDir(), name,
                        std::string(model_.Base().Cell(kSizeCol, n)), model_.Reader().Delay()});
    }
    const int threads = thumbnailThreads_ > 0 ? thumbnailThreads_ : ThumbLoader::DefaultThreads();
    if (!loader_ || loader_->Threads() != threads) loader_ = std::make_unique<ThumbLoader>(threads);
    loader_->Submit(build->number, std::move(work),
                    [this, places](int number, std::size_t k, ThumbnailOutcome outcome) {
                        auto made = std::make_shared<ThumbnailOutcome>(std::move(outcome));
                        QMetaObject::invokeMethod(
                            this,
                            [this, number, place = places[k], made] {
                                if (!build_ || build_->number != number) return; // a late one
                                build_->prepared[place].outcome = std::move(*made);
                                ContinueBuild();
                            },
                            Qt::QueuedConnection);
                    });
    pageAttributes_ = model_.Display();
    build_ = std::move(build);
    ContinueBuild();
}

int ThumbnailPage::ThumbnailsBeingMade() const {
    return loader_ ? loader_->Working() : 0;
}

void ThumbnailPage::DropBuild() {
    if (build_ && loader_) loader_->Cancel(build_->number);
    build_.reset();
}

void ThumbnailPage::ContinueBuild() {
    // A message shown while a panel is built runs the event loop, in which another build may
    // start: that one goes on when the message is answered.
    if (continuing_) {
        continueAgain_ = true;
        return;
    }
    continuing_ = true;
    do {
        continueAgain_ = false;
        if (!build_) break;
        const int number = build_->number;
        const auto current = [this, number] { return build_ && build_->number == number; };
        while (current() && build_->next < build_->names.size()) {
            Build& b = *build_;
            PreparedThumb& prepared = b.prepared[b.next];
            if (prepared.queued && !prepared.outcome) break; // it will call back
            const int i = firstOnPage_ + static_cast<int>(b.next);
            const std::string name = b.names[b.next];
            std::optional<ThumbnailOutcome> made = std::move(prepared.outcome);
            ++b.next;
            emit status(QStringLiteral("MakePictList: PictNo=%1").arg(i + 1));
            if (AddPanel(i, b.columns, name, made ? &*made : nullptr) && current()) {
                build_->extent |= pagePanels_.back()->panel->geometry();
                pageWidget->resize(build_->extent.right() + 5, build_->extent.bottom() + 5);
            }
        }
        if (current() && build_->next >= build_->names.size()) FinishBuild();
    } while (continueAgain_);
    continuing_ = false;
}

void ThumbnailPage::FinishBuild() {
    build_.reset();
    pageBuilt_ = true;
    emit built();
    if (panelScroll->hasFocus()) SetCurrentPanel(0);
    if (!cacheProblem_.empty())
        dialogs_.ShowCheckMessage(QStringLiteral("サムネイルをキャッシュに保存できませんでした。"
                                                 "このページは保存せずに表示しています。\n") +
                                  QString::fromStdString(cacheProblem_));
}

bool ThumbnailPage::AddPanel(int i, int columns, const std::string& fileName,
                             ThumbnailOutcome* made) {
    const DisplayAttributes& a = pageAttributes_;
    const int f = a.FontHeight();
    const Pane pane = CurrentPane();
    const int lines = CaptionLineCount(pane, static_cast<int>(model_.ChosenItems().size()));
    auto owned = std::make_unique<PanelRecord>();
    PanelRecord& rec = *owned;
    try {
        rec.exifRow = i + 1;
        rec.pictNo = ItemNumber(model_.View().Cell(0, rec.exifRow));
        const int n = rec.pictNo;
        SetPanelLabels(rec, model_, a, {i, picturesPerPage_, pane, lines}, fileName);
        const bool exif = IsExifRow(model_.Base(), n);

        // Thumbnail: from the cache, or made by the page's workers.
        const qreal dpr = devicePixelRatioF();
        // Never made here: a panel without an outcome has no picture to show.
        ThumbnailOutcome thumb;
        if (made) thumb = std::move(*made);
        QString sizeText;
        if (thumb.ok) {
            rec.image = thumb.inMemory
                            ? ToPixmap(Orient(thumb.picture, model_.UprightOrientation(n)), dpr)
                            : LoadPixmap(thumb.thumbPath, dpr, {}, model_.UprightOrientation(n));
            if (thumb.sizeLines.size() >= 3) {
                model_.SetPictureSizes(n, thumb.sizeLines);
                sizeText = QString::fromStdString(SizeText(thumb.sizeLines));
            }
            // A cache that could not take it: shown from memory, said once per page.
            if (thumb.inMemory && cacheProblem_.empty()) cacheProblem_ = thumb.error;
        } else {
            const int number = build_ ? build_->number : 0;
            dialogs_.ShowCheckMessage(
                QStringLiteral("MakeThumbJpeg:サムネイル作成にエラーがおこりました"));
            // Another page (or folder) may have come while the message was up: this panel is
            // not of it.
            if ((build_ ? build_->number : 0) != number) return false;
            rec.image = LoadPixmap(model_.Places().ThumbDir() + "/peke.jpg", dpr);
        }
        rec.sizeLabel = {sizeText,
                         {4, SizeLabelTop(exif, f, lines), 90, 13},
                         Bgr(kSizeLabelColor),
                         {},
                         true,
                         false,
                         12,
                         sizeCheck->isChecked()};
        if (!rec.image.isNull()) {
            const QSize s = LogicalSize(rec.image);
            rec.imageRect = ImageRect(s.width(), s.height());
        }

        const Rect r = PanelRect(i % picturesPerPage_, columns, f, lines);
        rec.panel = new ThumbPanel(rec, pageWidget);
        rec.panel->setObjectName(QStringLiteral("MyPanel%1").arg(i));
        rec.panel->setGeometry(r.left, r.top, r.width, r.height);
        rec.panel->SetColor(Bgr(rec.selected ? a.selectedColor : a.panelColor));
        rec.panel->onClick = [this](PanelRecord& p) { PanelClicked(p); };
        rec.panel->onDoubleClick = [this](PanelRecord& p) { PanelDoubleClicked(p); };
        rec.panel->onContextMenu = [this](PanelRecord& p, const QPoint& at) {
            emit panelMenuRequested(Target(p), at);
        };
    } catch (const std::bad_alloc&) {
        delete rec.panel;
        dialogs_.ShowCheckMessage(
            QStringLiteral("リソースが不足しています。表示画像数を減らしてください。"));
        return false;
    }
    pagePanels_.push_back(std::move(owned));
    rec.panel->show();
    if (panelBuilt_) panelBuilt_(i);
    return true;
}

void ThumbnailPage::ArrangePanels() {
    if (!pageBuilt_ || pagePanels_.empty()) return;
    const int columns = ColumnsThatFit(panelScroll->width());
    panelScroll->horizontalScrollBar()->setValue(0);
    panelScroll->verticalScrollBar()->setValue(0);
    QRect extent;
    for (std::size_t k = 0; k < pagePanels_.size(); ++k) {
        ThumbPanel* panel = pagePanels_[k]->panel;
        const int row = static_cast<int>(k) / columns;
        const int col = static_cast<int>(k) % columns;
        panel->move(kPanelPitch * col + 4, (panel->height() + 4) * row + 2);
        extent |= panel->geometry();
    }
    pageWidget->resize(extent.right() + 5, extent.bottom() + 5);
}

void ThumbnailPage::PanelDoubleClicked(PanelRecord& rec) {
    const std::string path =
        JoinPath(model_.Places().CurrentDir(), rec.fileNameLabel.text.toStdString());
    if (const FileResult r = OpenDocument(QString::fromStdString(path)); !r)
        dialogs_.ShowCheckMessage(QString::fromStdString(r.error));
}

void ThumbnailPage::PerPageChosen() {
    BuildPage(PageInBox());
}

void ThumbnailPage::PaneClicked() {
    BuildPage(PageInBox());
}

void ThumbnailPage::SizeToggled() {
    BuildPage(PageInBox());
}

void ThumbnailPage::SetCurrentPanel(int k) {
    if (pagePanels_.empty()) return;
    if (k >= 0) k = std::clamp(k, 0, static_cast<int>(pagePanels_.size()) - 1);
    for (std::size_t i = 0; i < pagePanels_.size(); ++i) {
        PanelRecord& rec = *pagePanels_[i];
        if (rec.current == (static_cast<int>(i) == k)) continue;
        rec.current = static_cast<int>(i) == k;
        rec.panel->update();
    }
    if (k >= 0) panelScroll->ensureWidgetVisible(pagePanels_[static_cast<std::size_t>(k)]->panel);
}

bool ThumbnailPage::ThumbnailKey(int key) {
    int current = 0;
    for (std::size_t i = 0; i < pagePanels_.size(); ++i)
        if (pagePanels_[i]->current) current = static_cast<int>(i);
    const int columns = ColumnsThatFit(panelScroll->width());
    switch (key) {
    case Qt::Key_Left:
        SetCurrentPanel(current - 1);
        return true;
    case Qt::Key_Right:
        SetCurrentPanel(current + 1);
        return true;
    case Qt::Key_Up:
        SetCurrentPanel(current - columns);
        return true;
    case Qt::Key_Down:
        SetCurrentPanel(current + columns);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const int page = PageInBox() + (key == Qt::Key_PageDown ? 1 : -1);
        if (page < 1 || page > pageCount_) return true;
        pageCombo->setCurrentIndex(page - 1);
        PageChosen();
        SetCurrentPanel(0);
        return true;
    }
    case Qt::Key_Space:
        if (!pagePanels_.empty()) PanelClicked(*pagePanels_[static_cast<std::size_t>(current)]);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!pagePanels_.empty()) emit slideshowRequested(Target(*pagePanels_[current]));
        return true;
    default:
        return false;
    }
}

bool ThumbnailPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panelScroll) {
        // The frame shows while the pictures have the keyboard.
        if (event->type() == QEvent::FocusIn) SetCurrentPanel(0);
        if (event->type() == QEvent::FocusOut) SetCurrentPanel(-1);
        if (event->type() == QEvent::KeyPress)
            return ThumbnailKey(static_cast<QKeyEvent*>(event)->key());
    }
    if (watched == panelScroll->viewport() && event->type() == QEvent::Resize) ArrangeOnResize();
    return QWidget::eventFilter(watched, event);
}

} // namespace kamelune
