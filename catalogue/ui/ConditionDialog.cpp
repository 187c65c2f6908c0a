#include "catalogue/ui/ConditionDialog.h"

#include "catalogue/Selection.h"
#include "catalogue/ui/FolderModel.h"
#include "platform/qt/DialogService.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kamelune {

ConditionDialog::ConditionDialog(FolderModel& model, DialogService& dialogs, QWidget* parent)
    : QDialog(parent), model_(model), dialogs_(dialogs) {
    setObjectName(QStringLiteral("ConditionDialog"));
    setWindowTitle(QStringLiteral("条件で選択"));
    Build();
    connect(&model_, &FolderModel::itemCountChanged, this, [this] {
        if (rows[0].itemCombo->count() > 0) FillItems();
    });
}

void ConditionDialog::Build() {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        ConditionRow& r = rows[k];
        const int at = static_cast<int>(k);
        r.itemCombo = new QComboBox(this);
        r.itemCombo->setObjectName(QStringLiteral("itemCombo%1").arg(at + 1));
        r.itemCombo->setMaxVisibleItems(24);
        r.testCombo = new QComboBox(this);
        r.testCombo->setObjectName(QStringLiteral("testCombo%1").arg(at + 1));
        for (const std::string& name : ConditionTestNames())
            r.testCombo->addItem(QString::fromStdString(name));
        r.valueEdit = new QLineEdit(this);
        r.valueEdit->setObjectName(QStringLiteral("valueEdit%1").arg(at + 1));
        r.upToEdit = new QLineEdit(this);
        r.upToEdit->setObjectName(QStringLiteral("upToEdit%1").arg(at + 1));
        r.upToEdit->setPlaceholderText(QStringLiteral("範囲の上限"));
        grid->addWidget(r.itemCombo, at, 0);
        grid->addWidget(r.valueEdit, at, 1);
        grid->addWidget(r.testCombo, at, 2);
        grid->addWidget(r.upToEdit, at, 3);
        const auto showUpTo = [&r] {
            r.upToEdit->setEnabled(r.testCombo->currentIndex() ==
                                   static_cast<int>(ConditionTest::Between));
        };
        connect(r.testCombo, &QComboBox::currentIndexChanged, this, showUpTo);
        showUpTo();
    }
    layout->addLayout(grid);
    auto* join = new QHBoxLayout;
    allButton = new QRadioButton(QStringLiteral("すべてを満たす (AND)"), this);
    anyButton = new QRadioButton(QStringLiteral("いずれかを満たす (OR)"), this);
    allButton->setChecked(true);
    // Two choices of one of each: AND or OR, and what becomes of the selection.
    auto* joinGroup = new QButtonGroup(this);
    joinGroup->addButton(allButton);
    joinGroup->addButton(anyButton);
    join->addWidget(allButton);
    join->addWidget(anyButton);
    join->addStretch(1);
    layout->addLayout(join);
    layout->addWidget(new QLabel(
        QStringLiteral("文字で指定（空でなければこちらを使う）: 例 ISO>=1600 AND Lens~\"70-200\""),
        this));
    textEdit = new QLineEdit(this);
    textEdit->setObjectName(QStringLiteral("textEdit"));
    layout->addWidget(textEdit);
    auto* change = new QHBoxLayout;
    replaceButton = new QRadioButton(QStringLiteral("新しく選択"), this);
    extendButton = new QRadioButton(QStringLiteral("選択に追加"), this);
    narrowButton = new QRadioButton(QStringLiteral("選択を絞り込む"), this);
    replaceButton->setChecked(true);
    auto* changeGroup = new QButtonGroup(this);
    for (QRadioButton* b : {replaceButton, extendButton, narrowButton})
        changeGroup->addButton(b);
    for (QRadioButton* b : {replaceButton, extendButton, narrowButton})
        change->addWidget(b);
    change->addStretch(1);
    layout->addLayout(change);
    resultLabel = new QLabel(this);
    layout->addWidget(resultLabel);
    auto* buttons = new QHBoxLayout;
    selectButton = new QPushButton(QStringLiteral("選択"), this);
    selectButton->setDefault(true);
    closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    buttons->addStretch(1);
    buttons->addWidget(selectButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    connect(selectButton, &QPushButton::clicked, this, &ConditionDialog::SelectNow);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

void ConditionDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (rows[0].itemCombo->count() == 0) FillItems(); // when first shown, not at the start
}

void ConditionDialog::FillItems() {
    const int items = model_.ModernItems() ? kAllItemCount : kItemCount;
    for (ConditionRow& r : rows) {
        const int chosen = r.itemCombo->currentIndex();
        r.itemCombo->clear();
        r.itemCombo->addItem(QStringLiteral("（なし）"));
        for (int k = 1; k <= items; ++k)
            r.itemCombo->addItem(QString::fromUtf8(CatalogueItemOf(k).gridTitle));
        r.itemCombo->setCurrentIndex(chosen >= 0 && chosen <= items ? chosen : 0);
    }
}

ParsedConditions ConditionDialog::ReadConditions() const {
    const int items = model_.ModernItems() ? kAllItemCount : kItemCount;
    if (!textEdit->text().trimmed().isEmpty())
        return ParseConditions(textEdit->text().toStdString(), items);
    ParsedConditions out;
    out.set.any = anyButton->isChecked();
    for (const ConditionRow& r : rows) {
        if (r.itemCombo->currentIndex() <= 0) continue;
        Condition c;
        c.item = r.itemCombo->currentIndex();
        c.test = static_cast<ConditionTest>(r.testCombo->currentIndex());
        c.value = r.valueEdit->text().toStdString();
        c.upTo = r.upToEdit->text().toStdString();
        out.set.conditions.push_back(std::move(c));
    }
    if (out.set.conditions.empty()) out.error = "条件がありません";
    return out;
}

bool ConditionDialog::SelectNow() {
    const ParsedConditions read = ReadConditions();
    if (!read.error.empty()) {
        dialogs_.ShowCheckMessage(QString::fromStdString(read.error));
        return false;
    }
    const PictureList matching =
        MatchingPictures(model_.Base(), read.set, PicturesInViewOrder(model_.View()));
    const SelectionChange change = extendButton->isChecked()   ? SelectionChange::Extend
                                   : narrowButton->isChecked() ? SelectionChange::Narrow
                                                               : SelectionChange::Replace;
    const PictureList chosen = ChangeSelectionBy(model_.Selected(), matching, change);
    model_.ChangeSelection([&chosen](SelectionTables& t) { return SelectPictures(t, chosen); });
    resultLabel->setText(QStringLiteral("条件に合う画像: %1枚　選択: %2枚")
                             .arg(matching.size())
                             .arg(model_.Selected().size()));
    return true;
}

} // namespace kamelune
