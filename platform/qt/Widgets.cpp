#include "Widgets.h"

#include "platform/Jpeg.h"

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

QImage ToQImage(const RgbImage& picture) {
    QImage q(picture.width, picture.height, QImage::Format_RGB888);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(q.scanLine(y), picture.RowPtr(y), static_cast<std::size_t>(picture.width) * 3);
    return q;
}

} // namespace kamelune
