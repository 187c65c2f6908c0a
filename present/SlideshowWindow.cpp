#include "SlideshowWindow.h"
#include "platform/qt/Widgets.h"

#include "catalogue/BaseTable.h"
#include "catalogue/FolderModel.h"
#include "catalogue/ItemCatalogue.h"
#include "platform/Jpeg.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Widgets.h"
#include "present/SlideLayout.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <cstring>
#include <functional>

namespace kamelune {
namespace {

// The look of one caption line.
void Style(QLabel* l, int pixels, std::uint32_t color, std::uint32_t back, bool transparent,
           bool underline) {
    QFont f = l->font();
    f.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                   QStringLiteral("Noto Sans CJK JP")});
    f.setPixelSize(pixels);
    f.setBold(true);
    f.setUnderline(underline);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Bgr(color));
    p.setColor(QPalette::Window, Bgr(back));
    l->setPalette(p);
    l->setAutoFillBackground(!transparent);
    l->adjustSize();
}

} // namespace

SlideshowWindow::SlideshowWindow(FolderModel& model, DialogService& dialogs)
    : model_(model), dialogs_(dialogs) {
    setObjectName(QStringLiteral("FormSlideshow"));
    setWindowTitle(QStringLiteral("スライドショー"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(false);
    resize(559, 440);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    // The style draws tool bars in its own colours; a style sheet is what it honours.
    bar->setStyleSheet(QStringLiteral("QToolBar#ToolBar1 { background: rgb(189, 189, 223); }"));
    SpeedBtnExif = MakeToolButton(bar, "SpeedBtnExif", QStringLiteral("Exif"),
                                  QStringLiteral("スライドショーの表示設定"), false);
    PanelBackColor = new ColorSwatch("PanelBackColor", dialogs_, bar);
    PanelBackColor->setToolTip(QStringLiteral("背景色"));
    PanelBackColor->SetColor(0x800000); // navy
    bar->addWidget(PanelBackColor);
    auto check = [&](const char* name, const QString& text, const QString& hint, bool on) {
        auto* c = new QCheckBox(text, bar);
        c->setObjectName(QString::fromLatin1(name));
        c->setToolTip(hint);
        c->setChecked(on);
        bar->addWidget(c);
        return c;
    };
    ChkBoxFit = check("ChkBoxFit", QStringLiteral("枠Fit"),
                      QStringLiteral("枠に画像をフィットする"), false);
    ChkBoxAspect =
        check("ChkBoxAspect", QStringLiteral("Aspc"), QStringLiteral("アスペクトを維持"), false);
    ChkBoxAuto = check("ChkBoxAuto", QStringLiteral("自動Fit"),
                       QStringLiteral("画像を自動的にフィットする"), true);
    SpeedBtnJump =
        MakeToolButton(bar, "SpeedBtnJump", QStringLiteral("↷"), QStringLiteral("ジャンプ"), true);
    SpinEditJump = new QSpinBox(bar);
    SpinEditJump->setObjectName(QStringLiteral("SpinEditJump"));
    SpinEditJump->setToolTip(QStringLiteral("ジャンプするページをセット"));
    SpinEditJump->setRange(1, 100);
    bar->addWidget(SpinEditJump);
    SpeedBtn1st = MakeToolButton(bar, "SpeedBtn1st", QStringLiteral("|◀"),
                                 QStringLiteral("先頭の画像"), false);
    SpeedBtnPrev =
        MakeToolButton(bar, "SpeedBtnPrev", QStringLiteral("◀"), QStringLiteral("Previous"), true);
    SpeedBtnReverse = MakeToolButton(bar, "SpeedBtnReverse", QStringLiteral("◁"),
                                     QStringLiteral("逆転再生"), true);
    SpeedBtnStop =
        MakeToolButton(bar, "SpeedBtnStop", QStringLiteral("■"), QStringLiteral("停止"), true);
    SpeedBtnPlay =
        MakeToolButton(bar, "SpeedBtnPlay", QStringLiteral("▷"), QStringLiteral("再生"), true);
    SpeedBtnNext =
        MakeToolButton(bar, "SpeedBtnNext", QStringLiteral("▶"), QStringLiteral("Next"), true);
    SpeedBtnLast = MakeToolButton(bar, "SpeedBtnLast", QStringLiteral("▶|"),
                                  QStringLiteral("最後の画像"), true);
    SpinEditInterval = new QSpinBox(bar);
    SpinEditInterval->setObjectName(QStringLiteral("SpinEditInterval"));
    SpinEditInterval->setToolTip(QStringLiteral("表示間隔（秒）"));
    SpinEditInterval->setRange(0, 100);
    SpinEditInterval->setValue(2);
    bar->addWidget(SpinEditInterval);
    layout->addWidget(bar);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    auto* canvas = new QWidget;
    canvas->setAutoFillBackground(true);
    ScrollBox1->setWidget(canvas);
    ScrollBox1->setWidgetResizable(false);
    PanelSS = new QWidget(canvas);
    PanelSS->setObjectName(QStringLiteral("PanelSS"));
    PanelSS->setAutoFillBackground(true);
    ImageSS = new ImageView(PanelSS);
    ImageSS->setObjectName(QStringLiteral("ImageSS"));
    LabelFName = new QLabel(PanelSS);
    LabelFName->setObjectName(QStringLiteral("LabelFName"));
    LabelFName->move(14, 16);
    Style(LabelFName, 19, 0xFF0000, 0xFFFFFF, true, true);
    LabelFName->hide();
    const int tops[] = {52, 83, 113, 144, 174, 205, 235, 266, 296};
    for (int i = 0; i < 9; ++i) {
        Labels[i] = new QLabel(PanelSS);
        Labels[i]->setObjectName(QStringLiteral("Label0%1").arg(i + 1));
        Labels[i]->move(14, tops[i]);
        Style(Labels[i], 19, 0xFF0000, 0xFFFFFF, true, false);
    }
    ScrollBox1->viewport()->installEventFilter(this);
    layout->addWidget(ScrollBox1, 1);
    SetBackground(0x400040);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    StatusPanel0 = new QLabel(status);
    StatusPanel1 = new QLabel(status);
    StatusPanel2 = new QLabel(status);
    StatusPanel0->setFixedWidth(100);
    StatusPanel1->setMinimumWidth(320);
    StatusPanel2->setFixedWidth(60);
    status->addWidget(StatusPanel0);
    status->addWidget(StatusPanel1, 1);
    status->addWidget(StatusPanel2);
    layout->addWidget(status);

    captionSettings_ = std::make_unique<CaptionSettingsDialog>(dialogs_);
    connect(captionSettings_.get(), &CaptionSettingsDialog::styleChanged, this,
            &SlideshowWindow::ApplyCaptionStyle);
    connect(captionSettings_.get(), &CaptionSettingsDialog::applied, this, [this] { SetLabels(); });
    captionSettings_->setAttribute(Qt::WA_QuitOnClose, false);
    // A decode done: the newest picture asked for meanwhile, else this one, goes on screen.
    connect(&slideWatcher_, &QFutureWatcher<ShownSlide>::finished, this, [this] {
        ShownSlide shown = slideWatcher_.future().takeResult();
        loading_ = false;
        if (std::exchange(dropLoad_, false) && !pendingRequest_) return;
        if (pendingRequest_) {
            const SlideRequest next = *std::exchange(pendingRequest_, std::nullopt);
            StartLoad(next);
            return;
        }
        Display(loadingRequest_, shown.slide, std::move(shown.image));
    });
    // A show over a folder read again would show pictures that are not there any more: it ends,
    // and says so.
    connect(&model_, &FolderModel::readStarted, this, [this] {
        Timer1.stop();
        pendingRequest_.reset();
        dropLoad_ = loading_;
        *slideCancel_ = true;
        if (!isVisible()) return;
        close();
        model_.Tell(QStringLiteral("フォルダが読み直されたので、スライドショーを閉じました"));
    });
    // A picture picked in the table is shown while the show is open.
    connect(&model_.Requests(), &ViewRequests::pictureClicked, this, [this](int pictNo) {
        if (isVisible()) SimpleShow(pictNo);
    });
    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(SpeedBtnExif, &QToolButton::clicked, this, [this] { captionSettings_->exec(); });
    connect(SpeedBtn1st, &QToolButton::clicked, this, [this] { SpeedBtn1stClick(); });
    connect(SpeedBtnPrev, &QToolButton::clicked, this, [this] { SpeedBtnPrevClick(); });
    connect(SpeedBtnNext, &QToolButton::clicked, this, [this] { SpeedBtnNextClick(); });
    connect(SpeedBtnLast, &QToolButton::clicked, this, [this] { SpeedBtnLastClick(); });
    connect(SpeedBtnJump, &QToolButton::clicked, this, [this] { SpeedBtnJumpClick(); });
    connect(SpeedBtnPlay, &QToolButton::clicked, this, [this] { BtnStartClick(); });
    connect(SpeedBtnReverse, &QToolButton::clicked, this, [this] { SpeedBtnReverseClick(); });
    connect(SpeedBtnStop, &QToolButton::clicked, this, [this] { BtnStopClick(); });
    // The player group: at most one down, all may be up.
    const std::array<QToolButton*, 7> group = {SpeedBtnJump, SpeedBtnPrev, SpeedBtnReverse,
                                               SpeedBtnStop, SpeedBtnPlay, SpeedBtnNext,
                                               SpeedBtnLast};
    for (QToolButton* b : group)
        connect(b, &QToolButton::toggled, this, [b, group](bool down) {
            if (down)
                for (QToolButton* other : group)
                    if (other != b) other->setChecked(false);
        });
    connect(SpinEditInterval, &QSpinBox::valueChanged, this, [this] { SpinEditIntervalChange(); });
    connect(SpinEditJump, &QSpinBox::valueChanged, this, [this] { SpinEditJumpChange(); });
    connect(ChkBoxFit, &QCheckBox::clicked, this, [this] { ChkBoxFitClick(); });
    connect(ChkBoxAuto, &QCheckBox::clicked, this, [this] { ChkBoxAutoClick(); });
    connect(ChkBoxAspect, &QCheckBox::clicked, this, [this] { ChkBoxAspectClick(); });
    PanelBackColor->onChanged = [this] { SetBackground(PanelBackColor->Color()); };

    // Arrow keys, Home/End and Space move through the show as users expect of a picture viewer.
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {Qt::Key_Left, [this] { SpeedBtnPrevClick(); }},
        {Qt::Key_Right, [this] { SpeedBtnNextClick(); }},
        {Qt::Key_Home, [this] { SpeedBtn1stClick(); }},
        {Qt::Key_End, [this] { SpeedBtnLastClick(); }},
        {Qt::Key_Space, [this] { PlayOrStop(); }},
        {Qt::Key_F11, [this] { isFullScreen() ? showNormal() : showFullScreen(); }},
    };
    for (const auto& [key, action] : keys)
        connect(new QShortcut(key, this), &QShortcut::activated, this, action);
}

void SlideshowWindow::SetBackground(std::uint32_t bgr) {
    for (QWidget* w : {static_cast<QWidget*>(ScrollBox1->widget()), PanelSS}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, Bgr(bgr));
        w->setPalette(p);
    }
    QPalette p = ScrollBox1->palette();
    p.setColor(QPalette::Window, Bgr(bgr));
    ScrollBox1->setPalette(p);
}

void SlideshowWindow::FormCreate() {
    slidePosition = 0;
    Timer1.stop();
    Timer1.setInterval(1000);
    LabelFName->clear();
    for (QLabel* l : Labels)
        l->clear();
}

void SlideshowWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Init();
}

void SlideshowWindow::PlayOrStop() {
    if (Timer1.isActive()) {
        BtnStopClick();
        SpeedBtnStop->setChecked(true);
    } else {
        SpeedBtnPlay->setChecked(true);
        BtnStartClick();
    }
}

void SlideshowWindow::keyPressEvent(QKeyEvent* event) {
    // Escape leaves full screen first, then closes.
    if (event->key() == Qt::Key_Escape && isFullScreen()) {
        showNormal();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SlideshowWindow::done(int result) {
    Timer1.stop();
    SpeedBtnStop->setChecked(true);
    QDialog::done(result);
}

void SlideshowWindow::StartTimer() {
    // An interval of 0 when the show opened means no stepping until the value changes.
    if (Timer1.interval() > 0) Timer1.start();
}

bool SlideshowWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ScrollBox1->viewport() && event->type() == QEvent::Resize && isVisible() &&
        ListLength() > 0)
        ShowPicture(PictureAt(slidePosition));
    return QDialog::eventFilter(watched, event);
}

int SlideshowWindow::ListLength() const {
    return tag_ == 0 ? static_cast<int>(model_.Selected().size()) : model_.View().RowCount() - 1;
}

int SlideshowWindow::PictureAt(int pos) const {
    if (tag_ == 0) {
        const auto& list = model_.Selected();
        return pos >= 0 && pos < static_cast<int>(list.size()) ? list[pos] : 0;
    }
    return ItemNumber(model_.View().Cell(0, pos + 1));
}

void SlideshowWindow::UpdateCounter() {
    StatusPanel0->setText(QStringLiteral("%1/%2").arg(slidePosition + 1).arg(ListLength()));
}

void SlideshowWindow::Init() {
    StatusPanel0->setFixedWidth(120);
    StatusPanel2->setFixedWidth(120);
    Timer1.stop();
    int picture = 0;
    const int currentRow = std::max(1, startRow_);
    if (tag_ == 0) {
        slidePosition = 0;
        StatusPanel0->setText(QStringLiteral("1/%1").arg(ListLength()));
        picture = PictureAt(0);
    } else {
        StatusPanel0->setText(QStringLiteral("%1/%2").arg(currentRow).arg(ListLength()));
        picture = tag_;
    }
    StatusPanel1->setText(QString::fromStdString(model_.Base().Cell(kNameCol, picture)));
    if (picture > 0) DispShow(tag_ == 0 ? 0 : currentRow - 1, picture, false);
    // Wider than the list, so that a typed number above it can be taken and made its length.
    SpinEditJump->setRange(1, std::max(kJumpLimit, ListLength()));
    slidePosition = tag_ == 0 ? 0 : currentRow - 1;
    Timer1.setInterval(IntervalOnShow(SpinEditInterval->value()));
    SpinEditJump->setValue(1);
    SetLabels();
}

void SlideshowWindow::SetLabels() {
    for (QLabel* l : Labels)
        l->hide();
    if (!captionStyle_.shown) return;
    const int n = std::min<int>(9, static_cast<int>(model_.ChosenItems().size()));
    for (int i = 0; i < n; ++i)
        Labels[i]->show();
}

void SlideshowWindow::DispExif(int pictNo) {
    const auto& items = model_.ChosenItems();
    if (items.empty()) return;
    const StringGrid& base = model_.Base();
    LabelFName->setText(QString::fromStdString(base.Cell(kNameCol, pictNo)));
    LabelFName->adjustSize();
    const bool exif = IsExifRow(base, pictNo);
    for (std::size_t i = 0; i < items.size() && i < 9; ++i) {
        const int item = items[i];
        const std::string& heading = model_.Items().Cell(2, item);
        std::string text = heading + (heading.empty() ? "" : ": ") + base.Cell(item + 1, pictNo);
        text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
        Labels[i]->setText(exif ? QString::fromStdString(text) : QString());
        Labels[i]->adjustSize();
    }
}

void SlideshowWindow::DispShow(int pos, int pictNo, bool mirror) {
    if (mirror && tag_ != 0) model_.Requests().ShowInSmallPicture(pos + 1);
    ShowPicture(pictNo);
}

void SlideshowWindow::SimpleShow(int pictNo) {
    ShowPicture(pictNo);
}

void SlideshowWindow::ShowPicture(int pictNo) {
    Timer1.stop();
    SlideRequest request;
    request.pictNo = pictNo;
    request.name = model_.Base().Cell(kNameCol, pictNo);
    request.path = JoinPath(model_.CurrentDir(), request.name);
    const QSize client = ScrollBox1->viewport()->size();
    const QSize outer = ScrollBox1->size();
    request.view = {ChkBoxAuto->isChecked(),
                    ChkBoxFit->isChecked(),
                    ChkBoxAspect->isChecked(),
                    client.width(),
                    client.height(),
                    outer.width(),
                    outer.height(),
                    model_.UprightOrientation(pictNo)};
    if (loading_) {
        pendingRequest_ = std::move(request);
        return;
    }
    StartLoad(request);
}

void SlideshowWindow::StartLoad(const SlideRequest& request) {
    loadingRequest_ = request;
    if (request.name.empty()) {
        Display(request, LoadSlide({}, request.view), {});
        return;
    }
    loading_ = true;
    slideCancel_ = std::make_shared<std::atomic<bool>>(false);
    slideWatcher_.setFuture(
        QtConcurrent::run([path = request.path, view = request.view, cancel = slideCancel_] {
            Slide slide = LoadSlide(path, view, cancel.get());
            QImage image = ToQImage(std::move(slide.image));
            return ShownSlide{std::move(slide), std::move(image)};
        }));
}

void SlideshowWindow::Display(const SlideRequest& request, const Slide& slide, QImage image) {
    const int pictNo = request.pictNo;
    DispExif(pictNo);
    const bool fixedActual = !request.view.autoFit && !request.view.fit;
    // Fit modes stop at a picture that cannot be loaded.
    if (!slide.decoded && !fixedActual) return;
    const SlideRect& r = slide.rect;
    const int W = slide.W, H = slide.H;
    ImageSS->SetImage(slide.decoded ? std::move(image) : QImage());
    QWidget* canvas = ScrollBox1->widget();
    const Qt::ScrollBarPolicy policy = r.scroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    ScrollBox1->setHorizontalScrollBarPolicy(policy);
    ScrollBox1->setVerticalScrollBarPolicy(policy);
    const QSize shown = ScrollBox1->viewport()->size();
    canvas->resize(std::max(shown.width(), r.left + r.width),
                   std::max(shown.height(), r.top + r.height));
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
    PanelSS->setGeometry(r.left, r.top, r.width, r.height);
    ImageSS->setGeometry(0, 0, r.width, r.height);
    ImageSS->lower();
    PanelSS->show();
    StatusPanel2->setText(QStringLiteral("Size:%1x%2").arg(W).arg(H));
    StatusPanel1->setText(QStringLiteral("%1] ").arg(pictNo) +
                          QString::fromStdString(request.name));
    if (SpeedBtnPlay->isChecked() || SpeedBtnReverse->isChecked()) StartTimer();
    emit pictureShown();
}

void SlideshowWindow::Timer1Timer() {
    if (tag_ == 0 && model_.Selected().empty()) {
        Timer1.stop();
        dialogs_.ShowCheckMessage(QStringLiteral("選択されたファイルがありません"));
        return;
    }
    if (tag_ != 0 && ListLength() < 1) {
        Timer1.stop();
        dialogs_.ShowCheckMessage(QStringLiteral("ファイルがありません"));
        return;
    }
    if (SpeedBtnPlay->isChecked())
        slidePosition = StepForward(slidePosition, ListLength());
    else if (SpeedBtnReverse->isChecked())
        slidePosition = StepBackward(slidePosition, ListLength());
    if (tag_ != 0) model_.Requests().SelectTableRow(slidePosition + 1);
    UpdateCounter();
    DispShow(slidePosition, PictureAt(slidePosition));
}

void SlideshowWindow::Navigate(int newPos, bool moveTableRow) {
    Timer1.stop();
    for (QToolButton* b : {SpeedBtnPlay, SpeedBtnReverse, SpeedBtnStop, SpeedBtnNext, SpeedBtnPrev,
                           SpeedBtn1st, SpeedBtnLast})
        b->setChecked(false);
    // A play list that became empty while the window was open: nothing to show.
    if (ListLength() < 1) return;
    slidePosition = std::clamp(newPos, 0, ListLength() - 1);
    if (moveTableRow && tag_ != 0) model_.Requests().SelectTableRow(slidePosition + 1);
    UpdateCounter();
    DispShow(slidePosition, PictureAt(slidePosition));
    Timer1.stop();
}

void SlideshowWindow::SpeedBtn1stClick() {
    Navigate(0, false);
}
void SlideshowWindow::SpeedBtnPrevClick() {
    Navigate(StepBackward(slidePosition, ListLength()), true);
}
void SlideshowWindow::SpeedBtnNextClick() {
    Navigate(StepForward(slidePosition, ListLength()), false);
}
void SlideshowWindow::SpeedBtnLastClick() {
    Navigate(ListLength() - 1, false);
}

void SlideshowWindow::SpeedBtnJumpClick() {
    SpeedBtnJump->setChecked(false);
    Navigate(SpinEditJump->value() - 1, false);
}

void SlideshowWindow::BtnStartClick() {
    if (SpeedBtnPlay->isChecked())
        StartTimer();
    else
        Timer1.stop();
}

void SlideshowWindow::SpeedBtnReverseClick() {
    if (SpeedBtnReverse->isChecked())
        StartTimer();
    else
        Timer1.stop();
}

void SlideshowWindow::BtnStopClick() {
    Timer1.stop();
    SpeedBtnPlay->setChecked(false);
}

void SlideshowWindow::SpinEditIntervalChange() {
    Timer1.setInterval(IntervalOnChange(SpinEditInterval->value()));
}

void SlideshowWindow::SpinEditJumpChange() {
    const int length = std::max(1, ListLength());
    const int v = SpinEditJump->value();
    if (v < 1 || v > length) SpinEditJump->setValue(std::clamp(v, 1, length));
}

void SlideshowWindow::ChkBoxFitClick() {
    if (ChkBoxFit->isChecked()) {
        ChkBoxAuto->setChecked(false);
        ChkBoxAutoClick();
    }
}

void SlideshowWindow::ChkBoxAutoClick() {
    if (ChkBoxAuto->isChecked()) ChkBoxFit->setChecked(false);
    if (ListLength() > 0) ShowPicture(PictureAt(slidePosition));
}

void SlideshowWindow::ChkBoxAspectClick() {
    ChkBoxAuto->setChecked(!ChkBoxFit->isChecked());
    if (ListLength() > 0) ShowPicture(PictureAt(slidePosition));
}

SlideshowWindow::~SlideshowWindow() {
    *slideCancel_ = true; // the program does not wait for a large picture at its end
}

void SlideshowWindow::Open(const QString& title, int tag, int currentRow, bool restart) {
    if (restart && isVisible()) close();
    setWindowTitle(title);
    tag_ = tag;
    startRow_ = currentRow;
    show();
}

CaptionSettingsDialog::CaptionSettingsDialog(DialogService& dialogs) {
    setObjectName(QStringLiteral("FormSetSlideShow"));
    setWindowTitle(QStringLiteral("SlideShowの設定"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowStaysOnTopHint);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(231, 231, 250));
    setPalette(p);
    resize(135, 239);
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Exif表示"), this);
    auto* form = new QFormLayout(group);
    ChkBoxHyoji = new QCheckBox(QStringLiteral("表示する"), group);
    ChkBoxHyoji->setObjectName(QStringLiteral("ChkBoxHyoji"));
    ChkBoxHyoji->setChecked(true);
    form->addRow(ChkBoxHyoji);
    SpinEditMojiSize = new QSpinBox(group);
    SpinEditMojiSize->setObjectName(QStringLiteral("SpinEditMojiSize"));
    SpinEditMojiSize->setRange(10, 40);
    SpinEditMojiSize->setValue(12);
    form->addRow(QStringLiteral("文字大"), SpinEditMojiSize);
    PanelMojiColor = new ColorSwatch("PanelMojiColor", dialogs, group);
    PanelMojiColor->setToolTip(QStringLiteral("文字色"));
    PanelMojiColor->SetColor(0xFF0000);
    form->addRow(QStringLiteral("文字色"), PanelMojiColor);
    PanelMojiBackColor = new ColorSwatch("PanelMojiBackColor", dialogs, group);
    PanelMojiBackColor->setToolTip(QStringLiteral("文字背景色"));
    PanelMojiBackColor->SetColor(0xFFFFFF);
    form->addRow(QStringLiteral("背景色"), PanelMojiBackColor);
    ChkBoxToka = new QCheckBox(QStringLiteral("透過"), group);
    ChkBoxToka->setObjectName(QStringLiteral("ChkBoxToka"));
    ChkBoxToka->setChecked(true);
    form->addRow(ChkBoxToka);
    layout->addWidget(group);
    SpeedBtnPKomoku = new QToolButton(this);
    SpeedBtnPKomoku->setObjectName(QStringLiteral("SpeedBtnPKomoku"));
    SpeedBtnPKomoku->setText(QStringLiteral("表示項目"));
    SpeedBtnOK = new QToolButton(this);
    SpeedBtnOK->setObjectName(QStringLiteral("SpeedBtnOK"));
    SpeedBtnOK->setText(QStringLiteral("OK"));
    SpeedBtnOK->setToolTip(QStringLiteral("選択を適用する"));
    layout->addWidget(SpeedBtnPKomoku);
    layout->addWidget(SpeedBtnOK);
    connect(ChkBoxHyoji, &QCheckBox::clicked, this, [this] { CaptionsToggled(); });
    connect(SpinEditMojiSize, &QSpinBox::valueChanged, this, [this] { SpinEditMojiSizeChange(); });
    connect(ChkBoxToka, &QCheckBox::clicked, this, [this] { TransparencyToggled(); });
    connect(SpeedBtnPKomoku, &QToolButton::clicked, this, &CaptionSettingsDialog::itemsRequested);
    connect(SpeedBtnOK, &QToolButton::clicked, this, [this] { SpeedBtnOKClick(); });
    for (ColorSwatch* s : {PanelMojiColor, PanelMojiBackColor})
        s->onChanged = [this] { ApplyColors(); };
}

CaptionStyle CaptionSettingsDialog::Style() const {
    return {ChkBoxHyoji->isChecked(), SpinEditMojiSize->value(), PanelMojiColor->Color(),
            PanelMojiBackColor->Color(), ChkBoxToka->isChecked()};
}

void CaptionSettingsDialog::CaptionsToggled() {
    emit styleChanged(Style(), CaptionAspect::Shown);
}

void CaptionSettingsDialog::SpinEditMojiSizeChange() {
    emit styleChanged(Style(), CaptionAspect::Size);
}

void CaptionSettingsDialog::ApplyColors() {
    emit styleChanged(Style(), CaptionAspect::Colors);
}

void CaptionSettingsDialog::TransparencyToggled() {
    emit styleChanged(Style(), CaptionAspect::Transparency);
}

void CaptionSettingsDialog::SpeedBtnOKClick() {
    emit applied();
    close();
}

void SlideshowWindow::ApplyCaptionStyle(const CaptionStyle& style, CaptionAspect aspect) {
    captionStyle_ = style;
    std::vector<QLabel*> lines{LabelFName};
    lines.insert(lines.end(), Labels.begin(), Labels.end());
    switch (aspect) {
    case CaptionAspect::Shown:
        for (QLabel* l : lines)
            l->setVisible(style.shown);
        break;
    case CaptionAspect::Size: {
        QLabel* previous = nullptr;
        for (QLabel* l : lines) {
            QFont f = l->font();
            f.setPixelSize(style.size);
            l->setFont(f);
            l->adjustSize();
            l->setFixedHeight(style.size);
            if (previous) l->move(l->x(), previous->y() + previous->height() + 5);
            previous = l;
        }
        break;
    }
    case CaptionAspect::Colors:
        for (QLabel* l : lines) {
            QPalette p = l->palette();
            p.setColor(QPalette::WindowText, Bgr(style.text));
            p.setColor(QPalette::Window, Bgr(style.back));
            l->setPalette(p);
        }
        break;
    case CaptionAspect::Transparency:
        for (QLabel* l : lines)
            l->setAutoFillBackground(!style.transparent);
        break;
    }
}

} // namespace kamelune
