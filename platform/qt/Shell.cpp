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

FileResult OpenDocument(const QString& path) {
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return FileResult::Ok();
    return FileResult::Fail("開くアプリケーションが見つかりません: " + path.toStdString());
}

FileResult OpenWebAddress(const QString& url) {
    if (!url.isEmpty() && QDesktopServices::openUrl(QUrl(url))) return FileResult::Ok();
    return FileResult::Fail("ブラウザで開けません: " + url.toStdString());
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
