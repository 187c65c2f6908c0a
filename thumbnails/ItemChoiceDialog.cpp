#include "ItemChoiceDialog.h"
#include "platform/qt/GridView.h"
#include "platform/qt/Widgets.h"

#include "catalogue/FolderModel.h"
#include "catalogue/ItemCatalogue.h"
#include "platform/TextFile.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/StringGridModel.h"
#include "thumbnails/DisplaySettingsDialog.h"
#include "thumbnails/Pkm.h"

#include <QCheckBox>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kamelune {

static ItemList ItemsOf(const StringGrid& grid) {
    ItemList items;
    GridToItemList(grid, items);
    return items;
}

ItemChoiceDialog::ItemChoiceDialog(FolderModel& folder, DialogService& dialogs)
    : StrGridPKomoku(folder.EditItems()), folder_(folder), dialogs_(dialogs) {
    setObjectName(QStringLiteral("FormItemChoice"));
    setWindowTitle(QStringLiteral("表示するExif項目を設定"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    resize(460, 520);

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QToolBar(this);
    SpeedBtnClear = MakeToolButton(bar, "SpeedBtnClear", QStringLiteral("クリア"),
                                   QStringLiteral("選択をクリア"));
    SpeedBtnApply = MakeToolButton(bar, "SpeedBtnApply", QStringLiteral("適用"),
                                   QStringLiteral("選択を適用する"));
    SpeedBtnSave = MakeToolButton(bar, "SpeedBtnSave", QStringLiteral("Save"),
                                  QStringLiteral("選択を保存する"));
    SpeedBtnDefault = MakeToolButton(bar, "SpeedBtnDefault", QStringLiteral("既定値にする"),
                                     QStringLiteral("選択を既定値にセット"));
    SpeedButton1 = MakeToolButton(bar, "SpeedButton1", QStringLiteral("Load"),
                                  QStringLiteral("選択を読み込む"));
    SpeedBtnClose =
        MakeToolButton(bar, "SpeedBtnClose", QStringLiteral("閉"), QStringLiteral("閉じる"));
    layout->addWidget(bar);

    GridPKomoku = new GridView(this);
    GridPKomoku->setObjectName(QStringLiteral("StrGridPKomoku"));
    model_ = new StringGridModel(StrGridPKomoku, this);
    model_->SetEditableColumns({2});
    GridPKomoku->setModel(model_);
    GridPKomoku->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    ApplyGridLook(GridPKomoku, StrGridPKomoku);
    GridPKomoku->setSelectionBehavior(QAbstractItemView::SelectItems);
    layout->addWidget(GridPKomoku, 1);
    SpeedButton2 = new QToolButton(this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QStringLiteral("閉じる"));
    layout->addWidget(SpeedButton2, 0, Qt::AlignRight);

    connect(GridPKomoku, &QTableView::clicked, this, [this](const QModelIndex& index) {
        StrGridPKomokuClick(index.column(), model_->GridRow(index.row()));
    });
    connect(SpeedBtnClear, &QToolButton::clicked, this, [this] { BtnClearClick(); });
    connect(SpeedBtnApply, &QToolButton::clicked, this, [this] { BtnApplyClick(); });
    connect(SpeedBtnSave, &QToolButton::clicked, this, [this] { BtnSaveClick(); });
    connect(SpeedBtnDefault, &QToolButton::clicked, this, [this] { BtnSaveAsDefaultClick(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { BtnLoadClick(); });
    connect(SpeedBtnClose, &QToolButton::clicked, this, [this] { BtnCloseClick(); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { BtnCloseClick(); });
}

void ItemChoiceDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void ItemChoiceDialog::FormShow() {
    if (folder_.ExifCount() >= 1)
        FillSampleColumn(StrGridPKomoku, folder_.Base());
    else
        dialogs_.ShowCheckMessage(QStringLiteral("Exif ファイルがありません"));
}

void ItemChoiceDialog::StrGridPKomokuClick(int col, int row) {
    if (col != 1 || row < 1 || row >= StrGridPKomoku.RowCount()) return;
    ItemList items = folder_.ChosenItems();
    if (!ToggleNumberedRow(StrGridPKomoku, items, row, 75)) {
        dialogs_.ShowCheckMessage(QStringLiteral("既に最大項目選択されています"));
        return;
    }
    folder_.SetChosenItems(std::move(items));
}

void ItemChoiceDialog::BtnClearClick() {
    folder_.SetChosenItems({});
    for (int r = 1; r < StrGridPKomoku.RowCount(); ++r)
        StrGridPKomoku.SetCell(1, r, "");
}

void ItemChoiceDialog::BtnApplyClick() {
    ItemList items;
    GridToItemList(StrGridPKomoku, items);
    DisplayAttributes display = folder_.Display();
    SetEmphasisNames(display, EmphasisCandidates(items, StrGridPKomoku));
    folder_.SetDisplay(display);
    // The main window rebuilds the table and the page.
    folder_.ChooseItems(std::move(items));
}

void ItemChoiceDialog::BtnSaveClick() {
    SaveItemFile(QStringLiteral("Exif表示項目の保存"), QStringLiteral("MyPKomoku"));
}

void ItemChoiceDialog::BtnSaveAsDefaultClick() {
    SaveItemFile(QStringLiteral("Exif表示項目の保存(asﾃﾞﾌｫｰﾙﾄ）"), QStringLiteral("Default"));
}

void ItemChoiceDialog::BtnLoadClick() {
    if (LoadItemFile(QStringLiteral("Exif表示項目の読み込み"), QStringLiteral("MyPKomoku")))
        folder_.SetChosenItems(ItemsOf(StrGridPKomoku));
}

static FileDialogRequest PkmRequest(const QString& title, const QString& fileName,
                                    const std::string& folder) {
    return {title, QString::fromStdString(folder), QStringLiteral("pkm"), fileName, kPkmFilter};
}

bool SavePkmFile(DialogService& dialogs, const QString& title, const QString& fileName,
                 const std::string& folder, const StringGrid& items,
                 const DisplayAttributes& attributes) {
    const auto path = dialogs.SaveFile(PkmRequest(title, fileName, folder));
    if (!path) return false;
    const FileResult r = WriteTextLines(path->toStdString(), MakePkmLines(items, attributes));
    if (!r) dialogs.ShowCheckMessage(QString::fromStdString(r.error));
    return r.ok;
}

bool ItemChoiceDialog::SaveItemFile(const QString& title, const QString& fileName) {
    return SavePkmFile(dialogs_, title, fileName, folder_.AppDir(), StrGridPKomoku,
                       folder_.Display());
}

// Reads a whole ".pkm" file, or says why it is not one and gives nothing.
static bool ReadPkm(DialogService& dialogs, const std::string& path,
                    std::vector<std::string>& lines) {
    std::string why;
    if (FileResult r = ReadTextLines(path, lines); !r)
        why = r.error;
    else if (FileResult check = CheckPkmLines(lines); !check)
        why = path + ": " + check.error;
    if (why.empty()) return true;
    dialogs.ShowCheckMessage(QStringLiteral("項目ファイルを読めません。") +
                             QString::fromStdString(why));
    return false;
}

bool ItemChoiceDialog::LoadItemFile(const QString& title, const QString& fileName) {
    const auto path = dialogs_.OpenFile(PkmRequest(title, fileName, folder_.AppDir()));
    std::vector<std::string> lines;
    if (!path || !ReadPkm(dialogs_, path->toStdString(), lines)) return false;
    if (PkmNamesModernItems(lines)) folder_.SetModernItems(true);
    ReadItemGrid(lines, StrGridPKomoku);
    return true;
}

bool ItemChoiceDialog::LoadDefaultItemFile() {
    FolderModel& main = folder_;
    std::string path = main.AppDir() + "/Default.pkm";
    if (!FileExists(path) && !main.Paths().shippedPkm.empty() &&
        FileExists(main.Paths().shippedPkm))
        path = main.Paths().shippedPkm;
    std::vector<std::string> lines;
    if (FileExists(path) && ReadPkm(dialogs_, path, lines)) {
        if (PkmNamesModernItems(lines)) main.SetModernItems(true);
        ReadItemGrid(lines, StrGridPKomoku);
        SetUpItemGrid(StrGridPKomoku, main.ItemCount());
        main.SetChosenItems(ItemsOf(StrGridPKomoku));
        DisplayAttributes a;
        ReadItemFileAttributes(lines, EmphasisCandidates(main.ChosenItems(), StrGridPKomoku), a);
        main.SetDisplay(a);
        return false;
    }
    // A missing file is said so; a damaged one was reported by ReadPkm. Both start from the
    // built-in choice.
    if (!FileExists(path))
        dialogs_.ShowCheckMessage(
            QStringLiteral("Defaultファイルがみつかりません。項目を自動設定します。"));
    DisplayAttributes a;
    ItemList items;
    SetBuiltInChoice(StrGridPKomoku, items, a);
    main.SetChosenItems(std::move(items));
    FillSampleColumn(StrGridPKomoku, main.Base());
    main.SetDisplay(a);
    return true;
}

} // namespace kamelune
