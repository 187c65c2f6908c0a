#include "catalogue/ui/PictureFiles.h"
#include "catalogue/CacheNames.h"
#include "catalogue/Drop.h"
#include "catalogue/HideDelete.h"
#include "catalogue/ItemCatalogue.h"
#include "catalogue/ui/FolderModel.h"
#include "catalogue/ui/PictureCommands.h"
#include "platform/qt/Background.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/Shell.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <unistd.h>

namespace kamelune {
namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
std::string Std(const QString& s) {
    return s.toStdString();
}

} // namespace

PictureFiles::PictureFiles(FolderModel& model, DialogService& dialogs, QObject* parent)
    : QObject(parent), model_(model), dialogs_(dialogs),
      moveToTrash_([](const std::string& path) { return MoveToTrash(Q(path)); }) {}

void PictureFiles::Report(const FileChanges& changes) {
    emit folderChanged();
    const std::string text = ChangesReport(changes);
    if (!text.empty()) dialogs_.ShowCheckMessage(Q(text));
}

void PictureFiles::HidePicture(int pictNo) {
    const std::string name(model_.Base().Cell(kNameCol, pictNo));
    if (name.empty()) return;
    if (!dialogs_.AskYesNo(QStringLiteral("確認"),
                           QStringLiteral("このファイルを隠しますか？（復活できます）") + Q(name)))
        return;
    const FileChanges changes =
        kamelune::HidePicture(model_.Places().CurrentDir(), model_.Places().CacheFolderOfCurrent(),
                              name, model_.Options().rawHeic);
    Report(changes);
}

void PictureFiles::HideSelected() {
    if (!HasSelection(model_, dialogs_, QStringLiteral("選択された画像がありません"))) return;
    std::vector<std::string> names;
    for (const int entry : model_.Selected())
        names.emplace_back(model_.Base().Cell(kNameCol, entry));
    const FileChanges changes =
        HidePictures(model_.Places().CurrentDir(), names, model_.Options().rawHeic);
    Report(changes);
}

void PictureFiles::ShowHiddenAgain() {
    if (HiddenFiles(model_.Places().CurrentDir()).empty()) {
        dialogs_.ShowCheckMessage(QStringLiteral("隠した画像はありません"));
        return;
    }
    const FileChanges changes = ReshowAll(model_.Places().CurrentDir());
    Report(changes);
}

void PictureFiles::DeletePicture(int pictNo) {
    const std::string name(model_.Base().Cell(kNameCol, pictNo));
    if (name.empty()) return;
    FileChanges changes;
    const bool sidecars = model_.Options().rawHeic;
    if (model_.Options().deleteToTrash) {
        // The picture goes to the trash, where it can be restored.
        if (dialogs_.AskYesNo(QStringLiteral("確認"),
                              QStringLiteral("このファイルをごみ箱に移動しますか？:  ") + Q(name)))
            changes = kamelune::DeletePicture(model_.Places().CurrentDir(),
                                              model_.Places().CacheFolderOfCurrent(), name,
                                              moveToTrash_, sidecars);
        // No trash took it: the user learns why, and may still delete it for good.
        if (!changes.failed.empty() && FileExists(JoinPath(model_.Places().CurrentDir(), name))) {
            const QString why = Q(changes.failed.front());
            changes = {};
            if (dialogs_.AskYesNo(
                    QStringLiteral("確認"),
                    QStringLiteral("ごみ箱に移動できませんでした（") + why +
                        QStringLiteral("）。\n完全に削除しますか？（復活できません！）")))
                changes = kamelune::DeletePicture(model_.Places().CurrentDir(),
                                                  model_.Places().CacheFolderOfCurrent(), name, {},
                                                  sidecars);
        }
    } else if (dialogs_.AskYesNo(
                   QStringLiteral("確認"),
                   QStringLiteral("このファイルを削除しますか？（復活できません！）:  ") +
                       Q(name))) {
        changes =
            kamelune::DeletePicture(model_.Places().CurrentDir(),
                                    model_.Places().CacheFolderOfCurrent(), name, {}, sidecars);
    }
    Report(changes);
}

CacheCommands::CacheCommands(FolderModel& model, DialogService& dialogs, QAction& beside,
                             QAction& elsewhere, QObject* parent)
    : QObject(parent), model_(model), dialogs_(dialogs), beside_(beside), elsewhere_(elsewhere) {}

void CacheCommands::SetLocationChoice(bool other) {
    locationIsOther_ = other;
    (other ? elsewhere_ : beside_).setChecked(true);
}

void CacheCommands::CacheBesidePictures() {
    SetLocationChoice(false);
    model_.Places().SetThumbDir(model_.Places().DefaultCacheDir());
}

void CacheCommands::CacheElsewhere() {
    // The radio mark moves only when a new place is taken.
    SetLocationChoice(locationIsOther_);
    const auto chosen = dialogs_.ChooseFolder(
        QStringLiteral("サムネイルの置き場所の設定 "
                       "(フォルダを選択するか新規作成して「保存」をクリックしてください）"),
        Q(model_.Places().AppDir()));
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
    model_.Places().SetThumbDir(dir);
    SetLocationChoice(true);
}

void CacheCommands::DeleteCacheFolders() {
    const std::string root = CacheRoot(model_.Places().ThumbDir());
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
    RunInBackground(
        this,
        [root] {
            std::error_code ec;
            std::filesystem::remove_all(root, ec);
            return ec ? ec.message() : std::string();
        },
        [this](const std::string& error) {
            if (!error.empty())
                dialogs_.ShowCheckMessage(QStringLiteral("削除できませんでした: ") + Q(error));
        });
}

void PictureFiles::DropPictures(const QStringList& dropped) {
    if (dropped.isEmpty()) return;
    const QString source = dropped.first();
    emit status(source);
    if (!IsDroppableJpeg(Std(source))) {
        dialogs_.ShowCheckMessage(QStringLiteral("Jpegファイルでありません"));
        return;
    }
    const std::string destination = DropDestination(model_.Places().CurrentDir(), Std(source));
    if (FileExists(destination)) {
        // Dropped from this very folder onto itself: nothing to copy.
        if (QFileInfo(source).canonicalFilePath() == QFileInfo(Q(destination)).canonicalFilePath())
            return;
        if (!dialogs_.AskYesNo(QStringLiteral("確認"),
                               Q(destination) +
                                   QStringLiteral(" は既に存在します。上書きしますか？")))
            return;
    }
    // The copy goes on on a worker (a picture on a slow share); the folder is read when it is
    // done.
    ++copying_;
    RunInBackground(
        this, [from = Std(source), destination] { return CopyFileByBlocks(from, destination); },
        [this](const FileResult& r) {
            --copying_;
            if (!r) {
                dialogs_.ShowCheckMessage(Q(r.error));
                return;
            }
            emit folderChanged();
        });
}

} // namespace kamelune
