#include "Forms.h"

#include "catalogue/SetKomoku.h"
#include "platform/FileUtil.h"
#include "platform/qt/DialogService.h"

#include <QLabel>
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

TFormSetPKomoku::TFormSetPKomoku()
    : TBareForm(QStringLiteral("表示するExif項目を設定"), 480, 520), StrGridPKomoku(4, kPKomokuRows) {
    SetupPKomokuGrid(StrGridPKomoku);
    SetDefaultHeadings(StrGridPKomoku);
}

void TFormSetPKomoku::LoadDefaultPKomoku(TFormMain& main) {
    const std::string path = main.gAppDir + "/Default.pkm";
    if (!FileExists(path)) {
        ShowCheckMessage(QStringLiteral("Defaultファイルがみつかりません。項目を自動設定します。"));
        main.SpeedBtnPane3->setChecked(true);
    }
    // Reading a stored item layout comes with the item dialog; until then every start uses the
    // built-in choice.
    SetupPKomokuGrid(StrGridPKomoku);
    SetDefaultHeadings(StrGridPKomoku);
    SetDefaultKomoku(StrGridPKomoku);
    GridToItemList(StrGridPKomoku, main.gItemList);
    FillSampleColumn(StrGridPKomoku, main.gridBase);
}

TFormVersion::TFormVersion() : TBareForm(QStringLiteral("バージョン情報"), 300, 120) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("ミルノのExif解析 Kamelune Ver. 0.8C"), this));
}

void TFormSlideshow::FormCreate() { FormMain->LoadSettings(); }

StringGrid& ItemGrid() {
    static StringGrid fallback = [] {
        StringGrid g(4, kPKomokuRows);
        SetupPKomokuGrid(g);
        SetDefaultHeadings(g);
        return g;
    }();
    return FormSetPKomoku ? FormSetPKomoku->StrGridPKomoku : fallback;
}

void CreateWindows(const AppPaths& paths) {
    FormMain = new TFormMain(paths);
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
