#include "SortDialog.h"
#include "platform/qt/GridView.h"
#include "platform/qt/Widgets.h"

#include "catalogue/FolderModel.h"
#include "catalogue/ItemCatalogue.h"
#include "platform/qt/DialogService.h"
#include "platform/qt/StringGridModel.h"
#include "tools/SortRename.h"

#include <QCheckBox>
#include <QFutureWatcher>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace kamelune {

SortDialog::SortDialog(FolderModel& folder, DialogService& dialogs)
    : StrGridSort(4, kPKomokuRows), folder_(folder), dialogs_(dialogs) {
    setObjectName(QStringLiteral("FormSort"));
    setWindowTitle(QStringLiteral("ソート項目の設定"));
    resize(420, 480);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QToolBar(this);
    SpeedBtnClear = MakeToolButton(bar, "SpeedBtnClear", QStringLiteral("クリア"));
    SpeedBtnSort = MakeToolButton(bar, "SpeedBtnSort", QStringLiteral("ソート"));
    SpeedBtnClose = MakeToolButton(bar, "SpeedBtnClose", QStringLiteral("閉"));
    layout->addWidget(bar);
    GridSort = new GridView(this);
    GridSort->setObjectName(QStringLiteral("StrGridSort"));
    model_ = new StringGridModel(StrGridSort, this);
    GridSort->setModel(model_);
    layout->addWidget(GridSort, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    SpeedButton1 = MakeToolButton(this, "SpeedButton1", QStringLiteral("ソート"));
    SpeedButton2 = MakeToolButton(this, "SpeedButton2", QStringLiteral("閉"));
    bottom->addWidget(SpeedButton1);
    bottom->addWidget(SpeedButton2);
    layout->addLayout(bottom);
    InitSort();

    connect(GridSort, &QTableView::clicked, this,
            [this](const QModelIndex& index) { StrGridSortClick(model_->GridRow(index.row())); });
    connect(SpeedBtnClear, &QToolButton::clicked, this, [this] { BtnClearClick(); });
    for (QToolButton* b : {SpeedBtnSort, SpeedButton1})
        connect(b, &QToolButton::clicked, this, [this] { BtnGoSortClick(); });
    for (QToolButton* b : {SpeedBtnClose, SpeedButton2})
        connect(b, &QToolButton::clicked, this, &QDialog::close);
}

void SortDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void SortDialog::InitSort() {
    StrGridSort.BeginUpdate();
    StrGridSort.SetRowCount(folder_.Base().ColCount() - 1);
    StrGridSort.SetColCount(4);
    StrGridSort.SetFixedRows(1);
    StrGridSort.SetFixedCols(1);
    const int widths[] = {120, 40, 60, 140};
    const char* titles[] = {"No] 項目", "選択", "略号", "事例"};
    for (int c = 0; c < 4; ++c) {
        StrGridSort.SetColWidth(c, widths[c]);
        StrGridSort.SetCell(c, 0, titles[c]);
    }
    const StringGrid& items = folder_.Items();
    for (int r = 1; r < StrGridSort.RowCount(); ++r) {
        StrGridSort.SetCell(0, r, items.Cell(0, r));
        StrGridSort.SetCell(2, r, items.Cell(2, r));
    }
    FillSampleColumn(StrGridSort, folder_.Base());
    StrGridSort.EndUpdate();
    ApplyGridLook(GridSort, StrGridSort);
}

void SortDialog::StrGridSortClick(int row) {
    if (row < 1 || row >= StrGridSort.RowCount()) return;
    ItemList keys = folder_.SortKeys();
    if (!ToggleNumberedRow(StrGridSort, keys, row, 4))
        dialogs_.ShowCheckMessage(QStringLiteral("既に4項目選択されています"));
    folder_.SetSortKeys(std::move(keys));
}

void SortDialog::BtnClearClick() {
    folder_.SetSortKeys({});
    for (int r = 1; r < StrGridSort.RowCount(); ++r)
        StrGridSort.SetCell(1, r, "");
}

void SortDialog::BtnGoSortClick() {
    const int asked = ++sorts_;
    const int read = folder_.ReadNumber();
    sorting_ = true;
    auto* watcher = new QFutureWatcher<PictureList>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, asked, read] {
        watcher->deleteLater();
        if (asked != sorts_) return; // a newer sort follows
        sorting_ = false;
        if (folder_.Reading() || folder_.ReadNumber() != read) return;
        // The main window rebuilds the table and the page in the new order.
        folder_.SetRowOrder(watcher->future().takeResult());
    });
    watcher->setFuture(QtConcurrent::run(
        [copy = CopySortCells(folder_.Base(), folder_.SortKeys())] { return SortedRows(copy); }));
}

} // namespace kamelune
