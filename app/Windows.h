// The windows of the program around one folder model: created once at start-up in a fixed order,
// connected, reused, and released in reverse order.
#pragma once

#include "catalogue/AboutDialog.h"
#include "catalogue/CommandLine.h"
#include "catalogue/FolderModel.h"
#include "catalogue/MainWindow.h"
#include "platform/qt/DialogService.h"
#include "present/ExportProgressWindow.h"
#include "present/ExportSettingsDialogs.h"
#include "present/SlideshowWindow.h"
#include "thumbnails/DisplaySettingsDialog.h"
#include "thumbnails/ItemChoiceDialog.h"
#include "thumbnails/ThumbnailPage.h"
#include "tools/RenameDialogs.h"
#include "tools/SortDialog.h"

#include <memory>

namespace kamelune {

class Windows {
public:
    // Every window asks and tells the user through `dialogs`. The last step loads the settings
    // and shows the remembered folder (or start's: the folder and picture the command line asked
    // for).
    Windows(const AppPaths& paths, DialogService& dialogs, const CommandLine& start = {});
    ~Windows();

    FolderModel model;
    // Members are released in reverse order: the main window goes last, after every dialog.
    std::unique_ptr<MainWindow> FormMain;
    ThumbnailPage* Page = nullptr; // the main window's thumbnail tab, owned by it
    std::unique_ptr<ExportProgressWindow> FormMakeExifHTML;
    std::unique_ptr<AlbumSettingsDialog> FormSetHTML;
    std::unique_ptr<TableSettingsDialog> FormSetHTML2;
    std::unique_ptr<DisplaySettingsDialog> FormDisplaySettings;
    std::unique_ptr<ItemChoiceDialog> FormItemChoice;
    std::unique_ptr<SortDialog> FormSort;
    std::unique_ptr<AboutDialog> FormVersion;
    std::unique_ptr<BatchRenameDialog> FormRename;
    std::unique_ptr<SingleRenameDialog> FormRename2;
    std::unique_ptr<SlideshowWindow> FormSlideshow;

private:
    void Connect();
};

} // namespace kamelune
