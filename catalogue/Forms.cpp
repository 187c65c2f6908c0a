#include "Forms.h"

#include "catalogue/SetKomoku.h"
#include "platform/FileUtil.h"
#include "platform/qt/DialogService.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace kamelune {

TFormMain* FormMain = nullptr;
TFormSetHTML* FormSetHTML = nullptr;
TFormMakeExifHTML* FormMakeExifHTML = nullptr;
TFormSetPKomoku* FormSetPKomoku = nullptr;
TFormPHyoji* FormPHyoji = nullptr;
TFormSort* FormSort = nullptr;
TFormSetHTML2* FormSetHTML2 = nullptr;
TFormSetSlideShow* FormSetSlideShow = nullptr;
TFormVersion* FormVersion = nullptr;
TFormRename* FormRename = nullptr;
TFormRename2* FormRename2 = nullptr;
TFormSlideshow* FormSlideshow = nullptr;

TBareForm::TBareForm(const QString& caption, int width, int height) {
    setWindowTitle(caption);
    resize(width, height);
}

TFormVersion::TFormVersion() : TBareForm(QStringLiteral("バージョン情報"), 300, 220) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setStyleSheet(QStringLiteral("QDialog { background: white; }"));
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    // The program's own icon when it has one, else the style's.
    const QIcon icon = QApplication::windowIcon();
    picture->setPixmap(
        (icon.isNull() ? style()->standardIcon(QStyle::SP_MessageBoxInformation) : icon)
            .pixmap(48, 48));
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);
    auto* title = new QLabel(QStringLiteral("ミルノのExif解析　Kamelune"), this);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    // Beyond the original: the versions of the program and of what it is built on.
    auto* versions = new QLabel(QString::fromStdString(VersionText(qVersion())).trimmed(), this);
    versions->setObjectName(QStringLiteral("Versions"));
    versions->setAlignment(Qt::AlignCenter);
    layout->addWidget(versions);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignCenter);
}

StringGrid& ItemGrid() {
    static StringGrid fallback = [] {
        StringGrid g(4, kPKomokuRows);
        SetupPKomokuGrid(g);
        SetDefaultHeadings(g);
        return g;
    }();
    return FormSetPKomoku ? FormSetPKomoku->StrGridPKomoku : fallback;
}

void CreateWindows(const AppPaths& paths, const CommandLine& start) {
    FormMain = new TFormMain(paths);
    FormMain->SetStartPlace(start.folder, start.picture);
    FormSetHTML = new TFormSetHTML;
    FormMakeExifHTML = new TFormMakeExifHTML;
    FormSetPKomoku = new TFormSetPKomoku;
    FormPHyoji = new TFormPHyoji;
    FormSort = new TFormSort;
    FormSetHTML2 = new TFormSetHTML2;
    FormSetSlideShow = new TFormSetSlideShow;
    FormVersion = new TFormVersion;
    FormRename = new TFormRename;
    FormRename2 = new TFormRename2;
    FormSlideshow = new TFormSlideshow;
    // Closing the main window ends the program, whatever else is open.
    for (QWidget* w : std::initializer_list<QWidget*>{
             FormSetHTML, FormMakeExifHTML, FormSetPKomoku, FormPHyoji, FormSort, FormSetHTML2,
             FormSetSlideShow, FormVersion, FormRename, FormRename2, FormSlideshow})
        w->setAttribute(Qt::WA_QuitOnClose, false);
    FormSlideshow->FormCreate();
}

template <typename T> void Release(T*& form) {
    delete form;
    form = nullptr;
}

void DestroyWindows() {
    Release(FormSlideshow);
    Release(FormRename2);
    Release(FormRename);
    Release(FormVersion);
    Release(FormSetSlideShow);
    Release(FormSetHTML2);
    Release(FormSort);
    Release(FormPHyoji);
    Release(FormSetPKomoku);
    Release(FormMakeExifHTML);
    Release(FormSetHTML);
    Release(FormMain);
}

} // namespace kamelune
