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

bool OpenWebAddress(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url));
}

FileResult MoveToTrash(const QString& path) {
    if (!QFileInfo::exists(path)) return FileResult::Fail("not found: " + path.toStdString());
    // Qt looks for the home trash only where the data folder already exists.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    if (QFile::moveToTrash(path)) return FileResult::Ok();
    return FileResult::Fail("no trash can take " + path.toStdString());
}

void SetClipboardText(const QString& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(text);
}

} // namespace kamelune
