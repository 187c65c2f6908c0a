#include "Shell.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QUrl>

namespace kamelune {

bool OpenDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool MoveToTrash(const QString& path, QString* error) {
    if (!QFileInfo::exists(path)) {
        if (error) *error = QStringLiteral("not found: ") + path;
        return false;
    }
    // Qt looks for the home trash only where the data folder already exists.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    if (QFile::moveToTrash(path)) return true;
    if (error) *error = QStringLiteral("no trash can take ") + path;
    return false;
}

void SetClipboardText(const QString& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(text);
}

} // namespace kamelune
