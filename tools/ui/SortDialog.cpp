#include "SortDialog.h"
#include "platform/qt/Background.h"
#include "platform/qt/GridView.h"
#include "platform/qt/Widgets.h"

#include "catalogue/ItemCatalogue.h"
#include "catalogue/ui/FolderModel.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/StringGridModel.h"
#include "tools/SortRename.h"

#include <QCheckBox>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kamelune {

SortDialog::SortDialog(FolderModel& folder, DialogService& dialogs)
    : folder_(folder), dialogs_(dialogs) {
    sortGrid = StringGrid(4, kItemRows);
    setObjectName(QStringLiteral("sortDialog"));
    setWindowTitle(QStringLiteral("ソート項目の設定"));
    resize(420, 480);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QToolBar(this);
    clearButton = MakeToolButton(bar, "clearButton", QStringLiteral("クリア"));
    sortButton = MakeToolButton(bar, "sortButton", QStringLiteral("ソート"));
    closeButton = MakeToolButton(bar, "closeButton", QStringLiteral("閉"));
    layout->addWidget(bar);
    sortView = new GridView(this);
    sortView->setObjectName(QStringLiteral("sortGrid"));
    model_ = new StringGridModel(sortGrid, this);
    sortView->setModel(model_);
    layout->addWidget(sortView, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottomSortButton = MakeToolButton(this, "bottomSortButton", QStringLiteral("ソート"));
    bottomCloseButton = MakeToolButton(this, "bottomCloseButton", QStringLiteral("閉"));
    bottom->addWidget(bottomSortButton);
    bottom->addWidget(bottomCloseButton);
    layout->addLayout(bottom);
    ResetSortLines();

    connect(sortView, &QTableView::clicked, this,
            [this](const QModelIndex& index) { SortLineClicked(model_->GridRow(index.row())); });
    connect(clearButton, &QToolButton::clicked, this, [this] { ClearChoices(); });
    for (QToolButton* b : {sortButton, bottomSortButton})
        connect(b, &QToolButton::clicked, this, [this] { SortNow(); });
    for (QToolButton* b : {closeButton, bottomCloseButton})
        connect(b, &QToolButton::clicked, this, &QDialog::close);
}

void SortDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FillControls();
}

void SortDialog::ResetSortLines() {
    sortGrid.BeginUpdate();
    sortGrid.SetRowCount(folder_.Base().ColCount() - 1);
    sortGrid.SetColCount(4);
    sortGrid.SetFixedRows(1);
    sortGrid.SetFixedCols(1);
    const int widths[] = {120, 40, 60, 140};
    const char* titles[] = {"No] 項目", "選択", "略号", "事例"};
    for (int c = 0; c < 4; ++c) {
        sortGrid.SetColWidth(c, widths[c]);
        sortGrid.SetCell(c, 0, titles[c]);
    }
    const StringGrid& items = folder_.Items();
    for (int r = 1; r < sortGrid.RowCount(); ++r) {
        sortGrid.SetCell(0, r, items.Cell(0, r));
        sortGrid.SetCell(2, r, items.Cell(2, r));
    }
    FillSampleColumn(sortGrid, folder_.Base());
    sortGrid.EndUpdate();
    ApplyGridLook(sortView, sortGrid);
}

void SortDialog::SortLineClicked(int row) {
    if (row < 1 || row >= sortGrid.RowCount()) return;
    ItemList keys = folder_.SortKeys();
    if (!ToggleNumberedRow(sortGrid, keys, row, 4))
        dialogs_.ShowCheckMessage(QStringLiteral("既に4項目選択されています"));
    folder_.SetSortKeys(std::move(keys));
}

void SortDialog::ClearChoices() {
    folder_.SetSortKeys({});
    for (int r = 1; r < sortGrid.RowCount(); ++r)
        sortGrid.SetCell(1, r, "");
}

void SortDialog::SortNow() {
    const int asked = ++sorts_;
    const int read = folder_.Reader().ReadNumber();
    sorting_ = true;
    RunInBackground(
        this,
        [copy = CopySortCells(folder_.Base(), folder_.SortKeys())] { return SortedRows(copy); },
        [this, asked, read](PictureList order) {
            if (asked != sorts_) return; // a newer sort follows
            sorting_ = false;
            if (folder_.Reader().Reading() || folder_.Reader().ReadNumber() != read) return;
            // The main window rebuilds the table and the page in the new order.
            folder_.SetRowOrder(std::move(order));
        });
}

} // namespace kamelune
