#include "Windows.h"

namespace kamelune {

Windows::Windows(const AppPaths& paths, DialogService& dialogs, const CommandLine& start)
    : model(paths) {
    FormMain = std::make_unique<TFormMain>(model, dialogs);
    FormMain->SetStartPlace(start.folder, start.picture);
    FormMakeExifHTML = std::make_unique<TFormMakeExifHTML>(model, dialogs);
    FormSetHTML = std::make_unique<TFormSetHTML>(model, dialogs, *FormMakeExifHTML);
    FormSetHTML2 = std::make_unique<TFormSetHTML2>(model, dialogs, *FormMakeExifHTML);
    FormPHyoji = std::make_unique<TFormPHyoji>(model, dialogs);
    Page = new ThumbnailPage(model, dialogs);
    FormMain->SetThumbnailPage(Page);
    FormSetPKomoku = std::make_unique<TFormSetPKomoku>(model, dialogs);
    FormSort = std::make_unique<TFormSort>(model, dialogs);
    FormVersion = std::make_unique<TFormVersion>();
    FormRename = std::make_unique<TFormRename>(model, dialogs);
    FormRename2 = std::make_unique<TFormRename2>(model, dialogs);
    FormSlideshow = std::make_unique<TFormSlideshow>(model, dialogs);
    // Closing the main window ends the program, whatever else is open.
    for (QWidget* w : std::initializer_list<QWidget*>{
             FormSetHTML.get(), FormMakeExifHTML.get(), FormSetPKomoku.get(), FormPHyoji.get(),
             FormSort.get(), FormSetHTML2.get(), FormVersion.get(), FormRename.get(),
             FormRename2.get(), FormSlideshow.get()})
        w->setAttribute(Qt::WA_QuitOnClose, false);
    Connect();
    FormMain->LoadSettings();
    FormMain->ShowStartFolder(FormSetPKomoku->LoadDefaultPKomoku());
    FormSlideshow->FormCreate();
}

Windows::~Windows() = default;

void Windows::Connect() {
    TFormMain* main = FormMain.get();
    QObject::connect(main, &TFormMain::sortRequested, FormSort.get(), &QDialog::exec);
    QObject::connect(main, &TFormMain::albumRequested, FormSetHTML.get(), &QWidget::show);
    QObject::connect(main, &TFormMain::htmlTableRequested, FormSetHTML2.get(), &QWidget::show);
    QObject::connect(main, &TFormMain::slideshowRequested, FormSlideshow.get(),
                     &TFormSlideshow::Open);
    QObject::connect(main, &TFormMain::itemsRequested, FormSetPKomoku.get(), &QDialog::exec);
    QObject::connect(main, &TFormMain::displayRequested, FormPHyoji.get(), &QDialog::exec);
    QObject::connect(main, &TFormMain::renameRequested, FormRename.get(), &QDialog::exec);
    QObject::connect(main, &TFormMain::renameOneRequested, FormRename2.get(), [this](int picture) {
        FormRename2->SetPicture(picture);
        FormRename2->exec();
    });
    QObject::connect(main, &TFormMain::aboutRequested, FormVersion.get(), &QDialog::exec);
    QObject::connect(FormPHyoji.get(), &TFormPHyoji::applied, Page,
                     [this] { Page->MakePagePicts(Page->CurrentPageBox()); });
    QObject::connect(Page, &ThumbnailPage::status, main, &TFormMain::SetStatus);
    QObject::connect(Page, &ThumbnailPage::countsShown, main, &TFormMain::SetFigNo);
    QObject::connect(Page, &ThumbnailPage::panelMenuRequested, main, &TFormMain::ShowPanelMenu);
    QObject::connect(Page, &ThumbnailPage::slideshowRequested, main, &TFormMain::OpenSlideshowAt);
    QObject::connect(Page, &ThumbnailPage::itemsRequested, main, &TFormMain::BtnSetPKomokuClick);
    QObject::connect(Page, &ThumbnailPage::displayRequested, main, &TFormMain::MnPHyojiClick);
    QObject::connect(Page, &ThumbnailPage::htmlTableRequested, main, &TFormMain::BtnHTML2Click);
    QObject::connect(&FormSlideshow->CaptionSettings(), &TFormSetSlideShow::itemsRequested,
                     FormSetPKomoku.get(), &QDialog::exec);
}

} // namespace kamelune
