#include "TablePage.h"
#include "catalogue/FolderScan.h"
#include "catalogue/ui/FolderModel.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/GridView.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StringGridModel.h"
#include "platform/qt/Widgets.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kamelune {

TablePage::TablePage(FolderModel& model, DialogService& dialogs, QWidget* parent)
    : QWidget(parent), model_(model), dialogs_(dialogs) {
    setObjectName(QStringLiteral("tablePage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    w_.tableToolBar = new QToolBar(this);
    w_.tableToolBar->setObjectName(QStringLiteral("tableToolBar"));
    w_.smallPictureCheck = new QCheckBox(QStringLiteral("小画像表示"), w_.tableToolBar);
    w_.smallPictureCheck->setObjectName(QStringLiteral("smallPictureCheck"));
    w_.tableToolBar->addWidget(w_.smallPictureCheck);
    w_.threeFixedCheck = new QCheckBox(QStringLiteral("左３列固定"), w_.tableToolBar);
    w_.threeFixedCheck->setObjectName(QStringLiteral("threeFixedCheck"));
    w_.tableToolBar->addWidget(w_.threeFixedCheck);
    w_.tableToolBar->addSeparator();
    w_.itemsButton = MakeToolButton(w_.tableToolBar, "itemsButton", QStringLiteral("項目"),
                                    QStringLiteral("表示項目の設定"));
    w_.jumpButton = MakeToolButton(w_.tableToolBar, "jumpButton", QStringLiteral("→"),
                                   QStringLiteral("行にジャンプ"));
    w_.jumpBox = new QSpinBox(w_.tableToolBar);
    w_.jumpBox->setObjectName(QStringLiteral("jumpBox"));
    w_.jumpBox->setToolTip(QStringLiteral("ジャンプする行をセット"));
    w_.jumpBox->setRange(1, 1);
    w_.tableToolBar->addWidget(w_.jumpBox);
    w_.tableToolBar->addSeparator();
    w_.htmlTableButton =
        MakeToolButton(w_.tableToolBar, "htmlTableButton", QStringLiteral("HTML2"), QString());
    w_.tabWideButton =
        MakeToolButton(w_.tableToolBar, "tabWideButton", QStringLiteral("Tab文（横）"), QString());
    w_.tabTallButton =
        MakeToolButton(w_.tableToolBar, "tabTallButton", QStringLiteral("Tab文（縦）"), QString());
    layout->addWidget(w_.tableToolBar);
    w_.exifGrid = new GridView(this);
    w_.exifGrid->setObjectName(QStringLiteral("exifGrid"));
    w_.exifGrid->setToolTip(QStringLiteral("右クリックで、スライドショー、隠蔽、消去"));
    w_.exifGrid->setStyleSheet(QStringLiteral("QTableView { background: white; }"));
    exifModel_ = new StringGridModel(model_.View(), this);
    w_.exifGrid->setModel(exifModel_);
    w_.exifGrid->setContextMenuPolicy(Qt::NoContextMenu);
    layout->addWidget(w_.exifGrid, 1);

    connect(w_.threeFixedCheck, &QCheckBox::clicked, this, [this] { ThreeFixedToggled(); });
    connect(w_.exifGrid, &QTableView::doubleClicked, this, [this] { OpenCurrentPicture(); });
    connect(w_.jumpButton, &QToolButton::clicked, this, [this] { JumpNow(); });
    connect(w_.jumpBox, &QSpinBox::valueChanged, this, [this] { JumpBoxChanged(); });
    connect(w_.smallPictureCheck, &QCheckBox::clicked, this, &TablePage::smallPictureToggled);
    connect(w_.itemsButton, &QToolButton::clicked, this, &TablePage::itemsRequested);
    connect(w_.htmlTableButton, &QToolButton::clicked, this, &TablePage::html2Requested);
    connect(w_.tabWideButton, &QToolButton::clicked, this, &TablePage::tabWideRequested);
    connect(w_.tabTallButton, &QToolButton::clicked, this, &TablePage::tabTallRequested);
    // A width the user sets (a drag, a double-click on a heading's edge) is kept for the item,
    // and written a moment after the last change.
    saveWidths_ = new QTimer(this);
    saveWidths_->setSingleShot(true);
    saveWidths_->setInterval(500);
    connect(saveWidths_, &QTimer::timeout, this, [this] { SaveColumnWidths(); });
    connect(w_.exifGrid->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col, int, int size) {
                if (applyingWidths_ || col < kFirstItemColumn) return;
                model_.Widths().Set(kTableName, std::string(model_.View().Cell(col, 0)), size);
                saveWidths_->start();
            });
    // Presses on the table select and ask for the popup menu; Space and Enter act on its row.
    w_.exifGrid->viewport()->installEventFilter(this);
    w_.exifGrid->installEventFilter(this);
}

bool TablePage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == w_.exifGrid && event->type() == QEvent::KeyPress) {
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
    if (watched == w_.exifGrid->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        TablePressed(mouse->button(), mouse->position().toPoint());
        return mouse->button() == Qt::RightButton;
    }
    return QWidget::eventFilter(watched, event);
}

void TablePage::TablePressed(Qt::MouseButton button, const QPoint& pos) {
    const QModelIndex index = w_.exifGrid->indexAt(pos);
    if (!index.isValid()) return;
    const int row = index.row() + 1; // the title row is the header
    if (row < 1 || row > model_.View().RowCount() - 1) return;
    if (button == Qt::LeftButton) {
        if (index.column() == 1)
            emit selectionClicked(row);
        else
            emit rowClicked(row);
    } else if (button == Qt::RightButton) {
        w_.exifGrid->selectRow(index.row());
        w_.exifGrid->setCurrentIndex(index);
        emit menuRequested(w_.exifGrid->viewport()->mapToGlobal(pos));
    }
}

void TablePage::SelectRow(int row) {
    w_.exifGrid->selectRow(row - 1);
}

bool TablePage::SmallPictureOn() const {
    return w_.smallPictureCheck->isChecked();
}

void TablePage::SetCommandsEnabled(bool on) {
    for (QToolButton* b : {w_.htmlTableButton, w_.tabWideButton, w_.tabTallButton})
        b->setEnabled(on);
}

QRect TablePage::TableRectIn(const QWidget* ancestor) const {
    return QRect(w_.exifGrid->mapTo(ancestor, QPoint(0, 0)), w_.exifGrid->size());
}

void TablePage::ApplyViewLook() {
    applyingWidths_ = true;
    model_.SetViewLook(w_.threeFixedCheck->isChecked());
    ApplyGridLook(w_.exifGrid, model_.View(), 2);
    const StringGrid& view = model_.View();
    for (int c = kFirstItemColumn; c < view.ColCount(); ++c)
        if (const auto width = model_.Widths().Width(kTableName, std::string(view.Cell(c, 0))))
            w_.exifGrid->setColumnWidth(c, *width);
    w_.exifGrid->SyncFixedColumns();
    applyingWidths_ = false;
}

void TablePage::FitColumnsToContents() {
    // The widest text of the rows in sight (as a double-click on an edge measures), within a
    // maximum; kept as if dragged.
    for (int c = kFirstItemColumn; c < model_.View().ColCount(); ++c) {
        w_.exifGrid->resizeColumnToContents(c);
        if (w_.exifGrid->columnWidth(c) > ColumnWidths::kMaxFitWidth)
            w_.exifGrid->setColumnWidth(c, ColumnWidths::kMaxFitWidth);
    }
}

void TablePage::SaveColumnWidths() {
    saveWidths_->stop();
    if (FileResult r = model_.Widths().Save(); !r)
        dialogs_.ShowCheckMessage(QString::fromStdString(r.error));
}

void TablePage::ThreeFixedToggled() {
    ApplyViewLook();
}

void TablePage::ResetJumpBox() {
    w_.jumpBox->setRange(1, std::max(1, model_.View().RowCount() - 1));
    w_.jumpBox->setValue(1);
}

void TablePage::JumpNow() {
    const int row = w_.jumpBox->value();
    const QModelIndex current = w_.exifGrid->currentIndex();
    if (current.isValid() && current.row() + 1 == row) return;
    w_.exifGrid->selectRow(row - 1);
}

void TablePage::JumpBoxChanged() {
    if (w_.jumpBox->value() > model_.View().RowCount())
        w_.jumpBox->setValue(model_.View().RowCount() - 1);
}

void TablePage::OpenCurrentPicture() {
    const QModelIndex current = w_.exifGrid->currentIndex();
    if (!current.isValid()) return;
    const std::string name(model_.View().Cell(2, exifModel_->GridRow(current.row())));
    if (name.empty()) return;
    if (const FileResult r =
            OpenDocument(QString::fromStdString(JoinPath(model_.Places().CurrentDir(), name)));
        !r)
        dialogs_.ShowCheckMessage(QString::fromStdString(r.error));
}

int TablePage::CurrentTableRow() const {
    const QModelIndex current = w_.exifGrid->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void TablePage::MakePictureCurrent(const std::string& name) {
    for (int r = 1; r < model_.View().RowCount(); ++r)
        if (model_.View().Cell(2, r) == name) {
            w_.exifGrid->setCurrentIndex(exifModel_->index(r - 1, 2));
            w_.exifGrid->selectRow(r - 1);
            return;
        }
}

} // namespace kamelune
