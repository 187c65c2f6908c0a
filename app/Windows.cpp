#include "Windows.h"

namespace kamelune {

Windows::Windows(const AppPaths& paths, DialogService& dialogs, const CommandLine& start)
    : model(paths) {
    mainWindow = std::make_unique<MainWindow>(model, dialogs);
    mainWindow->SetStartPlace(start.folder, start.picture);
    exportProgress = std::make_unique<ExportProgressWindow>(model, dialogs);
    albumSettings = std::make_unique<AlbumSettingsDialog>(model, dialogs, *exportProgress);
    tableSettings = std::make_unique<TableSettingsDialog>(model, dialogs, *exportProgress);
    displaySettings = std::make_unique<DisplaySettingsDialog>(model, dialogs);
    Page = new ThumbnailPage(model, dialogs);
    mainWindow->SetThumbnailPage(Page);
    itemChoice = std::make_unique<ItemChoiceDialog>(model, dialogs);
    sortDialog = std::make_unique<SortDialog>(model, dialogs);
    aboutDialog = std::make_unique<AboutDialog>();
    batchRename = std::make_unique<BatchRenameDialog>(model, dialogs);
    singleRename = std::make_unique<SingleRenameDialog>(model, dialogs);
    slideshow = std::make_unique<SlideshowWindow>(model, dialogs);
    distribution = std::make_unique<DistributionWindow>(model, dialogs);
    conditions = std::make_unique<ConditionDialog>(model, dialogs);
    // Closing the main window ends the program, whatever else is open.
    for (QWidget* w : std::initializer_list<QWidget*>{
             albumSettings.get(), exportProgress.get(), itemChoice.get(), displaySettings.get(),
             sortDialog.get(), tableSettings.get(), aboutDialog.get(), batchRename.get(),
             singleRename.get(), slideshow.get(), distribution.get(), conditions.get()})
        w->setAttribute(Qt::WA_QuitOnClose, false);
    Connect();
    mainWindow->LoadSettings();
    mainWindow->ShowStartFolder(itemChoice->LoadDefaultItemFile());
}

Windows::~Windows() = default;

void Windows::Connect() {
    MainWindow* main = mainWindow.get();
    PictureCommands* commands = &main->Commands();
    QObject::connect(commands, &PictureCommands::sortRequested, sortDialog.get(), &QDialog::exec);
    QObject::connect(commands, &PictureCommands::albumRequested, albumSettings.get(),
                     &QWidget::show);
    QObject::connect(commands, &PictureCommands::htmlTableRequested, tableSettings.get(),
                     &QWidget::show);
    QObject::connect(commands, &PictureCommands::slideshowRequested, slideshow.get(),
                     &SlideshowWindow::Open);
    QObject::connect(commands, &PictureCommands::itemsRequested, itemChoice.get(), &QDialog::exec);
    QObject::connect(commands, &PictureCommands::displayRequested, displaySettings.get(),
                     &QDialog::exec);
    QObject::connect(commands, &PictureCommands::renameRequested, batchRename.get(),
                     &QDialog::exec);
    QObject::connect(commands, &PictureCommands::renameOneRequested, singleRename.get(),
                     [this](int picture) {
                         singleRename->SetPicture(picture);
                         singleRename->exec();
                     });
    QObject::connect(commands, &PictureCommands::aboutRequested, aboutDialog.get(), &QDialog::exec);
    // Non-modal: shown, or brought to the front when open already.
    const auto bringUp = [](QWidget* w) {
        return [w] {
            w->show();
            w->raise();
            w->activateWindow();
        };
    };
    QObject::connect(commands, &PictureCommands::distributionRequested, distribution.get(),
                     bringUp(distribution.get()));
    QObject::connect(commands, &PictureCommands::conditionsRequested, conditions.get(),
                     bringUp(conditions.get()));
    QObject::connect(displaySettings.get(), &DisplaySettingsDialog::applied, Page,
                     [this] { Page->BuildPage(Page->PageInBox()); });
    QObject::connect(Page, &ThumbnailPage::status, main, &MainWindow::SetStatus);
    QObject::connect(Page, &ThumbnailPage::countsShown, main, &MainWindow::SetCounter);
    QObject::connect(Page, &ThumbnailPage::panelMenuRequested, commands,
                     &PictureCommands::ShowPanelMenu);
    QObject::connect(Page, &ThumbnailPage::slideshowRequested, commands,
                     &PictureCommands::OpenSlideshowAt);
    QObject::connect(Page, &ThumbnailPage::itemsRequested, commands,
                     &PictureCommands::OpenItemChoice);
    QObject::connect(Page, &ThumbnailPage::displayRequested, commands,
                     &PictureCommands::OpenDisplaySettings);
    QObject::connect(Page, &ThumbnailPage::htmlTableRequested, commands,
                     &PictureCommands::OpenHtmlTable);
    QObject::connect(&slideshow->CaptionSettings(), &CaptionSettingsDialog::itemsRequested,
                     itemChoice.get(), &QDialog::exec);
}

} // namespace kamelune
