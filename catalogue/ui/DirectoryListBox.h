// The folder list: the chain from the root down to the current folder, then its sub-folders,
// each indented a few pixels per level and shortened with its full path as a tooltip. The
// sub-folders are listed on a worker thread, so a large or slow folder never holds up input.
#pragma once

#include "catalogue/FolderList.h"

#include <QFutureWatcher>
#include <QListWidget>
#include <functional>
#include <string>

namespace kamelune {

class DirectoryListBox : public QListWidget {
public:
    explicit DirectoryListBox(QWidget* parent = nullptr);

    // Shows folder's chain at once; its sub-folders follow when listed.
    void SetFolder(const std::string& folder);
    const std::string& Folder() const { return folder_; }
    // True until the sub-folders of the folder set last are shown.
    bool Listing() const { return listing_; }

    // A double-click or Enter on an entry: the folder to make current.
    std::function<void(const std::string& folder)> onChosen;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Show(const std::vector<FolderEntry>& rows);
    void Choose(QListWidgetItem* item);

    std::string folder_;
    bool listing_ = false;
    QFutureWatcher<std::vector<std::string>> watcher_;
};

} // namespace kamelune
