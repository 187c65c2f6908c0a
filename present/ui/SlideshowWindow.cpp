#include "SlideshowWindow.h"
#include "platform/qt/Widgets.h"

#include "catalogue/FolderScan.h"
#include "catalogue/ItemCatalogue.h"
#include "catalogue/ui/FolderModel.h"
#include "platform/Jpeg.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Widgets.h"
#include "present/SlideLayout.h"

#include <QCheckBox>
#include <QCloseEvent>
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

// The player's tool bar: captions, background, fitting, the player buttons and the interval.
QToolBar* BuildPlayerBar(SlideshowControls& c, DialogService& dialogs, QWidget* window) {
    auto* bar = new QToolBar(window);
    bar->setObjectName(QStringLiteral("slideshowToolBar"));
    // The style draws tool bars in its own colours; a style sheet is what it honours.
    bar->setStyleSheet(
        QStringLiteral("QToolBar#slideshowToolBar { background: rgb(189, 189, 223); }"));
    c.exifButton = MakeToolButton(bar, "exifButton", QStringLiteral("Exif"),
                                  QStringLiteral("スライドショーの表示設定"), false);
    c.backgroundSwatch = new ColorSwatch("backgroundSwatch", dialogs, bar);
    c.backgroundSwatch->setToolTip(QStringLiteral("背景色"));
    c.backgroundSwatch->SetColor(0x800000); // navy
    bar->addWidget(c.backgroundSwatch);
    auto check = [&](const char* name, const QString& text, const QString& hint, bool on) {
        auto* c = new QCheckBox(text, bar);
        c->setObjectName(QString::fromLatin1(name));
        c->setToolTip(hint);
        c->setChecked(on);
        bar->addWidget(c);
        return c;
    };
    c.fitCheck =
        check("fitCheck", QStringLiteral("枠Fit"), QStringLiteral("枠に画像をフィットする"), false);
    c.aspectCheck =
        check("aspectCheck", QStringLiteral("Aspc"), QStringLiteral("アスペクトを維持"), false);
    c.autoFitCheck = check("autoFitCheck", QStringLiteral("自動Fit"),
                           QStringLiteral("画像を自動的にフィットする"), true);
    c.jumpButton =
        MakeToolButton(bar, "jumpButton", QStringLiteral("↷"), QStringLiteral("ジャンプ"), true);
    c.jumpBox = new QSpinBox(bar);
    c.jumpBox->setObjectName(QStringLiteral("jumpBox"));
    c.jumpBox->setToolTip(QStringLiteral("ジャンプするページをセット"));
    c.jumpBox->setRange(1, 100);
    bar->addWidget(c.jumpBox);
    c.firstButton = MakeToolButton(bar, "firstButton", QStringLiteral("|◀"),
                                   QStringLiteral("先頭の画像"), false);
    c.previousButton = MakeToolButton(bar, "previousButton", QStringLiteral("◀"),
                                      QStringLiteral("Previous"), true);
    c.reverseButton =
        MakeToolButton(bar, "reverseButton", QStringLiteral("◁"), QStringLiteral("逆転再生"), true);
    c.stopButton =
        MakeToolButton(bar, "stopButton", QStringLiteral("■"), QStringLiteral("停止"), true);
    c.playButton =
        MakeToolButton(bar, "playButton", QStringLiteral("▷"), QStringLiteral("再生"), true);
    c.nextButton =
        MakeToolButton(bar, "nextButton", QStringLiteral("▶"), QStringLiteral("Next"), true);
    c.lastButton =
        MakeToolButton(bar, "lastButton", QStringLiteral("▶|"), QStringLiteral("最後の画像"), true);
    c.intervalBox = new QSpinBox(bar);
    c.intervalBox->setObjectName(QStringLiteral("intervalBox"));
    c.intervalBox->setToolTip(QStringLiteral("表示間隔（秒）"));
    c.intervalBox->setRange(0, 100);
    c.intervalBox->setValue(2);
    bar->addWidget(c.intervalBox);
    return bar;
}

// The picture and its caption lines, in a scroll area.
QScrollArea* BuildStage(SlideshowControls& c, QWidget* window) {
    c.pictureScroll = new QScrollArea(window);
    c.pictureScroll->setObjectName(QStringLiteral("pictureScroll"));
    auto* canvas = new QWidget;
    canvas->setAutoFillBackground(true);
    c.pictureScroll->setWidget(canvas);
    c.pictureScroll->setWidgetResizable(false);
    c.stage = new QWidget(canvas);
    c.stage->setObjectName(QStringLiteral("stage"));
    c.stage->setAutoFillBackground(true);
    c.pictureView = new ImageView(c.stage);
    c.pictureView->setObjectName(QStringLiteral("pictureView"));
    c.fileNameLabel = new QLabel(c.stage);
    c.fileNameLabel->setObjectName(QStringLiteral("fileNameLabel"));
    c.fileNameLabel->move(14, 16);
    Style(c.fileNameLabel, 19, 0xFF0000, 0xFFFFFF, true, true);
    c.fileNameLabel->hide();
    const int tops[] = {52, 83, 113, 144, 174, 205, 235, 266, 296};
    for (int i = 0; i < 9; ++i) {
        c.captionLabels[i] = new QLabel(c.stage);
        c.captionLabels[i]->setObjectName(QStringLiteral("CaptionLine%1").arg(i + 1));
        c.captionLabels[i]->move(14, tops[i]);
        Style(c.captionLabels[i], 19, 0xFF0000, 0xFFFFFF, true, false);
    }
    return c.pictureScroll;
}

// The status bar: position, name, size.
QStatusBar* BuildStatus(SlideshowControls& c, QWidget* window) {
    auto* status = new QStatusBar(window);
    status->setObjectName(QStringLiteral("statusBar"));
    c.counterStatus = new QLabel(status);
    c.nameStatus = new QLabel(status);
    c.sizeStatus = new QLabel(status);
    c.counterStatus->setFixedWidth(100);
    c.nameStatus->setMinimumWidth(320);
    c.sizeStatus->setFixedWidth(60);
    status->addWidget(c.counterStatus);
    status->addWidget(c.nameStatus, 1);
    status->addWidget(c.sizeStatus);
    return status;
}

} // namespace

SlideshowWindow::SlideshowWindow(FolderModel& model, DialogService& dialogs)
    : model_(model), dialogs_(dialogs) {
    setObjectName(QStringLiteral("slideshow"));
    setWindowTitle(QStringLiteral("スライドショー"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(false);
    resize(559, 440);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildPlayerBar(*this, dialogs_, this));
    layout->addWidget(BuildStage(*this, this), 1);
    pictureScroll->viewport()->installEventFilter(this);
    SetBackground(0x400040);
    layout->addWidget(BuildStatus(*this, this));

    captionSettings_ = std::make_unique<CaptionSettingsDialog>(dialogs_);
    connect(captionSettings_.get(), &CaptionSettingsDialog::styleChanged, this,
            &SlideshowWindow::ApplyCaptionStyle);
    connect(captionSettings_.get(), &CaptionSettingsDialog::applied, this,
            [this] { LayOutCaptions(); });
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
    connect(&model_.Reader(), &FolderReader::readStarted, this, [this] {
        advanceTimer.stop();
        pendingRequest_.reset();
        dropLoad_ = loading_;
        *slideCancel_ = true;
        if (!isVisible()) return;
        close();
        model_.Tell(QStringLiteral("フォルダが読み直されたので、スライドショーを閉じました"));
    });
    // A picture picked in the table is shown while the show is open.
    connect(&model_.Requests(), &ViewRequests::pictureClicked, this, [this](int pictNo) {
        if (isVisible()) ShowPictureNow(pictNo);
    });
    ConnectControls();
}

// The player's controls and keys.
void SlideshowWindow::ConnectControls() {
    advanceTimer.setInterval(1000);
    connect(&advanceTimer, &QTimer::timeout, this, [this] { AdvanceSlide(); });
    connect(exifButton, &QToolButton::clicked, this, [this] { captionSettings_->exec(); });
    connect(firstButton, &QToolButton::clicked, this, [this] { GoFirst(); });
    connect(previousButton, &QToolButton::clicked, this, [this] { GoPrevious(); });
    connect(nextButton, &QToolButton::clicked, this, [this] { GoNext(); });
    connect(lastButton, &QToolButton::clicked, this, [this] { GoLast(); });
    connect(jumpButton, &QToolButton::clicked, this, [this] { JumpNow(); });
    connect(playButton, &QToolButton::clicked, this, [this] { Play(); });
    connect(reverseButton, &QToolButton::clicked, this, [this] { PlayBackward(); });
    connect(stopButton, &QToolButton::clicked, this, [this] { Stop(); });
    // The player group: at most one down, all may be up.
    const std::array<QToolButton*, 7> group = {
        jumpButton, previousButton, reverseButton, stopButton, playButton, nextButton, lastButton};
    for (QToolButton* b : group)
        connect(b, &QToolButton::toggled, this, [b, group](bool down) {
            if (down)
                for (QToolButton* other : group)
                    if (other != b) other->setChecked(false);
        });
    connect(intervalBox, &QSpinBox::valueChanged, this,
            [this] { advanceTimer.setInterval(IntervalOnChange(intervalBox->value())); });
    // A number past the list is taken back to its ends.
    connect(jumpBox, &QSpinBox::valueChanged, this, [this] {
        const int length = std::max(1, ListLength());
        const int v = jumpBox->value();
        if (v < 1 || v > length) jumpBox->setValue(std::clamp(v, 1, length));
    });
    for (QCheckBox* check : {fitCheck, autoFitCheck, aspectCheck})
        connect(check, &QCheckBox::clicked, this, [this, check] { FitChecksClicked(check); });
    backgroundSwatch->onChanged = [this] { SetBackground(backgroundSwatch->Color()); };

    // Arrow keys, Home/End and Space move through the show as users expect of a picture viewer.
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {Qt::Key_Left, [this] { GoPrevious(); }},
        {Qt::Key_Right, [this] { GoNext(); }},
        {Qt::Key_Home, [this] { GoFirst(); }},
        {Qt::Key_End, [this] { GoLast(); }},
        {Qt::Key_Space, [this] { PlayOrStop(); }},
        {Qt::Key_F11, [this] { isFullScreen() ? showNormal() : showFullScreen(); }},
    };
    for (const auto& [key, action] : keys)
        connect(new QShortcut(key, this), &QShortcut::activated, this, action);
}

void SlideshowWindow::SetBackground(std::uint32_t bgr) {
    for (QWidget* w : {static_cast<QWidget*>(pictureScroll->widget()), stage}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, Bgr(bgr));
        w->setPalette(p);
    }
    QPalette p = pictureScroll->palette();
    p.setColor(QPalette::Window, Bgr(bgr));
    pictureScroll->setPalette(p);
}

void SlideshowWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    StartShow();
}

void SlideshowWindow::PlayOrStop() {
    if (advanceTimer.isActive()) {
        Stop();
        stopButton->setChecked(true);
    } else {
        playButton->setChecked(true);
        Play();
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
    advanceTimer.stop();
    stopButton->setChecked(true);
    QDialog::done(result);
}

void SlideshowWindow::StartTimer() {
    // An interval of 0 when the show opened means no stepping until the value changes.
    if (advanceTimer.interval() > 0) advanceTimer.start();
}

bool SlideshowWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pictureScroll->viewport() && event->type() == QEvent::Resize && isVisible() &&
        ListLength() > 0)
        ShowPicture(PictureAt(slidePosition_));
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
    counterStatus->setText(QStringLiteral("%1/%2").arg(slidePosition_ + 1).arg(ListLength()));
}

void SlideshowWindow::StartShow() {
    counterStatus->setFixedWidth(120);
    sizeStatus->setFixedWidth(120);
    advanceTimer.stop();
    int picture = 0;
    const int currentRow = std::max(1, startRow_);
    if (tag_ == 0) {
        slidePosition_ = 0;
        counterStatus->setText(QStringLiteral("1/%1").arg(ListLength()));
        picture = PictureAt(0);
    } else {
        counterStatus->setText(QStringLiteral("%1/%2").arg(currentRow).arg(ListLength()));
        picture = tag_;
    }
    nameStatus->setText(QString::fromStdString(std::string(model_.Base().Cell(kNameCol, picture))));
    if (picture > 0) ShowSlide(tag_ == 0 ? 0 : currentRow - 1, picture, false);
    // Wider than the list, so that a typed number above it can be taken and made its length.
    jumpBox->setRange(1, std::max(kJumpLimit, ListLength()));
    slidePosition_ = tag_ == 0 ? 0 : currentRow - 1;
    advanceTimer.setInterval(IntervalOnShow(intervalBox->value()));
    jumpBox->setValue(1);
    LayOutCaptions();
}

void SlideshowWindow::LayOutCaptions() {
    for (QLabel* l : captionLabels)
        l->hide();
    if (!captionStyle_.shown) return;
    const int n = std::min<int>(9, static_cast<int>(model_.ChosenItems().size()));
    for (int i = 0; i < n; ++i)
        captionLabels[i]->show();
}

void SlideshowWindow::ShowCaptions(int pictNo) {
    const auto& items = model_.ChosenItems();
    if (items.empty()) return;
    const StringGrid& base = model_.Base();
    fileNameLabel->setText(QString::fromStdString(std::string(base.Cell(kNameCol, pictNo))));
    fileNameLabel->adjustSize();
    const bool exif = IsExifRow(base, pictNo);
    for (std::size_t i = 0; i < items.size() && i < 9; ++i) {
        const int item = items[i];
        std::string text(model_.Items().Cell(2, item));
        if (!text.empty()) text += ": ";
        text += base.Cell(item + 1, pictNo);
        text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
        captionLabels[i]->setText(exif ? QString::fromStdString(text) : QString());
        captionLabels[i]->adjustSize();
    }
}

void SlideshowWindow::ShowSlide(int pos, int pictNo, bool mirror) {
    if (mirror && tag_ != 0) model_.Requests().ShowInSmallPicture(pos + 1);
    ShowPicture(pictNo);
}

void SlideshowWindow::ShowPictureNow(int pictNo) {
    ShowPicture(pictNo);
}

void SlideshowWindow::ShowPicture(int pictNo) {
    advanceTimer.stop();
    SlideRequest request;
    request.pictNo = pictNo;
    request.name = model_.Base().Cell(kNameCol, pictNo);
    request.path = JoinPath(model_.Places().CurrentDir(), request.name);
    const QSize client = pictureScroll->viewport()->size();
    const QSize outer = pictureScroll->size();
    request.view = {autoFitCheck->isChecked(),
                    fitCheck->isChecked(),
                    aspectCheck->isChecked(),
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
    ShowCaptions(pictNo);
    const bool fixedActual = !request.view.autoFit && !request.view.fit;
    // Fit modes stop at a picture that cannot be loaded.
    if (!slide.decoded && !fixedActual) return;
    const SlideRect& r = slide.rect;
    const int W = slide.W, H = slide.H;
    pictureView->SetImage(slide.decoded ? std::move(image) : QImage());
    QWidget* canvas = pictureScroll->widget();
    const Qt::ScrollBarPolicy policy = r.scroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    pictureScroll->setHorizontalScrollBarPolicy(policy);
    pictureScroll->setVerticalScrollBarPolicy(policy);
    const QSize shown = pictureScroll->viewport()->size();
    canvas->resize(std::max(shown.width(), r.left + r.width),
                   std::max(shown.height(), r.top + r.height));
    pictureScroll->horizontalScrollBar()->setValue(0);
    pictureScroll->verticalScrollBar()->setValue(0);
    stage->setGeometry(r.left, r.top, r.width, r.height);
    pictureView->setGeometry(0, 0, r.width, r.height);
    pictureView->lower();
    stage->show();
    sizeStatus->setText(QStringLiteral("Size:%1x%2").arg(W).arg(H));
    nameStatus->setText(QStringLiteral("%1] ").arg(pictNo) + QString::fromStdString(request.name));
    if (playButton->isChecked() || reverseButton->isChecked()) StartTimer();
    emit pictureShown();
}

void SlideshowWindow::AdvanceSlide() {
    if (tag_ == 0 && model_.Selected().empty()) {
        advanceTimer.stop();
        dialogs_.ShowCheckMessage(QStringLiteral("選択されたファイルがありません"));
        return;
    }
    if (tag_ != 0 && ListLength() < 1) {
        advanceTimer.stop();
        dialogs_.ShowCheckMessage(QStringLiteral("ファイルがありません"));
        return;
    }
    if (playButton->isChecked())
        slidePosition_ = StepForward(slidePosition_, ListLength());
    else if (reverseButton->isChecked())
        slidePosition_ = StepBackward(slidePosition_, ListLength());
    if (tag_ != 0) model_.Requests().SelectTableRow(slidePosition_ + 1);
    UpdateCounter();
    ShowSlide(slidePosition_, PictureAt(slidePosition_));
}

void SlideshowWindow::Navigate(int newPos, bool moveTableRow) {
    advanceTimer.stop();
    for (QToolButton* b : {playButton, reverseButton, stopButton, nextButton, previousButton,
                           firstButton, lastButton})
        b->setChecked(false);
    // A play list that became empty while the window was open: nothing to show.
    if (ListLength() < 1) return;
    slidePosition_ = std::clamp(newPos, 0, ListLength() - 1);
    if (moveTableRow && tag_ != 0) model_.Requests().SelectTableRow(slidePosition_ + 1);
    UpdateCounter();
    ShowSlide(slidePosition_, PictureAt(slidePosition_));
    advanceTimer.stop();
}

void SlideshowWindow::GoFirst() {
    Navigate(0, false);
}
void SlideshowWindow::GoPrevious() {
    Navigate(StepBackward(slidePosition_, ListLength()), true);
}
void SlideshowWindow::GoNext() {
    Navigate(StepForward(slidePosition_, ListLength()), false);
}
void SlideshowWindow::GoLast() {
    Navigate(ListLength() - 1, false);
}

void SlideshowWindow::JumpNow() {
    jumpButton->setChecked(false);
    Navigate(jumpBox->value() - 1, false);
}

void SlideshowWindow::Play() {
    if (playButton->isChecked())
        StartTimer();
    else
        advanceTimer.stop();
}

void SlideshowWindow::PlayBackward() {
    if (reverseButton->isChecked())
        StartTimer();
    else
        advanceTimer.stop();
}

void SlideshowWindow::Stop() {
    advanceTimer.stop();
    playButton->setChecked(false);
}

// 枠Fit, 自動Fit and Aspc: fitting to the window and fitting by itself exclude each other.
void SlideshowWindow::FitChecksClicked(const QCheckBox* clicked) {
    if (clicked == fitCheck) {
        if (!fitCheck->isChecked()) return;
        autoFitCheck->setChecked(false);
    } else if (clicked == aspectCheck) {
        autoFitCheck->setChecked(!fitCheck->isChecked());
    }
    if (autoFitCheck->isChecked()) fitCheck->setChecked(false);
    if (ListLength() > 0) ShowPicture(PictureAt(slidePosition_));
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

void SlideshowWindow::ApplyCaptionStyle(const CaptionStyle& style, CaptionAspect aspect) {
    captionStyle_ = style;
    std::vector<QLabel*> lines{fileNameLabel};
    lines.insert(lines.end(), captionLabels.begin(), captionLabels.end());
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
