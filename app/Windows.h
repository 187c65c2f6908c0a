// The windows of the program around one folder model: created once at start-up in a fixed order,
// connected, reused, and released in reverse order.
#pragma once

#include "catalogue/CommandLine.h"
#include "catalogue/ui/AboutDialog.h"
#include "catalogue/ui/ConditionDialog.h"
#include "catalogue/ui/DistributionWindow.h"
#include "catalogue/ui/FolderModel.h"
#include "catalogue/ui/MainWindow.h"
#include "platform/qt/DialogService.h"
#include "present/ui/ExportProgressWindow.h"
#include "present/ui/ExportSettingsDialogs.h"
#include "present/ui/SlideshowWindow.h"
#include "thumbnails/ui/DisplaySettingsDialog.h"
#include "thumbnails/ui/ItemChoiceDialog.h"
#include "thumbnails/ui/ThumbnailPage.h"
#include "tools/ui/RenameDialogs.h"
#include "tools/ui/SortDialog.h"

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
    std::unique_ptr<MainWindow> mainWindow;
    ThumbnailPage* Page = nullptr; // the main window's thumbnail tab, owned by it
    std::unique_ptr<ExportProgressWindow> exportProgress;
    std::unique_ptr<AlbumSettingsDialog> albumSettings;
    std::unique_ptr<TableSettingsDialog> tableSettings;
    std::unique_ptr<DisplaySettingsDialog> displaySettings;
    std::unique_ptr<ItemChoiceDialog> itemChoice;
    std::unique_ptr<SortDialog> sortDialog;
    std::unique_ptr<AboutDialog> aboutDialog;
    std::unique_ptr<BatchRenameDialog> batchRename;
    std::unique_ptr<SingleRenameDialog> singleRename;
    std::unique_ptr<SlideshowWindow> slideshow;
    std::unique_ptr<DistributionWindow> distribution;
    std::unique_ptr<ConditionDialog> conditions;

private:
    void Connect();
};

} // namespace kamelune
