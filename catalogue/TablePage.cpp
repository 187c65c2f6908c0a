#include "TablePage.h"
#include "catalogue/BaseTable.h"
#include "catalogue/FolderModel.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/GridView.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StringGridModel.h"
#include "platform/qt/Widgets.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>
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
    w_.ToolBarHyo = new QToolBar(this);
    w_.ToolBarHyo->setObjectName(QStringLiteral("ToolBarHyo"));
    w_.ChkBoxImage = new QCheckBox(QStringLiteral("小画像表示"), w_.ToolBarHyo);
    w_.ChkBoxImage->setObjectName(QStringLiteral("ChkBoxImage"));
    w_.ToolBarHyo->addWidget(w_.ChkBoxImage);
    w_.ChkBox3fix = new QCheckBox(QStringLiteral("左３列固定"), w_.ToolBarHyo);
    w_.ChkBox3fix->setObjectName(QStringLiteral("ChkBox3fix"));
    w_.ToolBarHyo->addWidget(w_.ChkBox3fix);
    w_.ToolBarHyo->addSeparator();
    w_.SpeedBtnSetTKomoku =
        MakeToolButton(w_.ToolBarHyo, "SpeedBtnSetTKomoku", QStringLiteral("項目"),
                       QStringLiteral("表示項目の設定"));
    w_.SpeedBtnJump = MakeToolButton(w_.ToolBarHyo, "SpeedBtnJump", QStringLiteral("→"),
                                     QStringLiteral("行にジャンプ"));
    w_.SpinEditJump = new QSpinBox(w_.ToolBarHyo);
    w_.SpinEditJump->setObjectName(QStringLiteral("SpinEditJump"));
    w_.SpinEditJump->setToolTip(QStringLiteral("ジャンプする行をセット"));
    w_.SpinEditJump->setRange(1, 1);
    w_.ToolBarHyo->addWidget(w_.SpinEditJump);
    w_.ToolBarHyo->addSeparator();
    w_.SpeedBtnHTML2 =
        MakeToolButton(w_.ToolBarHyo, "SpeedBtnHTML2", QStringLiteral("HTML2"), QString());
    w_.SpeedBtnTab1 =
        MakeToolButton(w_.ToolBarHyo, "SpeedBtnTab1", QStringLiteral("Tab文（横）"), QString());
    w_.SpeedButton1 =
        MakeToolButton(w_.ToolBarHyo, "SpeedButton1", QStringLiteral("Tab文（縦）"), QString());
    layout->addWidget(w_.ToolBarHyo);
    w_.StrGridExif = new GridView(this);
    w_.StrGridExif->setObjectName(QStringLiteral("StrGridExif"));
    w_.StrGridExif->setToolTip(QStringLiteral("右クリックで、スライドショー、隠蔽、消去"));
    w_.StrGridExif->setStyleSheet(QStringLiteral("QTableView { background: white; }"));
    exifModel_ = new StringGridModel(model_.View(), this);
    w_.StrGridExif->setModel(exifModel_);
    w_.StrGridExif->setContextMenuPolicy(Qt::NoContextMenu);
    layout->addWidget(w_.StrGridExif, 1);

    connect(w_.ChkBox3fix, &QCheckBox::clicked, this, [this] { ChkBox3fixClick(); });
    connect(w_.StrGridExif, &QTableView::doubleClicked, this, [this] { StrGridExifDblClick(); });
    connect(w_.SpeedBtnJump, &QToolButton::clicked, this, [this] { SpeedBtnJumpClick(); });
    connect(w_.SpinEditJump, &QSpinBox::valueChanged, this, [this] { SpinEditJumpChange(); });
    connect(w_.ChkBoxImage, &QCheckBox::clicked, this, &TablePage::smallPictureToggled);
    connect(w_.SpeedBtnSetTKomoku, &QToolButton::clicked, this, &TablePage::itemsRequested);
    connect(w_.SpeedBtnHTML2, &QToolButton::clicked, this, &TablePage::html2Requested);
    connect(w_.SpeedBtnTab1, &QToolButton::clicked, this, &TablePage::tabWideRequested);
    connect(w_.SpeedButton1, &QToolButton::clicked, this, &TablePage::tabTallRequested);
    // Presses on the table select and ask for the popup menu; Space and Enter act on its row.
    w_.StrGridExif->viewport()->installEventFilter(this);
    w_.StrGridExif->installEventFilter(this);
}

bool TablePage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == w_.StrGridExif && event->type() == QEvent::KeyPress) {
        // The table by keyboard: arrows move the current row (the view's own), Space selects or
        // unselects its picture, Enter opens the slideshow there.
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int row = CurrentTableRow();
        if (row < 1 || row > model_.View().RowCount() - 1) return false;
        if (key == Qt::Key_Space) {
            emit selectionClicked(row);
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit openRequested();
            return true;
        }
        return false;
    }
    if (watched == w_.StrGridExif->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        StrGridExifMouseDown(mouse->button(), mouse->position().toPoint());
        return mouse->button() == Qt::RightButton;
    }
    return QWidget::eventFilter(watched, event);
}

void TablePage::StrGridExifMouseDown(Qt::MouseButton button, const QPoint& pos) {
    const QModelIndex index = w_.StrGridExif->indexAt(pos);
    if (!index.isValid()) return;
    const int row = index.row() + 1; // the title row is the header
    if (row < 1 || row > model_.View().RowCount() - 1) return;
    if (button == Qt::LeftButton) {
        if (index.column() == 1)
            emit selectionClicked(row);
        else
            emit rowClicked(row);
    } else if (button == Qt::RightButton) {
        w_.StrGridExif->selectRow(index.row());
        w_.StrGridExif->setCurrentIndex(index);
        emit menuRequested(w_.StrGridExif->viewport()->mapToGlobal(pos));
    }
}

void TablePage::SelectRow(int row) {
    w_.StrGridExif->selectRow(row - 1);
}

bool TablePage::SmallPictureOn() const {
    return w_.ChkBoxImage->isChecked();
}

void TablePage::SetCommandsEnabled(bool on) {
    for (QToolButton* b : {w_.SpeedBtnHTML2, w_.SpeedBtnTab1, w_.SpeedButton1})
        b->setEnabled(on);
}

QRect TablePage::TableRectIn(const QWidget* ancestor) const {
    return QRect(w_.StrGridExif->mapTo(ancestor, QPoint(0, 0)), w_.StrGridExif->size());
}

void TablePage::ApplyViewLook() {
    model_.SetViewLook(w_.ChkBox3fix->isChecked());
    ApplyGridLook(w_.StrGridExif, model_.View(), 2);
}

void TablePage::ChkBox3fixClick() {
    ApplyViewLook();
}

void TablePage::SetSpinEditJump() {
    w_.SpinEditJump->setRange(1, std::max(1, model_.View().RowCount() - 1));
    w_.SpinEditJump->setValue(1);
}

void TablePage::SpeedBtnJumpClick() {
    const int row = w_.SpinEditJump->value();
    const QModelIndex current = w_.StrGridExif->currentIndex();
    if (current.isValid() && current.row() + 1 == row) return;
    w_.StrGridExif->selectRow(row - 1);
}

void TablePage::SpinEditJumpChange() {
    if (w_.SpinEditJump->value() > model_.View().RowCount())
        w_.SpinEditJump->setValue(model_.View().RowCount() - 1);
}

void TablePage::StrGridExifDblClick() {
    const QModelIndex current = w_.StrGridExif->currentIndex();
    if (!current.isValid()) return;
    const std::string& name = model_.View().Cell(2, exifModel_->GridRow(current.row()));
    if (name.empty()) return;
    if (const FileResult r =
            OpenDocument(QString::fromStdString(JoinPath(model_.CurrentDir(), name)));
        !r)
        dialogs_.ShowCheckMessage(QString::fromStdString(r.error));
}

int TablePage::CurrentTableRow() const {
    const QModelIndex current = w_.StrGridExif->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void TablePage::MakePictureCurrent(const std::string& name) {
    for (int r = 1; r < model_.View().RowCount(); ++r)
        if (model_.View().Cell(2, r) == name) {
            w_.StrGridExif->setCurrentIndex(exifModel_->index(r - 1, 2));
            w_.StrGridExif->selectRow(r - 1);
            return;
        }
}

} // namespace kamelune
