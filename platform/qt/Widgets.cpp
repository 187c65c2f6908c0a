#include "Widgets.h"

#include "platform/Jpeg.h"

#include <QCoreApplication>
#include <QLibraryInfo>
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

} // namespace kamelune
