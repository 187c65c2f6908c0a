#include "TablePage.h"
#include "catalogue/BaseTable.h"
#include "catalogue/FolderModel.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/GridView.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StringGridModel.h"
#include "platform/qt/Widgets.h"

#include <QCheckBox>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kamelune {

TablePage::TablePage(FolderModel& model, DialogService& dialogs, QWidget* parent)
    : QWidget(parent), model_(model), dialogs_(dialogs) {
    setObjectName(QStringLiteral("TabSheetTable"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ToolBarHyo = new QToolBar(this);
    ToolBarHyo->setObjectName(QStringLiteral("ToolBarHyo"));
    ChkBoxImage = new QCheckBox(QStringLiteral("小画像表示"), ToolBarHyo);
    ChkBoxImage->setObjectName(QStringLiteral("ChkBoxImage"));
    ToolBarHyo->addWidget(ChkBoxImage);
    ChkBox3fix = new QCheckBox(QStringLiteral("左３列固定"), ToolBarHyo);
    ChkBox3fix->setObjectName(QStringLiteral("ChkBox3fix"));
    ToolBarHyo->addWidget(ChkBox3fix);
    ToolBarHyo->addSeparator();
    SpeedBtnSetTKomoku = MakeToolButton(ToolBarHyo, "SpeedBtnSetTKomoku", QStringLiteral("項目"),
                                        QStringLiteral("表示項目の設定"));
    SpeedBtnJump = MakeToolButton(ToolBarHyo, "SpeedBtnJump", QStringLiteral("→"),
                                  QStringLiteral("行にジャンプ"));
    SpinEditJump = new QSpinBox(ToolBarHyo);
    SpinEditJump->setObjectName(QStringLiteral("SpinEditJump"));
    SpinEditJump->setToolTip(QStringLiteral("ジャンプする行をセット"));
    SpinEditJump->setRange(1, 1);
    ToolBarHyo->addWidget(SpinEditJump);
    ToolBarHyo->addSeparator();
    SpeedBtnHTML2 = MakeToolButton(ToolBarHyo, "SpeedBtnHTML2", QStringLiteral("HTML2"), QString());
    SpeedBtnTab1 =
        MakeToolButton(ToolBarHyo, "SpeedBtnTab1", QStringLiteral("Tab文（横）"), QString());
    SpeedButton1 =
        MakeToolButton(ToolBarHyo, "SpeedButton1", QStringLiteral("Tab文（縦）"), QString());
    layout->addWidget(ToolBarHyo);
    StrGridExif = new GridView(this);
    StrGridExif->setObjectName(QStringLiteral("StrGridExif"));
    StrGridExif->setToolTip(QStringLiteral("右クリックで、スライドショー、隠蔽、消去"));
    StrGridExif->setStyleSheet(QStringLiteral("QTableView { background: white; }"));
    exifModel_ = new StringGridModel(model_.View(), this);
    StrGridExif->setModel(exifModel_);
    StrGridExif->setContextMenuPolicy(Qt::NoContextMenu);
    layout->addWidget(StrGridExif, 1);

    connect(ChkBox3fix, &QCheckBox::clicked, this, [this] { ChkBox3fixClick(); });
    connect(StrGridExif, &QTableView::doubleClicked, this, [this] { StrGridExifDblClick(); });
    connect(SpeedBtnJump, &QToolButton::clicked, this, [this] { SpeedBtnJumpClick(); });
    connect(SpinEditJump, &QSpinBox::valueChanged, this, [this] { SpinEditJumpChange(); });
}

void TablePage::ApplyViewLook() {
    model_.SetViewLook(ChkBox3fix->isChecked());
    ApplyGridLook(StrGridExif, model_.View());
}

void TablePage::ChkBox3fixClick() {
    ApplyViewLook();
}

void TablePage::SetSpinEditJump() {
    SpinEditJump->setRange(1, std::max(1, model_.View().RowCount() - 1));
    SpinEditJump->setValue(1);
}

void TablePage::SpeedBtnJumpClick() {
    const int row = SpinEditJump->value();
    const QModelIndex current = StrGridExif->currentIndex();
    if (current.isValid() && current.row() + 1 == row) return;
    StrGridExif->selectRow(row - 1);
}

void TablePage::SpinEditJumpChange() {
    if (SpinEditJump->value() > model_.View().RowCount())
        SpinEditJump->setValue(model_.View().RowCount() - 1);
}

void TablePage::StrGridExifDblClick() {
    const QModelIndex current = StrGridExif->currentIndex();
    if (!current.isValid()) return;
    const std::string& name = model_.View().Cell(2, exifModel_->GridRow(current.row()));
    if (name.empty()) return;
    if (const FileResult r =
            OpenDocument(QString::fromStdString(JoinPath(model_.CurrentDir(), name)));
        !r)
        dialogs_.ShowCheckMessage(QString::fromStdString(r.error));
}

int TablePage::CurrentTableRow() const {
    const QModelIndex current = StrGridExif->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void TablePage::MakePictureCurrent(const std::string& name) {
    for (int r = 1; r < model_.View().RowCount(); ++r)
        if (model_.View().Cell(2, r) == name) {
            StrGridExif->setCurrentIndex(exifModel_->index(r - 1, 2));
            StrGridExif->selectRow(r - 1);
            return;
        }
}

} // namespace kamelune
