#include "Widgets.h"

#include "platform/Jpeg.h"

#include "platform/qt/DialogService.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTranslator>
#include <cstring>

#include <QToolBar>
#include <QToolButton>

namespace kamelune {

QToolButton* MakeToolButton(QWidget* parent, const char* name, const QString& text,
                            const QString& hint, bool checkable) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setCheckable(checkable);
    if (auto* bar = qobject_cast<QToolBar*>(parent)) {
        b->setAutoRaise(true);
        bar->addWidget(b);
    }
    return b;
}

bool LoadQtJapanese() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

QImage ToQImage(const RgbImage& picture) {
    QImage q(picture.width, picture.height, QImage::Format_RGB888);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(q.scanLine(y), picture.RowPtr(y), static_cast<std::size_t>(picture.width) * 3);
    return q;
}

QImage ToQImage(RgbImage&& picture) {
    if (picture.Empty()) return {};
    auto* pixels = new std::vector<std::uint8_t>(std::move(picture.pixels));
    const int w = picture.width, h = picture.height;
    picture = {};
    return QImage(
        pixels->data(), w, h, static_cast<qsizetype>(w) * 3, QImage::Format_RGB888,
        [](void* owned) { delete static_cast<std::vector<std::uint8_t>*>(owned); }, pixels);
}

void ImageView::SetImage(QImage image) {
    image_ = std::move(image);
    update();
}

void ImageView::paintEvent(QPaintEvent* event) {
    if (image_.isNull()) return;
    QPainter painter(this);
    const QRect part = event->rect() & image_.rect();
    painter.drawImage(part.topLeft(), image_, part);
}

QColor Bgr(std::uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

ColorSwatch::ColorSwatch(const char* name, DialogService& dialogs, QWidget* parent)
    : QFrame(parent), dialogs_(dialogs) {
    setObjectName(QString::fromLatin1(name));
    setFixedSize(20, 20);
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    SetColor(0);
}

void ColorSwatch::SetColor(std::uint32_t bgr) {
    color_ = bgr & 0xFFFFFFu;
    QPalette p = palette();
    p.setColor(QPalette::Window, Bgr(color_));
    setPalette(p);
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
    QPainter(this).fillRect(rect(), Bgr(color_));
    QFrame::paintEvent(event);
}

void ColorSwatch::Click() {
    if (const auto chosen = dialogs_.ChooseColor(color_)) {
        SetColor(*chosen);
        if (onChanged) onChanged();
    }
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Click();
}

} // namespace kamelune
