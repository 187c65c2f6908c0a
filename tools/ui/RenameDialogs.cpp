#include "RenameDialogs.h"
#include "platform/qt/GridView.h"
#include "platform/qt/Widgets.h"

#include "catalogue/ItemCatalogue.h"
#include "catalogue/ItemColumns.h"
#include "catalogue/ui/FolderModel.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/StringGridModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace kamelune {
namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

BatchRenameDialog::BatchRenameDialog(FolderModel& folder, DialogService& dialogs)
    : folder_(folder), dialogs_(dialogs) {
    nameGrid = StringGrid(4, 1);
    setObjectName(QStringLiteral("batchRename"));
    setWindowTitle(QStringLiteral("ファイル名の変更"));
    resize(620, 460);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QGridLayout;
    prefixEdit = new QLineEdit(this);
    prefixCheck = new QCheckBox(QStringLiteral("連番をつける"), this);
    firstItemCombo = new QComboBox(this);
    firstItemCheck = new QCheckBox(QStringLiteral("ﾀｲﾄﾙをつける"), this);
    secondItemCombo = new QComboBox(this);
    secondItemCombo->setEditable(true);
    secondItemCheck = new QCheckBox(QStringLiteral("ﾀｲﾄﾙをつける"), this);
    suffixEdit = new QLineEdit(this);
    suffixCheck = new QCheckBox(QStringLiteral("連番をつける"), this);
    extensionCombo = new QComboBox(this);
    extensionCombo->setEditable(true);
    extensionCombo->addItems({".JPG", ".jpg", ".JPEG", ".jpeg"});
    extensionCombo->setCurrentText(QStringLiteral(".JPG"));
    const struct {
        const char* label;
        QWidget* field;
        QWidget* check;
    } rows[] = {{"１）接頭辞", prefixEdit, prefixCheck},
                {"２）Exif項目1", firstItemCombo, firstItemCheck},
                {"３）Exif項目２", secondItemCombo, secondItemCheck},
                {"４）接尾辞", suffixEdit, suffixCheck},
                {"５）拡張子", extensionCombo, nullptr}};
    int r = 0;
    for (const auto& row : rows) {
        form->addWidget(new QLabel(QString::fromUtf8(row.label), this), r, 0);
        form->addWidget(row.field, r, 1);
        if (row.check) form->addWidget(row.check, r, 2);
        ++r;
    }
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    previewButton = MakeToolButton(this, "previewButton", QStringLiteral("変換ファイル名確認"));
    clearButton = MakeToolButton(this, "clearButton", QStringLiteral("クリア"));
    renameAllButton = MakeToolButton(this, "renameAllButton", QStringLiteral("実行"));
    cancelButton = MakeToolButton(this, "cancelButton", QStringLiteral("キャンセル"));
    closeButton = MakeToolButton(this, "closeButton", QStringLiteral("閉じる"));
    for (QToolButton* b : {previewButton, clearButton, renameAllButton, cancelButton, closeButton})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    nameView = new GridView(this);
    nameView->setObjectName(QStringLiteral("nameGrid"));
    model_ = new StringGridModel(nameGrid, this);
    model_->SetEditableColumns({0, 1, 2, 3});
    nameView->setModel(model_);
    nameView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    layout->addWidget(nameView, 1);

    connect(previewButton, &QToolButton::clicked, this, [this] { PreviewNames(); });
    connect(clearButton, &QToolButton::clicked, this, [this] { ClearNames(); });
    connect(renameAllButton, &QToolButton::clicked, this, [this] { RenameListed(); });
    for (QToolButton* b : {cancelButton, closeButton})
        connect(b, &QToolButton::clicked, this, &QDialog::close);
}

void BatchRenameDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FillControls();
}

void BatchRenameDialog::FillControls() {
    const auto& selection = folder_.Selected();
    nameGrid.BeginUpdate();
    nameGrid.SetRowCount(static_cast<int>(selection.size()) + 1);
    nameGrid.SetColCount(4);
    nameGrid.SetFixedRows(1);
    nameGrid.SetFixedCols(0);
    const int widths[] = {40, 40, 140, 360};
    const char* titles[] = {"No", "ID No", "現ファイル名", "変換後ファイル名"};
    for (int c = 0; c < 4; ++c) {
        nameGrid.SetColWidth(c, widths[c]);
        nameGrid.SetCell(c, 0, titles[c]);
    }
    for (std::size_t i = 0; i < selection.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const int pict = selection[i];
        nameGrid.SetCell(0, row, std::to_string(row));
        nameGrid.SetCell(1, row, std::to_string(pict));
        nameGrid.SetCell(2, row, folder_.Base().Cell(kNameCol, pict));
    }
    nameGrid.EndUpdate();
    ApplyGridLook(nameView, nameGrid);
    nameView->setSelectionBehavior(QAbstractItemView::SelectItems);

    for (QComboBox* box : {firstItemCombo, secondItemCombo}) {
        box->clear();
        for (const int item : folder_.ChosenItems())
            box->addItem(Q(folder_.Items().Cell(2, item)));
        box->addItem(QStringLiteral("なし"));
        box->setMaxVisibleItems(box->count());
    }
    firstItemCombo->setCurrentIndex(0);
    secondItemCombo->setCurrentIndex(secondItemCombo->count() - 1);
}

int BatchRenameDialog::ItemOfBox(const QComboBox* box) const {
    // A typed text that names no entry counts as "なし".
    int index = box->currentIndex();
    if (box->isEditable() && box->currentText() != box->itemText(index))
        index = box->findText(box->currentText());
    const auto& items = folder_.ChosenItems();
    if (index < 0 || index >= static_cast<int>(items.size())) return 0;
    return items[index];
}

RenamePattern BatchRenameDialog::Pattern() const {
    RenamePattern p;
    p.prefix = prefixEdit->text().toStdString();
    p.prefixNumber = prefixCheck->isChecked();
    p.item1 = ItemOfBox(firstItemCombo);
    p.heading1 = firstItemCheck->isChecked();
    p.item2 = ItemOfBox(secondItemCombo);
    p.heading2 = secondItemCheck->isChecked();
    p.suffix = suffixEdit->text().toStdString();
    p.suffixNumber = suffixCheck->isChecked();
    p.ext = extensionCombo->currentText().toStdString();
    return p;
}

void BatchRenameDialog::PreviewNames() {
    const RenamePattern p = Pattern();
    for (int i = 1; i < nameGrid.RowCount(); ++i)
        nameGrid.SetCell(3, i,
                         MakeNewFilename(p, i, ItemNumber(nameGrid.Cell(1, i)), folder_.Base(),
                                         folder_.Items()));
}

void BatchRenameDialog::ClearNames() {
    for (int i = 1; i < nameGrid.RowCount(); ++i)
        nameGrid.SetCell(3, i, "");
}

void BatchRenameDialog::RenameListed() {
    std::vector<RenameRow> rows;
    for (int i = 1; i < nameGrid.RowCount(); ++i)
        rows.push_back({std::string(nameGrid.Cell(2, i)), std::string(nameGrid.Cell(3, i))});
    const int count = RenameAll(
        folder_.Places().CurrentDir(), folder_.Places().CacheFolderOfCurrent(), rows,
        [this](const std::string& oldName, const std::string& reason) {
            return dialogs_.AskYesNo(QStringLiteral("確認"),
                                     QStringLiteral("変換に失敗しました。続けますか? ") +
                                         Q(oldName) + u'\n' + Q(reason));
        },
        folder_.Options().rawHeic);
    dialogs_.ShowCheckMessage(QString::number(count) +
                              QStringLiteral("個のファイル名を変換しました。"));
    close();
    folder_.FilesRenamed(true);
}

SingleRenameDialog::SingleRenameDialog(FolderModel& folder, DialogService& dialogs)
    : folder_(folder), dialogs_(dialogs) {
    setObjectName(QStringLiteral("singleRename"));
    setWindowTitle(QStringLiteral("ファイル名の変更"));
    resize(420, 120);
    auto* form = new QGridLayout(this);
    form->addWidget(new QLabel(QStringLiteral("現ファイル名："), this), 0, 0);
    oldNameLabel = new QLabel(this);
    oldNameLabel->setObjectName(QStringLiteral("oldNameLabel"));
    form->addWidget(oldNameLabel, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("新ファイル名："), this), 1, 0);
    newNameEdit = new QLineEdit(this);
    newNameEdit->setObjectName(QStringLiteral("newNameEdit"));
    form->addWidget(newNameEdit, 1, 1);
    auto* buttons = new QHBoxLayout;
    renameOneButton = MakeToolButton(this, "renameOneButton", QStringLiteral("変換"));
    cancelButton = MakeToolButton(this, "cancelButton", QStringLiteral("ｷｬﾝｾﾙ"));
    buttons->addStretch();
    buttons->addWidget(renameOneButton);
    buttons->addWidget(cancelButton);
    form->addLayout(buttons, 2, 0, 1, 2);
    connect(renameOneButton, &QToolButton::clicked, this, [this] { RenameNow(); });
    connect(cancelButton, &QToolButton::clicked, this, &QDialog::close);
}

void SingleRenameDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FillControls();
}

void SingleRenameDialog::FillControls() {
    oldName_ = folder_.Base().Cell(kNameCol, picture_);
    oldNameLabel->setText(Q(oldName_));
    newNameEdit->setText(Q(oldName_));
}

void SingleRenameDialog::RenameNow() {
    // Unchanged as shown: nothing to do, whatever bytes the shown name stands for.
    if (newNameEdit->text() == oldNameLabel->text()) return;
    const std::string newName = newNameEdit->text().toStdString();
    const FileResult r =
        RenamePicture(folder_.Places().CurrentDir(), folder_.Places().CacheFolderOfCurrent(),
                      oldName_, newName, folder_.Options().rawHeic);
    if (r)
        folder_.FilesRenamed(false);
    else
        dialogs_.ShowCheckMessage(QStringLiteral("ファイル名変換に失敗しました\n") + Q(r.error));
    close();
}

} // namespace kamelune
