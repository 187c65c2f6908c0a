#include "catalogue/ui/SmallPicturePreview.h"
#include "catalogue/ItemColumns.h"
#include "pictures/PictureFile.h"
#include "platform/Jpeg.h"
#include "platform/qt/Background.h"
#include "platform/qt/Widgets.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <thread>

namespace kamelune {

SmallPicturePreview::SmallPicturePreview(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("smallPicturePanel"));
    setFrameShape(QFrame::Panel);
    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("smallPicture"));
    picture_->setGeometry(1, 1, 96, 96);
    picture_->setScaledContents(true);
    picture_->setToolTip(QStringLiteral("ドラッグで移動、右クリックで原図(ｽﾗｲﾄﾞｼｮｰ)を表示"));
    picture_->installEventFilter(this);
    resize(104, 104);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Bgr(kTitleColor));
    setPalette(palette);
    setFrameShadow(QFrame::Sunken);
    hide();
}

SmallPicturePreview::~SmallPicturePreview() {
    *cancel_ = true;
}

void SmallPicturePreview::Clear() {
    file_.clear();
    picture_->clear();
}

void SmallPicturePreview::Show(const std::string& path, int tag, std::chrono::milliseconds delay) {
    tag_ = tag;
    file_ = path;
    // Decoded on a worker (a large picture takes seconds); the newest asked for is shown.
    const int asked = ++asked_;
    *cancel_ = true; // the one asked for before is not wanted any more
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    RunInBackground(
        this,
        [path, cancel = cancel_, delay] {
            if (delay.count() > 0) std::this_thread::sleep_for(delay);
            // A large picture is decoded small: the preview box is 96 pixels.
            JpegDecodeOptions options;
            options.minLongerSide = 320;
            options.cancel = cancel.get();
            return DecodePictureFile(path, options);
        },
        [this, asked](JpegDecodeResult decoded) {
            if (asked == asked_) ShowDecoded(decoded);
        });
}

void SmallPicturePreview::ShowDecoded(const JpegDecodeResult& r) {
    if (!r.ok) {
        picture_->clear();
        return;
    }
    const int W = r.fullWidth, H = r.fullHeight;
    picture_->setPixmap(QPixmap::fromImage(ToQImage(r.image)));
    if (H > W) {
        const int w = W * 96 / H;
        picture_->setGeometry((96 - w) / 2, 0, w, 96);
    } else {
        const int h = H * 96 / W;
        picture_->setGeometry(0, (96 - h) / 2, 96, h);
    }
}

bool SmallPicturePreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched != picture_) return QFrame::eventFilter(watched, event);
    auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (!mouse) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton) {
            dragStart_ = mouse->position().toPoint();
            dragging_ = true;
        } else if (mouse->button() == Qt::RightButton && !file_.empty()) {
            emit slideshowRequested(tag_);
        }
        return true;
    case QEvent::MouseMove:
        if (dragging_) move(pos() + mouse->position().toPoint() - dragStart_);
        return true;
    case QEvent::MouseButtonRelease:
        dragging_ = false;
        return true;
    default:
        return false;
    }
}

} // namespace kamelune
