// Hide, show again and delete pictures; where the thumbnail cache lives and its removal.
#include "catalogue/CacheNames.h"
#include "catalogue/HideDelete.h"
#include "catalogue/ItemCatalogue.h"
#include "catalogue/MainWindow.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Shell.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>
#include <filesystem>
#include <unistd.h>

namespace kamelune {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

void Report(DialogService& dialogs, const FileChanges& changes) {
    const std::string text = ChangesReport(changes);
    if (!text.empty()) dialogs.ShowCheckMessage(Q(text));
}

} // namespace

void MainWindow::HidePicture(int pictNo) {
    const std::string name = model_.Base().Cell(kNameCol, pictNo);
    if (name.empty()) return;
    if (!dialogs_.AskYesNo(QStringLiteral("確認"),
                           QStringLiteral("このファイルを隠しますか？（復活できます）") + Q(name)))
        return;
    const FileChanges changes =
        kamelune::HidePicture(model_.CurrentDir(), model_.CacheFolderOfCurrent(), name);
    UpdateTable();
    Report(dialogs_, changes);
}

void MainWindow::HidePopupPicture() {
    if (const int picture = PopupPicture()) HidePicture(picture);
}

void MainWindow::HideSelected() {
    if (!HasSelection(QStringLiteral("選択された画像がありません"))) return;
    std::vector<std::string> names;
    for (const int entry : model_.Selected())
        names.push_back(model_.Base().Cell(kNameCol, entry));
    const FileChanges changes = HidePictures(model_.CurrentDir(), names);
    UpdateTable();
    Report(dialogs_, changes);
}

void MainWindow::ShowHiddenAgain() {
    if (HiddenFiles(model_.CurrentDir()).empty()) {
        dialogs_.ShowCheckMessage(QStringLiteral("隠した画像はありません"));
        return;
    }
    const FileChanges changes = ReshowAll(model_.CurrentDir());
    UpdateTable();
    Report(dialogs_, changes);
}

void MainWindow::DeletePicture(int pictNo) {
    const std::string name = model_.Base().Cell(kNameCol, pictNo);
    if (name.empty()) return;
    FileChanges changes;
    if (model_.Options().deleteToTrash) {
        // The picture goes to the trash, where it can be restored.
        if (dialogs_.AskYesNo(QStringLiteral("確認"),
                              QStringLiteral("このファイルをごみ箱に移動しますか？:  ") + Q(name)))
            changes = kamelune::DeletePicture(model_.CurrentDir(), model_.CacheFolderOfCurrent(),
                                              name, moveToTrash);
        // No trash took it: the user learns why, and may still delete it for good.
        if (!changes.failed.empty() && FileExists(JoinPath(model_.CurrentDir(), name))) {
            const QString why = Q(changes.failed.front());
            changes = {};
            if (dialogs_.AskYesNo(
                    QStringLiteral("確認"),
                    QStringLiteral("ごみ箱に移動できませんでした（") + why +
                        QStringLiteral("）。\n完全に削除しますか？（復活できません！）")))
                changes = kamelune::DeletePicture(model_.CurrentDir(),
                                                  model_.CacheFolderOfCurrent(), name);
        }
    } else if (dialogs_.AskYesNo(
                   QStringLiteral("確認"),
                   QStringLiteral("このファイルを削除しますか？（復活できません！）:  ") +
                       Q(name))) {
        changes = kamelune::DeletePicture(model_.CurrentDir(), model_.CacheFolderOfCurrent(), name);
    }
    UpdateTable();
    Report(dialogs_, changes);
}

void MainWindow::DeletePopupPicture() {
    if (const int picture = PopupPicture()) DeletePicture(picture);
}

void MainWindow::SetLocationChoice(bool other) {
    locationIsOther_ = other;
    (other ? cacheElsewhereAction : cacheBesidePicturesAction)->setChecked(true);
}

void MainWindow::CacheBesidePictures() {
    SetLocationChoice(false);
    model_.SetThumbDir(model_.DefaultCacheDir());
}

void MainWindow::CacheElsewhere() {
    // The radio mark moves only when a new place is taken.
    SetLocationChoice(locationIsOther_);
    const auto chosen = dialogs_.ChooseFolder(
        QStringLiteral("サムネイルの置き場所の設定 "
                       "(フォルダを選択するか新規作成して「保存」をクリックしてください）"),
        Q(model_.AppDir()));
    if (!chosen) return;
    const std::string dir = QDir::cleanPath(*chosen).toStdString();
    if (::access(dir.c_str(), W_OK | X_OK) != 0) {
        dialogs_.ShowCheckMessage(QStringLiteral("このフォルダには書き込めません: ") + Q(dir));
        return;
    }
    if (!dialogs_.AskYesNo(QStringLiteral("確認"),
                           QStringLiteral("サムネイルを<") + Q(dir) +
                               QStringLiteral(">に保管します。よろしいですか？")))
        return;
    model_.SetThumbDir(dir);
    SetLocationChoice(true);
}

void MainWindow::DeleteCacheFolders() {
    const std::string root = CacheRoot(model_.ThumbDir());
    if (!DirectoryExists(root)) return;
    if (!dialogs_.AskYesNo(QStringLiteral("確認"),
                           Q(root) + QStringLiteral(" をごみ箱に移動しますか？")))
        return;
    if (MoveToTrash(Q(root))) return;
    // No trash can take it: gone for good only when the user says so.
    if (!dialogs_.AskYesNo(QStringLiteral("確認"),
                           QStringLiteral("ごみ箱が使えません。") + Q(root) +
                               QStringLiteral(" を完全に削除しますか？（復活できません！）")))
        return;
    // A large cache takes a while to remove: on a worker, its failure told when it is done.
    auto* watcher = new QFutureWatcher<std::string>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        watcher->deleteLater();
        if (const std::string error = watcher->result(); !error.empty())
            dialogs_.ShowCheckMessage(QStringLiteral("削除できませんでした: ") + Q(error));
    });
    watcher->setFuture(QtConcurrent::run([root] {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
        return ec ? ec.message() : std::string();
    }));
}

} // namespace kamelune
