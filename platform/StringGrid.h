// A grid whose every cell is text: the store behind the program's tables. No Qt; a table model
// (StringGridModel) shows it in a view without copying it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kamelune {

class StringGrid;

// Told about changes so that a view can follow them.
class StringGridListener {
public:
    virtual ~StringGridListener() = default;
    virtual void GridCellChanged(const StringGrid& grid, int col, int row) = 0;
    // Sizes, fixed rows or columns or widths changed.
    virtual void GridReshaped(const StringGrid& grid) = 0;
    // Many cells' texts changed at once, the shape not (an update that only wrote cells).
    virtual void GridCellsChanged(const StringGrid& grid) = 0;
    // The grid is being destroyed (a window's member grid goes before the views on it).
    virtual void GridGone(const StringGrid& grid) = 0;
};

class StringGrid {
public:
    static constexpr int kDefaultColWidth = 64;
    static constexpr int kDefaultRowHeight = 24;

    StringGrid(int cols = 5, int rows = 5);
    StringGrid(const StringGrid&) = default;
    StringGrid(StringGrid&&) = default;
    StringGrid& operator=(const StringGrid&) = default;
    StringGrid& operator=(StringGrid&&) = default;
    ~StringGrid();

    int ColCount() const { return cols_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Growing adds empty cells; shrinking drops the cells beyond; the others keep their text.
    void SetColCount(int cols);
    void SetRowCount(int rows);

    // Out-of-range reads give "", out-of-range writes are ignored. A cell's text stays valid
    // until its row changes.
    std::string_view Cell(int col, int row) const;
    void SetCell(int col, int row, std::string_view text);
    // A whole row at once (a folder read's): cells[c] for column c, empty past the span.
    void SetRow(int row, std::span<const std::string_view> cells);
    void ClearCells();
    // Every cell from column col on emptied, the ones before kept.
    void ClearColumnsFrom(int col);
    std::vector<std::string> RowTexts(int row) const;
    // Every cell of a row at once (cells gets ColCount() texts, none for a row out of range):
    // one pass where Cell would find each cell anew.
    void RowCells(int row, std::vector<std::string_view>& cells) const;
    // The heap the cells take, in bytes (allocator overhead not counted).
    std::size_t CellBytes() const;

    int FixedCols() const { return fixedCols_; }
    int FixedRows() const { return fixedRows_; }
    void SetFixedCols(int n);
    void SetFixedRows(int n);

    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return rowHeight_; }
    void SetDefaultRowHeight(int height);

    // Colour of the fixed cells, 0x00BBGGRR.
    std::uint32_t FixedColor() const { return fixedColor_; }
    void SetFixedColor(std::uint32_t color);

    // Between BeginUpdate and EndUpdate notices are held back; EndUpdate sends one: a reshape
    // notice when the shape changed, else one for all cells when a cell did.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();

    // A view's listener is no change of the grid: a grid shown read-only takes one too.
    void SetListener(StringGridListener* listener) const { listener_ = listener; }
    // Takes another grid's cells and shape (one built elsewhere); the listener stays and hears
    // one reshape notice. other gets this grid's cells and shape in return, so that the caller
    // chooses where a large table is freed.
    void TakeCells(StringGrid&& other);
    // Takes another grid's cells as if they had been written here: its columns, rows and fixed
    // rows; the widths of the columns both have, the colours and heights stay this grid's (new
    // columns get the default width). other gets this grid's cells in return. One reshape notice
    // when the shape changed, else one for the cells.
    void TakeCellsKeepingLook(StringGrid&& other);
    // The same shape and texts (the look aside).
    bool SameCells(const StringGrid& other) const {
        return cols_ == other.cols_ && rows_ == other.rows_;
    }

private:
    void Reshaped();

    // A row is one string: the end offsets of its cells, then their texts back to back. A row of
    // empty cells is an empty string: no allocation at all.
    using Row = std::string;
    // Tells the listener, or notes for EndUpdate; col < 0: the whole row.
    void CellsWritten(int col, int row);

    int cols_;
    std::vector<Row> rows_;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    std::vector<int> colWidths_;
    int defaultColWidth_ = kDefaultColWidth;
    int rowHeight_ = kDefaultRowHeight;
    std::uint32_t fixedColor_ = 0xC0C0C0; // silver
    int updating_ = 0;
    bool cellsChangedWhileUpdating_ = false;
    bool reshapedWhileUpdating_ = false;
    mutable StringGridListener* listener_ = nullptr;
};

} // namespace kamelune
