#include "ThumbPanel.h"
#include "platform/qt/Widgets.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace kamelune {
namespace {

QFont LabelFont(int pixelHeight, bool bold) {
    QFont f = QApplication::font();
    f.setPixelSize(pixelHeight);
    f.setBold(bold);
    return f;
}

QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

} // namespace

ThumbPanel::ThumbPanel(PanelRecord& rec, QWidget* parent) : QWidget(parent), rec_(rec) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ThumbPanel::SetColor(const QColor& c) {
    color_ = c;
    update();
}

int ThumbPanel::TextWidth(const QString& text, int pixelHeight, bool bold) {
    return QFontMetrics(LabelFont(pixelHeight, bold)).horizontalAdvance(text);
}

QRect LabelPaintRect(const PanelLabel& label) {
    QRect r = ToQRect(label.rect);
    r.setWidth(ThumbPanel::TextWidth(label.text, label.pixelHeight, label.bold));
    return r;
}

void ThumbPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), color_);
    // Raised outer bevel, one pixel.
    p.setPen(color_.lighter(160));
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(color_.darker(160));
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);

    if (!rec_.image.isNull()) {
        const QRect target = ToQRect(rec_.imageRect);
        p.drawPixmap(target.topLeft(), rec_.image);
    }
    auto draw = [&](const PanelLabel& l) {
        if (!l.visible || l.text.isEmpty()) return;
        const QRect r = LabelPaintRect(l);
        if (!l.transparent) p.fillRect(r, l.background);
        p.setFont(LabelFont(l.pixelHeight, l.bold));
        p.setPen(l.color);
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, l.text);
    };
    draw(rec_.numberLabel);
    draw(rec_.fileNameLabel);
    draw(rec_.selectionNumberLabel);
    for (const PanelLabel& l : rec_.captionLines)
        draw(l);
    draw(rec_.sizeLabel);
    if (rec_.current) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
        p.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

bool ThumbPanel::OnImage(const QPoint& p) const {
    return ToQRect(rec_.imageRect).contains(p);
}

void ThumbPanel::mousePressEvent(QMouseEvent* event) {
    if (!OnImage(event->position().toPoint())) return QWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && onClick)
        onClick(rec_);
    else if (event->button() == Qt::RightButton && onContextMenu)
        onContextMenu(rec_, event->globalPosition().toPoint());
}

void ThumbPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OnImage(event->position().toPoint()) && onDoubleClick)
        onDoubleClick(rec_);
}

bool ThumbPanel::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        if (OnImage(help->pos()))
            QToolTip::showText(help->globalPos(),
                               QStringLiteral("左クリックで選択、右クリックでコマンド表示"), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

} // namespace kamelune
