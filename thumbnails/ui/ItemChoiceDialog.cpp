#include "ItemChoiceDialog.h"
#include "platform/qt/GridView.h"
#include "platform/qt/Widgets.h"

#include "catalogue/ItemCatalogue.h"
#include "catalogue/ui/FolderModel.h"
#include "platform/TextFile.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/StringGridModel.h"
#include "thumbnails/Pkm.h"
#include "thumbnails/ui/DisplaySettingsDialog.h"

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
    : folder_(folder), dialogs_(dialogs) {
    itemGrid = folder.Items();
    chosen_ = folder.ChosenItems();
    setObjectName(QStringLiteral("itemChoice"));
    setWindowTitle(QStringLiteral("表示するExif項目を設定"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    resize(460, 520);

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QToolBar(this);
    clearButton = MakeToolButton(bar, "clearButton", QStringLiteral("クリア"),
                                 QStringLiteral("選択をクリア"));
    applyButton = MakeToolButton(bar, "applyButton", QStringLiteral("適用"),
                                 QStringLiteral("選択を適用する"));
    saveButton =
        MakeToolButton(bar, "saveButton", QStringLiteral("Save"), QStringLiteral("選択を保存する"));
    saveAsDefaultButton = MakeToolButton(bar, "saveAsDefaultButton", QStringLiteral("既定値にする"),
                                         QStringLiteral("選択を既定値にセット"));
    loadButton =
        MakeToolButton(bar, "loadButton", QStringLiteral("Load"), QStringLiteral("選択を読み込む"));
    closeButton =
        MakeToolButton(bar, "closeButton", QStringLiteral("閉"), QStringLiteral("閉じる"));
    layout->addWidget(bar);

    itemView = new GridView(this);
    itemView->setObjectName(QStringLiteral("itemGrid"));
    model_ = new StringGridModel(itemGrid, this);
    model_->SetEditableColumns({2});
    itemView->setModel(model_);
    itemView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    ApplyGridLook(itemView, itemGrid);
    itemView->setSelectionBehavior(QAbstractItemView::SelectItems);
    layout->addWidget(itemView, 1);
    bottomCloseButton = new QToolButton(this);
    bottomCloseButton->setObjectName(QStringLiteral("bottomCloseButton"));
    bottomCloseButton->setText(QStringLiteral("閉じる"));
    layout->addWidget(bottomCloseButton, 0, Qt::AlignRight);

    connect(itemView, &QTableView::clicked, this, [this](const QModelIndex& index) {
        ItemClicked(index.column(), model_->GridRow(index.row()));
    });
    connect(clearButton, &QToolButton::clicked, this, [this] { ClearChoices(); });
    connect(applyButton, &QToolButton::clicked, this, [this] { Apply(); });
    connect(saveButton, &QToolButton::clicked, this, [this] { SaveToFile(); });
    connect(saveAsDefaultButton, &QToolButton::clicked, this, [this] { SaveAsDefault(); });
    connect(loadButton, &QToolButton::clicked, this, [this] { OpenFromFile(); });
    connect(closeButton, &QToolButton::clicked, this, [this] { close(); });
    connect(bottomCloseButton, &QToolButton::clicked, this, [this] { close(); });
    // The catalogue changed elsewhere (today's items came or went, a choice was applied): the
    // copy follows.
    connect(&folder, &FolderModel::itemCountChanged, this, [this] { TakeCatalogue(); });
    connect(&folder, &FolderModel::itemsChanged, this, [this] { TakeCatalogue(); });
    connect(&folder, &FolderModel::changed, this, [this](FolderModel::Aspect aspect) {
        if (aspect == FolderModel::Aspect::ItemCatalogue ||
            aspect == FolderModel::Aspect::ChosenItems)
            TakeCatalogue();
    });
}

void ItemChoiceDialog::TakeCatalogue() {
    if (!itemGrid.SameCells(folder_.Items())) itemGrid.TakeCells(StringGrid(folder_.Items()));
    chosen_ = folder_.ChosenItems();
}

void ItemChoiceDialog::GiveCatalogue() {
    folder_.SetItemCatalogue(itemGrid, chosen_);
}

void ItemChoiceDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FillControls();
}

void ItemChoiceDialog::FillControls() {
    TakeCatalogue();
    if (folder_.ExifCount() >= 1)
        FillSampleColumn(itemGrid, folder_.Base());
    else
        dialogs_.ShowCheckMessage(QStringLiteral("Exif ファイルがありません"));
}

void ItemChoiceDialog::ItemClicked(int col, int row) {
    if (col != 1 || row < 1 || row >= itemGrid.RowCount()) return;
    if (!ToggleNumberedRow(itemGrid, chosen_, row, 75))
        dialogs_.ShowCheckMessage(QStringLiteral("既に最大項目選択されています"));
}

void ItemChoiceDialog::ClearChoices() {
    chosen_.clear();
    for (int r = 1; r < itemGrid.RowCount(); ++r)
        itemGrid.SetCell(1, r, "");
}

void ItemChoiceDialog::Apply() {
    ItemList items;
    GridToItemList(itemGrid, items);
    chosen_ = items;
    GiveCatalogue();
    DisplayAttributes display = folder_.Display();
    SetEmphasisNames(display, EmphasisCandidates(items, itemGrid));
    folder_.SetDisplay(display);
    // The main window rebuilds the table and the page.
    folder_.ChooseItems(std::move(items));
}

void ItemChoiceDialog::SaveToFile() {
    SaveItemFile(QStringLiteral("Exif表示項目の保存"), QStringLiteral("MyPKomoku"));
}

void ItemChoiceDialog::SaveAsDefault() {
    SaveItemFile(QStringLiteral("Exif表示項目の保存(asﾃﾞﾌｫｰﾙﾄ）"), QStringLiteral("Default"));
}

void ItemChoiceDialog::OpenFromFile() {
    if (LoadItemFile(QStringLiteral("Exif表示項目の読み込み"), QStringLiteral("MyPKomoku"))) {
        chosen_ = ItemsOf(itemGrid);
        GiveCatalogue();
    }
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
    return SavePkmFile(dialogs_, title, fileName, folder_.Places().AppDir(), itemGrid,
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
    const auto path = dialogs_.OpenFile(PkmRequest(title, fileName, folder_.Places().AppDir()));
    std::vector<std::string> lines;
    if (!path || !ReadPkm(dialogs_, path->toStdString(), lines)) return false;
    if (PkmNamesModernItems(lines)) folder_.SetModernItems(true);
    ReadItemGrid(lines, itemGrid);
    return true;
}

bool ItemChoiceDialog::LoadDefaultItemFile() {
    FolderModel& main = folder_;
    std::string path = main.Places().AppDir() + "/Default.pkm";
    if (!FileExists(path) && !main.Places().Paths().shippedPkm.empty() &&
        FileExists(main.Places().Paths().shippedPkm))
        path = main.Places().Paths().shippedPkm;
    std::vector<std::string> lines;
    if (FileExists(path) && ReadPkm(dialogs_, path, lines)) {
        if (PkmNamesModernItems(lines)) main.SetModernItems(true);
        ReadItemGrid(lines, itemGrid);
        SetUpItemGrid(itemGrid, main.ItemCount());
        chosen_ = ItemsOf(itemGrid);
        GiveCatalogue();
        DisplayAttributes a;
        ReadItemFileAttributes(lines, EmphasisCandidates(main.ChosenItems(), itemGrid), a);
        main.SetDisplay(a);
        return false;
    }
    // A missing file is said so; a damaged one was reported by ReadPkm. Both start from the
    // built-in choice.
    if (!FileExists(path))
        dialogs_.ShowCheckMessage(
            QStringLiteral("Defaultファイルがみつかりません。項目を自動設定します。"));
    DisplayAttributes a;
    SetBuiltInChoice(itemGrid, chosen_, a);
    FillSampleColumn(itemGrid, main.Base());
    GiveCatalogue();
    main.SetDisplay(a);
    return true;
}

} // namespace kamelune
