// Commands that change the folder's files: hide, show again, delete, and a picture dropped on the
// window copied in. Each asks the user first and says what failed; folderChanged follows a change
// (the main window reads the folder again).
#pragma once

#include "catalogue/HideDelete.h"

#include <QObject>
#include <QStringList>
#include <string>

class QAction;

namespace kamelune {

class DialogService;
class FolderModel;

class PictureFiles : public QObject {
    Q_OBJECT
public:
    PictureFiles(FolderModel& model, DialogService& dialogs, QObject* parent);

    void HidePicture(int pictNo);
    void HideSelected();
    void ShowHiddenAgain();
    // Deletes, or moves to the trash when that option is on.
    void DeletePicture(int pictNo);
    // How a picture goes to the trash (tests: a trash that refuses).
    void SetTrash(RemovePicture moveToTrash) { moveToTrash_ = std::move(moveToTrash); }

    // The first of the dropped files copied into the folder on a worker.
    void DropPictures(const QStringList& paths);
    bool Copying() const { return copying_ > 0; } // a dropped picture is being copied

signals:
    void folderChanged();
    void status(const QString& text);

private:
    void Report(const FileChanges& changes);
    FolderModel& model_;
    DialogService& dialogs_;
    RemovePicture moveToTrash_;
    int copying_ = 0;
};

// Where the thumbnail cache lives (beside the program, or a folder the user chose) and its
// removal. The two menu entries show the choice.
class CacheCommands : public QObject {
    Q_OBJECT
public:
    CacheCommands(FolderModel& model, DialogService& dialogs, QAction& beside, QAction& elsewhere,
                  QObject* parent);
    void CacheBesidePictures();
    void CacheElsewhere();
    void DeleteCacheFolders();
    // The radio mark of the cache place.
    void SetLocationChoice(bool other);

private:
    FolderModel& model_;
    DialogService& dialogs_;
    QAction& beside_;
    QAction& elsewhere_;
    bool locationIsOther_ = false;
};

} // namespace kamelune
