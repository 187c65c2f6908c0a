// Shows a StringGrid in a QTableView without copying it: the first fixed row is the header, the
// fixed columns are painted in the grid's title colour.
#pragma once

#include "platform/StringGrid.h"

#include <QAbstractTableModel>
#include <vector>

class QTableView;

namespace kamelune {

class StringGridModel : public QAbstractTableModel, private StringGridListener {
public:
    // A grid the view may edit (SetEditableColumns), or one it only shows.
    explicit StringGridModel(StringGrid& grid, QObject* parent = nullptr);
    explicit StringGridModel(const StringGrid& grid, QObject* parent = nullptr);
    ~StringGridModel() override;

    // The grid shown; null once it is gone.
    const StringGrid* Grid() const { return grid_; }
    // Grid row of a model row (the header row is not a model row).
    int GridRow(int modelRow) const { return modelRow + HeaderRows(); }

    // Columns whose cells the user may edit in place (the item grid's headings).
    void SetEditableColumns(std::vector<int> columns) { editable_ = std::move(columns); }
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    int HeaderRows() const { return grid_ && grid_->FixedRows() > 0 ? 1 : 0; }
    void GridCellChanged(const StringGrid& grid, int col, int row) override;
    void GridReshaped(const StringGrid& grid) override;
    void GridCellsChanged(const StringGrid& grid) override;
    void GridGone(const StringGrid& grid) override;

    const StringGrid* grid_;
    StringGrid* editableGrid_ = nullptr; // null: shown only
    std::vector<int> editable_;
};

// Column widths, row height, header colour, lines and whole-row selection of the grid. The first
// `numberColumns` columns hold numbers and are widened, past their width, to fit the longest.
void ApplyGridLook(QTableView* view, const StringGrid& grid, int numberColumns = 0);

} // namespace kamelune
