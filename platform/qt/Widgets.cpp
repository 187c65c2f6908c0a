#include "Widgets.h"

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

} // namespace kamelune
