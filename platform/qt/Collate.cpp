#include "Collate.h"

#include <QLocale>

namespace kamelune {

QCollator UserCollator() {
    const QLocale locale =
        QLocale().language() == QLocale::C ? QLocale(QLocale::English) : QLocale();
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

int CompareTextLocale(const QString& a, const QString& b) {
    thread_local const QCollator collator = UserCollator();
    return collator.compare(a, b);
}

} // namespace kamelune
