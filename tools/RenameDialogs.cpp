#include "RenameDialogs.h"
#include "platform/qt/GridView.h"
#include "platform/qt/Widgets.h"

#include "catalogue/BaseTable.h"
#include "catalogue/FolderModel.h"
#include "catalogue/ItemCatalogue.h"
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

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

BatchRenameDialog::BatchRenameDialog(FolderModel& folder, DialogService& dialogs)
    : StrGridFname(4, 1), folder_(folder), dialogs_(dialogs) {
    setObjectName(QStringLiteral("FormRename"));
    setWindowTitle(QStringLiteral("ファイル名の変更"));
    resize(620, 460);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QGridLayout;
    EditAtama = new QLineEdit(this);
    ChkBoxAtama = new QCheckBox(QStringLiteral("連番をつける"), this);
    CmbBoxKomoku1 = new QComboBox(this);
    ChkBoxKomoku1 = new QCheckBox(QStringLiteral("ﾀｲﾄﾙをつける"), this);
    CmbBoxKomoku2 = new QComboBox(this);
    CmbBoxKomoku2->setEditable(true);
    ChkBoxKomoku2 = new QCheckBox(QStringLiteral("ﾀｲﾄﾙをつける"), this);
    EditSippo = new QLineEdit(this);
    ChkBoxSippo = new QCheckBox(QStringLiteral("連番をつける"), this);
    CmbBoxExt = new QComboBox(this);
    CmbBoxExt->setEditable(true);
    CmbBoxExt->addItems({".JPG", ".jpg", ".JPEG", ".jpeg"});
    CmbBoxExt->setCurrentText(QStringLiteral(".JPG"));
    const struct {
        const char* label;
        QWidget* field;
        QWidget* check;
    } rows[] = {{"１）接頭辞", EditAtama, ChkBoxAtama},
                {"２）Exif項目1", CmbBoxKomoku1, ChkBoxKomoku1},
                {"３）Exif項目２", CmbBoxKomoku2, ChkBoxKomoku2},
                {"４）接尾辞", EditSippo, ChkBoxSippo},
                {"５）拡張子", CmbBoxExt, nullptr}};
    int r = 0;
    for (const auto& row : rows) {
        form->addWidget(new QLabel(QString::fromUtf8(row.label), this), r, 0);
        form->addWidget(row.field, r, 1);
        if (row.check) form->addWidget(row.check, r, 2);
        ++r;
    }
    layout->addLayout(form);
    auto* buttons = new QHBoxLayout;
    SpeedBtnKakunin = MakeToolButton(this, "SpeedBtnKakunin", QStringLiteral("変換ファイル名確認"));
    SpeedBtnClear = MakeToolButton(this, "SpeedBtnClear", QStringLiteral("クリア"));
    SpeedBtnJiko = MakeToolButton(this, "SpeedBtnJiko", QStringLiteral("実行"));
    SpeedBtnCansel = MakeToolButton(this, "SpeedBtnCansel", QStringLiteral("キャンセル"));
    SpeedBtnClose = MakeToolButton(this, "SpeedBtnClose", QStringLiteral("閉じる"));
    for (QToolButton* b :
         {SpeedBtnKakunin, SpeedBtnClear, SpeedBtnJiko, SpeedBtnCansel, SpeedBtnClose})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    GridFname = new GridView(this);
    GridFname->setObjectName(QStringLiteral("StrGridFname"));
    model_ = new StringGridModel(StrGridFname, this);
    model_->SetEditableColumns({0, 1, 2, 3});
    GridFname->setModel(model_);
    GridFname->setEditTriggers(QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed);
    layout->addWidget(GridFname, 1);

    connect(SpeedBtnKakunin, &QToolButton::clicked, this, [this] { SpeedBtnKakuninClick(); });
    connect(SpeedBtnClear, &QToolButton::clicked, this, [this] { SpeedBtnClearClick(); });
    connect(SpeedBtnJiko, &QToolButton::clicked, this, [this] { SpeedBtnJikoClick(); });
    for (QToolButton* b : {SpeedBtnCansel, SpeedBtnClose})
        connect(b, &QToolButton::clicked, this, &QDialog::close);
}

void BatchRenameDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void BatchRenameDialog::FormShow() {
    const auto& selection = folder_.Selected();
    StrGridFname.BeginUpdate();
    StrGridFname.SetRowCount(static_cast<int>(selection.size()) + 1);
    StrGridFname.SetColCount(4);
    StrGridFname.SetFixedRows(1);
    StrGridFname.SetFixedCols(0);
    const int widths[] = {40, 40, 140, 360};
    const char* titles[] = {"No", "ID No", "現ファイル名", "変換後ファイル名"};
    for (int c = 0; c < 4; ++c) {
        StrGridFname.SetColWidth(c, widths[c]);
        StrGridFname.SetCell(c, 0, titles[c]);
    }
    for (std::size_t i = 0; i < selection.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const int pict = selection[i];
        StrGridFname.SetCell(0, row, std::to_string(row));
        StrGridFname.SetCell(1, row, std::to_string(pict));
        StrGridFname.SetCell(2, row, folder_.Base().Cell(kNameCol, pict));
    }
    StrGridFname.EndUpdate();
    ApplyGridLook(GridFname, StrGridFname);
    GridFname->setSelectionBehavior(QAbstractItemView::SelectItems);

    for (QComboBox* box : {CmbBoxKomoku1, CmbBoxKomoku2}) {
        box->clear();
        for (const int item : folder_.ChosenItems())
            box->addItem(Q(folder_.Items().Cell(2, item)));
        box->addItem(QStringLiteral("なし"));
        box->setMaxVisibleItems(box->count());
    }
    CmbBoxKomoku1->setCurrentIndex(0);
    CmbBoxKomoku2->setCurrentIndex(CmbBoxKomoku2->count() - 1);
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
    p.prefix = EditAtama->text().toStdString();
    p.prefixNumber = ChkBoxAtama->isChecked();
    p.item1 = ItemOfBox(CmbBoxKomoku1);
    p.heading1 = ChkBoxKomoku1->isChecked();
    p.item2 = ItemOfBox(CmbBoxKomoku2);
    p.heading2 = ChkBoxKomoku2->isChecked();
    p.suffix = EditSippo->text().toStdString();
    p.suffixNumber = ChkBoxSippo->isChecked();
    p.ext = CmbBoxExt->currentText().toStdString();
    return p;
}

void BatchRenameDialog::SpeedBtnKakuninClick() {
    const RenamePattern p = Pattern();
    for (int i = 1; i < StrGridFname.RowCount(); ++i)
        StrGridFname.SetCell(3, i,
                             MakeNewFilename(p, i, ItemNumber(StrGridFname.Cell(1, i)),
                                             folder_.Base(), folder_.Items()));
}

void BatchRenameDialog::SpeedBtnClearClick() {
    for (int i = 1; i < StrGridFname.RowCount(); ++i)
        StrGridFname.SetCell(3, i, "");
}

void BatchRenameDialog::SpeedBtnJikoClick() {
    std::vector<RenameRow> rows;
    for (int i = 1; i < StrGridFname.RowCount(); ++i)
        rows.push_back({StrGridFname.Cell(2, i), StrGridFname.Cell(3, i)});
    const int count =
        RenameAll(folder_.CurrentDir(), folder_.CacheFolderOfCurrent(), rows,
                  [this](const std::string& oldName, const std::string& reason) {
                      return dialogs_.AskYesNo(QStringLiteral("確認"),
                                               QStringLiteral("変換に失敗しました。続けますか? ") +
                                                   Q(oldName) + u'\n' + Q(reason));
                  });
    dialogs_.ShowCheckMessage(QString::number(count) +
                              QStringLiteral("個のファイル名を変換しました。"));
    close();
    folder_.FilesRenamed(true);
}

SingleRenameDialog::SingleRenameDialog(FolderModel& folder, DialogService& dialogs)
    : folder_(folder), dialogs_(dialogs) {
    setObjectName(QStringLiteral("FormRename2"));
    setWindowTitle(QStringLiteral("ファイル名の変更"));
    resize(420, 120);
    auto* form = new QGridLayout(this);
    form->addWidget(new QLabel(QStringLiteral("現ファイル名："), this), 0, 0);
    LabelOldFname = new QLabel(this);
    LabelOldFname->setObjectName(QStringLiteral("LabelOldFname"));
    form->addWidget(LabelOldFname, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("新ファイル名："), this), 1, 0);
    EditNewFname = new QLineEdit(this);
    EditNewFname->setObjectName(QStringLiteral("EditNewFname"));
    form->addWidget(EditNewFname, 1, 1);
    auto* buttons = new QHBoxLayout;
    SpeedBtnHenkan = MakeToolButton(this, "SpeedBtnHenkan", QStringLiteral("変換"));
    SpeedBtnCansel = MakeToolButton(this, "SpeedBtnCansel", QStringLiteral("ｷｬﾝｾﾙ"));
    buttons->addStretch();
    buttons->addWidget(SpeedBtnHenkan);
    buttons->addWidget(SpeedBtnCansel);
    form->addLayout(buttons, 2, 0, 1, 2);
    connect(SpeedBtnHenkan, &QToolButton::clicked, this, [this] { SpeedBtnHenkanClick(); });
    connect(SpeedBtnCansel, &QToolButton::clicked, this, &QDialog::close);
}

void SingleRenameDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void SingleRenameDialog::FormShow() {
    oldName_ = folder_.Base().Cell(kNameCol, picture_);
    LabelOldFname->setText(Q(oldName_));
    EditNewFname->setText(Q(oldName_));
}

void SingleRenameDialog::SpeedBtnHenkanClick() {
    // Unchanged as shown: nothing to do, whatever bytes the shown name stands for.
    if (EditNewFname->text() == LabelOldFname->text()) return;
    const std::string newName = EditNewFname->text().toStdString();
    const FileResult r =
        RenamePicture(folder_.CurrentDir(), folder_.CacheFolderOfCurrent(), oldName_, newName);
    if (r)
        folder_.FilesRenamed(false);
    else
        dialogs_.ShowCheckMessage(QStringLiteral("ファイル名変換に失敗しました\n") + Q(r.error));
    close();
}

} // namespace kamelune
