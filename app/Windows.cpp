#include "Windows.h"

namespace kamelune {

Windows::Windows(const AppPaths& paths, DialogService& dialogs, const CommandLine& start)
    : model(paths) {
    FormMain = std::make_unique<MainWindow>(model, dialogs);
    FormMain->SetStartPlace(start.folder, start.picture);
    FormMakeExifHTML = std::make_unique<ExportProgressWindow>(model, dialogs);
    FormSetHTML = std::make_unique<AlbumSettingsDialog>(model, dialogs, *FormMakeExifHTML);
    FormSetHTML2 = std::make_unique<TableSettingsDialog>(model, dialogs, *FormMakeExifHTML);
    FormDisplaySettings = std::make_unique<DisplaySettingsDialog>(model, dialogs);
    Page = new ThumbnailPage(model, dialogs);
    FormMain->SetThumbnailPage(Page);
    FormItemChoice = std::make_unique<ItemChoiceDialog>(model, dialogs);
    FormSort = std::make_unique<SortDialog>(model, dialogs);
    FormVersion = std::make_unique<AboutDialog>();
    FormRename = std::make_unique<BatchRenameDialog>(model, dialogs);
    FormRename2 = std::make_unique<SingleRenameDialog>(model, dialogs);
    FormSlideshow = std::make_unique<SlideshowWindow>(model, dialogs);
    // Closing the main window ends the program, whatever else is open.
    for (QWidget* w : std::initializer_list<QWidget*>{
             FormSetHTML.get(), FormMakeExifHTML.get(), FormItemChoice.get(),
             FormDisplaySettings.get(), FormSort.get(), FormSetHTML2.get(), FormVersion.get(),
             FormRename.get(), FormRename2.get(), FormSlideshow.get()})
        w->setAttribute(Qt::WA_QuitOnClose, false);
    Connect();
    FormMain->LoadSettings();
    FormMain->ShowStartFolder(FormItemChoice->LoadDefaultItemFile());
    FormSlideshow->Initialise();
}

Windows::~Windows() = default;

void Windows::Connect() {
    MainWindow* main = FormMain.get();
    QObject::connect(main, &MainWindow::sortRequested, FormSort.get(), &QDialog::exec);
    QObject::connect(main, &MainWindow::albumRequested, FormSetHTML.get(), &QWidget::show);
    QObject::connect(main, &MainWindow::htmlTableRequested, FormSetHTML2.get(), &QWidget::show);
    QObject::connect(main, &MainWindow::slideshowRequested, FormSlideshow.get(),
                     &SlideshowWindow::Open);
    QObject::connect(main, &MainWindow::itemsRequested, FormItemChoice.get(), &QDialog::exec);
    QObject::connect(main, &MainWindow::displayRequested, FormDisplaySettings.get(),
                     &QDialog::exec);
    QObject::connect(main, &MainWindow::renameRequested, FormRename.get(), &QDialog::exec);
    QObject::connect(main, &MainWindow::renameOneRequested, FormRename2.get(), [this](int picture) {
        FormRename2->SetPicture(picture);
        FormRename2->exec();
    });
    QObject::connect(main, &MainWindow::aboutRequested, FormVersion.get(), &QDialog::exec);
    QObject::connect(FormDisplaySettings.get(), &DisplaySettingsDialog::applied, Page,
                     [this] { Page->BuildPage(Page->PageInBox()); });
    QObject::connect(Page, &ThumbnailPage::status, main, &MainWindow::SetStatus);
    QObject::connect(Page, &ThumbnailPage::countsShown, main, &MainWindow::SetCounter);
    QObject::connect(Page, &ThumbnailPage::panelMenuRequested, main, &MainWindow::ShowPanelMenu);
    QObject::connect(Page, &ThumbnailPage::slideshowRequested, main, &MainWindow::OpenSlideshowAt);
    QObject::connect(Page, &ThumbnailPage::itemsRequested, main, &MainWindow::OpenItemChoice);
    QObject::connect(Page, &ThumbnailPage::displayRequested, main,
                     &MainWindow::OpenDisplaySettings);
    QObject::connect(Page, &ThumbnailPage::htmlTableRequested, main, &MainWindow::OpenHtmlTable);
    QObject::connect(&FormSlideshow->CaptionSettings(), &CaptionSettingsDialog::itemsRequested,
                     FormItemChoice.get(), &QDialog::exec);
}

} // namespace kamelune
