// The thumbnail pages of the main window: building a page of panels from the tables and the
// cache, reflow, the small preview of the table tab.
#include "catalogue/Main.h"
#include "catalogue/SetKomoku.h"
#include "platform/Jpeg.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Job.h"
#include "platform/qt/Shell.h"
#include "platform/qt/Widgets.h"
#include "thumbnails/PageLayout.h"
#include "thumbnails/Pkm.h"
#include "thumbnails/ThumbJobs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <cstring>

namespace kamelune {

// A thumbnail of the page being built that is made by the page's jobs.
struct PreparedThumb {
    ThumbJobs* jobs = nullptr;
    std::size_t index = 0;
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

// The hourglass for as long as a page is being built.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

Pane TFormMain::CurrentPane() const {
    return SpeedBtnPane3->isChecked()   ? Pane::AllItems
           : SpeedBtnPane2->isChecked() ? Pane::FourItems
                                        : Pane::Pictures;
}

int TFormMain::CurrentPageBox() const {
    return std::max(1, CmbBoxPage->currentText().toInt());
}

void TFormMain::CleargPictList() {
    popupPict = nullptr;
    while (!gPictList.empty()) {
        delete gPictList.back()->Panel;
        gPictList.pop_back();
    }
}

void TFormMain::MakePagePicts(int page) {
    if (!model_.gListReady || PageControl1->currentWidget() != TabSheetGazo ||
        model_.gridExif.RowCount() < 1)
        return;
    gPageBuilt = false;
    cacheProblem_.clear();
    CleargPictList();
    ScrlBoxPictList->horizontalScrollBar()->setValue(0);
    ScrlBoxPictList->verticalScrollBar()->setValue(0);
    PictPage->resize(0, 0); // a page with no panels has nothing to scroll
    BusyCursor busy;
    const int rows = model_.gridExif.RowCount() - 1;
    if (std::min(model_.gFileCount, kMaxPictures) <= 0 || rows < 1) return;
    if (ChkBoxExifOnly->isChecked() && model_.gExifCount < 1) return;
    gPictsPerPage = PictsPerPage(CmbBoxFigNoPerPage->currentText().toInt(), CurrentPane());
    const int columns = SetNoHorz(ScrlBoxPictList->width());
    LabelFigNo->setText(QStringLiteral("%1/%2").arg(model_.gExifCount).arg(model_.gFileCount));
    const PageBounds bounds = ComputePage(page, rows, gPictsPerPage);
    gPageCount = bounds.count;
    LabelPageNo->setText(QStringLiteral("/%1").arg(gPageCount));
    gPageFirst = bounds.first;
    gPageLast = bounds.last;
    SetCBoxpage(bounds.page, gPageCount);

    // Thumbnails not in the cache yet are made on worker threads, in page order, while the panels
    // before them are built.
    if (MnThumbLocation->isChecked()) model_.gThumbDir = model_.DefaultCacheDir();
    const std::string cache = model_.CacheFolderOfCurrent();
    const int count = gPageLast - gPageFirst + 1;
    std::vector<PreparedThumb> prepared(static_cast<std::size_t>(count));
    std::vector<std::string> names(static_cast<std::size_t>(count));
    std::vector<ThumbJobs::Job> work;
    std::vector<bool> queued(static_cast<std::size_t>(count), false);
    for (int k = 0; k < count; ++k) {
        const int n = ItemNumber(model_.gridExif.Cell(0, gPageFirst + k + 1));
        names[k] = model_.gridBase.Cell(kNameCol, n);
        if (names[k].empty() || FileExists(cache + "/" + ThumbFileName(names[k]))) continue;
        queued[k] = true;
        prepared[k].index = work.size();
        work.push_back({cache, model_.currentDir, names[k], model_.gridBase.Cell(kSizeCol, n)});
    }
    ThumbJobs jobs(std::move(work),
                   thumbnailThreads > 0 ? thumbnailThreads : ThumbJobs::DefaultThreads());
    for (int k = 0; k < count; ++k)
        if (queued[k]) prepared[k].jobs = &jobs;
    pageAttributes_ = displayAttributes_();
    QRect extent;
    for (int k = 0; k < count; ++k) {
        const int i = gPageFirst + k;
        SetStatus(QStringLiteral("MakePictList: PictNo=%1").arg(i + 1));
        if (SubMakePictList(i, columns, names[k], &prepared[k]))
            extent |= gPictList.back()->Panel->geometry();
    }
    PictPage->resize(extent.right() + 5, extent.bottom() + 5);
    gPageBuilt = true;
    if (ScrlBoxPictList->hasFocus()) SetCurrentPanel(0);
    if (!cacheProblem_.empty())
        ShowCheckMessage(QStringLiteral("サムネイルをキャッシュに保存できませんでした。"
                                        "このページは保存せずに表示しています。\n") +
                         QString::fromStdString(cacheProblem_));
}

bool TFormMain::SubMakePictList(int i, int columns, const std::string& fileName,
                                PreparedThumb* prepared) {
    const DisplayAttributes& a = pageAttributes_;
    const int f = a.FontHeight();
    const Pane pane = CurrentPane();
    const int lines = CaptionLineCount(pane, static_cast<int>(model_.gItemList.size()));
    auto owned = std::make_unique<PictRec>();
    PictRec& rec = *owned;
    try {
        rec.ExifRow = i + 1;
        rec.PictNo = ItemNumber(model_.gridExif.Cell(0, rec.ExifRow));
        const int n = rec.PictNo;
        const std::string& selNo = model_.gridExif.Cell(1, rec.ExifRow);
        rec.Selected = !selNo.empty();

        // Header line.
        rec.SelNoLabel = {QString::fromStdString(selNo),
                          {3, 102, 0, 12},
                          Bgr(a.selNoColor),
                          Bgr(0xFFFFFF),
                          true,
                          true,
                          10,
                          rec.Selected};
        rec.SelNoLabel.rect.width = ThumbPanel::TextWidth(rec.SelNoLabel.text, 10, true);
        const QString no = QString::fromStdString(
            NoLabelText(i, gPictsPerPage, model_.gridExif.Cell(0, rec.ExifRow)));
        const int noWidth = ThumbPanel::TextWidth(no, 12, true);
        rec.NoLabel = {no, {2, 2, noWidth, 12}, Bgr(a.noColor), {}, true, true, 12, true};
        rec.FileNameLabel = {QString::fromStdString(fileName),
                             {noWidth + 6, 2, pane == Pane::Pictures ? 140 : 90, 16},
                             Bgr(a.fnameColor),
                             Bgr(0x0000FF),
                             true,
                             false,
                             12,
                             true};

        // Caption lines.
        const bool exif = IsExifRow(model_.gridBase, n);
        if (!a.kyochoNames.empty()) {
            for (int k = 0; k < lines; ++k) {
                const CaptionLook look = CaptionLookFor(a.Emphasised(k), a.toka, a.mojiColor,
                                                        a.mjBackColor, a.kyochoColor);
                rec.CaptionLabels[k] = {
                    QString::fromStdString(
                        LabelCaption(k, model_.gItemList, model_.itemGrid, model_.gridBase, n)),
                    CaptionRect(k, f),
                    Bgr(look.text),
                    Bgr(look.background),
                    look.transparent,
                    false,
                    f,
                    exif};
            }
        }

        // Thumbnail: from the cache, or made by the page's workers.
        if (MnThumbLocation->isChecked()) model_.gThumbDir = model_.DefaultCacheDir();
        const qreal dpr = devicePixelRatioF();
        ThumbnailOutcome thumb;
        if (prepared->jobs) {
            // The panels so far are painted while this one's thumbnail is being made.
            WaitUntil([&] { return prepared->jobs->Done(prepared->index); });
            thumb = prepared->jobs->Take(prepared->index);
        } else {
            thumb = ObtainThumbnail(model_.CacheFolderOfCurrent(), model_.currentDir, fileName,
                                    model_.gridBase.Cell(kSizeCol, n));
        }
        QString sizeText;
        if (thumb.ok) {
            rec.Image = thumb.inMemory
                            ? ToPixmap(Orient(thumb.picture, model_.UprightOrientation(n)), dpr)
                            : LoadPixmap(thumb.thumbPath, dpr, {}, model_.UprightOrientation(n));
            if (thumb.sizeLines.size() >= 3) {
                for (int c = 0; c < 3; ++c)
                    model_.gridBase.SetCell(kWidthCol + c, n, thumb.sizeLines[c]);
                sizeText = QString::fromStdString(SizeText(thumb.sizeLines));
            }
            if (thumb.madeNow) {
                model_.ExifItems[kItemWidth] = thumb.sizeLines[0];
                model_.ExifItems[kItemHeight] = thumb.sizeLines[1];
            }
            // A cache that could not take it: shown from memory, said once per page.
            if (thumb.inMemory && cacheProblem_.empty()) cacheProblem_ = thumb.error;
        } else {
            ShowCheckMessage(QStringLiteral("MakeThumbJpeg:サムネイル作成にエラーがおこりました"));
            rec.Image = LoadPixmap(model_.gThumbDir + "/peke.jpg", dpr);
        }
        rec.SizeLabel = {sizeText,
                         {4, SizeLabelTop(exif, f, lines), 90, 13},
                         Bgr(kSizeLabelColor),
                         {},
                         true,
                         false,
                         12,
                         ChkBoxDispSize->isChecked()};
        if (!rec.Image.isNull()) {
            const QSize s = LogicalSize(rec.Image);
            rec.imageRect = ImageRect(s.width(), s.height());
        }

        const Rect r = PanelRect(i % gPictsPerPage, columns, f, lines);
        rec.Panel = new ThumbPanel(rec, PictPage);
        rec.Panel->setObjectName(QStringLiteral("MyPanel%1").arg(i));
        rec.Panel->setGeometry(r.left, r.top, r.width, r.height);
        rec.Panel->SetColor(Bgr(rec.Selected ? a.selColor : a.panelColor));
        rec.Panel->onClick = [this](PictRec& p) { ImageClick(p); };
        rec.Panel->onDoubleClick = [this](PictRec& p) { ImageDblClick(p); };
        rec.Panel->onContextMenu = [this](PictRec& p, const QPoint& at) {
            popupPict = &p;
            PopupMenu1->popup(at);
        };
    } catch (const std::bad_alloc&) {
        delete rec.Panel;
        ShowCheckMessage(
            QStringLiteral("リソースが不足しています。表示画像数を減らしてください。"));
        return false;
    }
    gPictList.push_back(std::move(owned));
    rec.Panel->show();
    if (panelBuilt) panelBuilt(i);
    return true;
}

void TFormMain::SeiretuPict() {
    if (!gPageBuilt || gPictList.empty()) return;
    const int columns = SetNoHorz(ScrlBoxPictList->width());
    ScrlBoxPictList->horizontalScrollBar()->setValue(0);
    ScrlBoxPictList->verticalScrollBar()->setValue(0);
    QRect extent;
    for (std::size_t k = 0; k < gPictList.size(); ++k) {
        ThumbPanel* panel = gPictList[k]->Panel;
        const int row = static_cast<int>(k) / columns;
        const int col = static_cast<int>(k) % columns;
        panel->move(kPanelPitch * col + 4, (panel->height() + 4) * row + 2);
        extent |= panel->geometry();
    }
    PictPage->resize(extent.right() + 5, extent.bottom() + 5);
}

void TFormMain::ImageDblClick(PictRec& rec) {
    OpenDocument(
        QString::fromStdString(JoinPath(model_.currentDir, rec.FileNameLabel.text.toStdString())));
}

void TFormMain::CmbBoxFigNoPerPageChange() {
    MakePagePicts(CurrentPageBox());
}

void TFormMain::SpeedBtnPane3Click() {
    model_.gListReady = true;
    MakePagePicts(CurrentPageBox());
}

void TFormMain::ChkBoxDispSizeClick() {
    model_.gListReady = true;
    MakePagePicts(CurrentPageBox());
}

void TFormMain::DisplaySmallImage(int row) {
    if (row < 1 || row > model_.gridExif.RowCount() - 1) return;
    const int n = ItemNumber(model_.gridExif.Cell(0, row));
    const std::string& name = model_.gridBase.Cell(kNameCol, n);
    if (name.empty()) return;
    const std::string path = JoinPath(model_.currentDir, name);
    smallImageTag_ = n;
    // A large picture is decoded small: the preview box is 96 pixels.
    JpegDecodeOptions options;
    options.minLongerSide = 320;
    const JpegDecodeResult r = DecodeJpegFile(path, options);
    int w = 96, h = 96;
    if (r.ok) {
        const int W = r.fullWidth, H = r.fullHeight;
        ImageSmall->setPixmap(QPixmap::fromImage(ToQImage(r.image)));
        if (H > W) {
            h = 96;
            w = W * 96 / H;
            ImageSmall->setGeometry((96 - w) / 2, 0, w, h);
        } else {
            w = 96;
            h = H * 96 / W;
            ImageSmall->setGeometry(0, (96 - h) / 2, w, h);
        }
    } else {
        ImageSmall->clear();
    }
    gSmallImageFile = path;
}

void TFormMain::SetCurrentPanel(int k) {
    if (gPictList.empty()) return;
    if (k >= 0) k = std::clamp(k, 0, static_cast<int>(gPictList.size()) - 1);
    for (std::size_t i = 0; i < gPictList.size(); ++i) {
        PictRec& rec = *gPictList[i];
        if (rec.Current == (static_cast<int>(i) == k)) continue;
        rec.Current = static_cast<int>(i) == k;
        rec.Panel->update();
    }
    if (k >= 0) ScrlBoxPictList->ensureWidgetVisible(gPictList[static_cast<std::size_t>(k)]->Panel);
}

bool TFormMain::ThumbnailKey(int key) {
    int current = 0;
    for (std::size_t i = 0; i < gPictList.size(); ++i)
        if (gPictList[i]->Current) current = static_cast<int>(i);
    const int columns = SetNoHorz(ScrlBoxPictList->width());
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
        const int page = CurrentPageBox() + (key == Qt::Key_PageDown ? 1 : -1);
        if (page < 1 || page > gPageCount) return true;
        CmbBoxPage->setCurrentIndex(page - 1);
        CmbBoxPageChange();
        SetCurrentPanel(0);
        return true;
    }
    case Qt::Key_Space:
        if (!gPictList.empty()) ImageClick(*gPictList[static_cast<std::size_t>(current)]);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (gPictList.empty()) return true;
        popupPict = gPictList[static_cast<std::size_t>(current)].get();
        PMenuGenzuClick();
        return true;
    default:
        return false;
    }
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    if (ScrlBoxPictList && watched == ScrlBoxPictList) {
        // The frame shows while the pictures have the keyboard.
        if (event->type() == QEvent::FocusIn) SetCurrentPanel(0);
        if (event->type() == QEvent::FocusOut) SetCurrentPanel(-1);
        if (event->type() == QEvent::KeyPress)
            return ThumbnailKey(static_cast<QKeyEvent*>(event)->key());
    }
    if (StrGridExif && watched == StrGridExif && event->type() == QEvent::KeyPress) {
        // The table by keyboard: arrows move the current row (the view's own), Space selects or
        // unselects its picture, Enter opens the slideshow there.
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int row = StrGridExif->currentIndex().row() + 1;
        if (row < 1 || row > model_.gridExif.RowCount() - 1) return false;
        if (key == Qt::Key_Space) {
            Selection(1, row);
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            popupPict = nullptr;
            PMenuGenzuClick();
            return true;
        }
        return false;
    }
    if (ImageSmall && watched == ImageSmall) {
        auto* mouse = dynamic_cast<QMouseEvent*>(event);
        if (!mouse) return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (mouse->button() == Qt::LeftButton) {
                dragStart_ = mouse->position().toPoint();
                dragging_ = true;
            } else if (mouse->button() == Qt::RightButton && !gSmallImageFile.empty()) {
                emit slideshowRequested(QStringLiteral("スライドショー（全表示）"), smallImageTag_,
                                        CurrentTableRow(), false);
            }
            return true;
        case QEvent::MouseMove:
            if (dragging_)
                PanelImageS->move(PanelImageS->pos() + mouse->position().toPoint() - dragStart_);
            return true;
        case QEvent::MouseButtonRelease:
            dragging_ = false;
            return true;
        default:
            return false;
        }
    }
    if (StrGridExif && watched == StrGridExif->viewport() &&
        event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        StrGridExifMouseDown(mouse->button(), mouse->position().toPoint());
        return mouse->button() == Qt::RightButton;
    }
    if (ScrlBoxPictList && watched == ScrlBoxPictList->viewport() &&
        event->type() == QEvent::Resize)
        ScrlBoxPictListResize();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace kamelune
