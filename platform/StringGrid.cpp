#include "StringGrid.h"

#include <algorithm>

namespace kamelune {
namespace {
const std::string kEmpty;
const std::vector<std::string> kEmptyRow;
} // namespace

StringGrid::StringGrid(int cols, int rows) : cols_(std::max(cols, 0)) {
    rows_.assign(std::max(rows, 0), std::vector<std::string>(cols_));
    colWidths_.assign(cols_, defaultColWidth_);
}

void StringGrid::SetColCount(int cols) {
    cols = std::max(cols, 0);
    if (cols == cols_) return;
    for (auto& row : rows_)
        row.resize(cols);
    colWidths_.resize(cols, defaultColWidth_);
    cols_ = cols;
    fixedCols_ = std::min(fixedCols_, cols_);
    Reshaped();
}

void StringGrid::SetRowCount(int rows) {
    rows = std::max(rows, 0);
    if (rows == RowCount()) return;
    rows_.resize(rows, std::vector<std::string>(cols_));
    fixedRows_ = std::min(fixedRows_, rows);
    Reshaped();
}

const std::string& StringGrid::Cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= cols_ || row >= RowCount()) return kEmpty;
    return rows_[row][col];
}

const std::vector<std::string>& StringGrid::Row(int row) const {
    if (row < 0 || row >= RowCount()) return kEmptyRow;
    return rows_[row];
}

void StringGrid::SetCell(int col, int row, std::string text) {
    if (col < 0 || row < 0 || col >= cols_ || row >= RowCount()) return;
    rows_[row][col] = std::move(text);
    // Written once per update: threads that fill distinct rows of a grid being updated (a folder
    // read) only read the flag.
    if (updating_) {
        if (!cellsChangedWhileUpdating_) cellsChangedWhileUpdating_ = true;
    } else if (listener_)
        listener_->GridCellChanged(*this, col, row);
}

void StringGrid::ClearCells() {
    for (auto& row : rows_)
        for (auto& cell : row)
            cell.clear();
    Reshaped();
}

void StringGrid::SetFixedCols(int n) {
    n = std::clamp(n, 0, cols_);
    if (n == fixedCols_) return;
    fixedCols_ = n;
    Reshaped();
}

void StringGrid::SetFixedRows(int n) {
    n = std::clamp(n, 0, RowCount());
    if (n == fixedRows_) return;
    fixedRows_ = n;
    Reshaped();
}

int StringGrid::ColWidth(int col) const {
    if (col < 0 || col >= cols_) return defaultColWidth_;
    return colWidths_[col];
}

void StringGrid::SetColWidth(int col, int width) {
    if (col < 0 || col >= cols_ || colWidths_[col] == width) return;
    colWidths_[col] = width;
    Reshaped();
}

void StringGrid::SetDefaultColWidth(int width) {
    defaultColWidth_ = width;
    std::fill(colWidths_.begin(), colWidths_.end(), width);
    Reshaped();
}

void StringGrid::SetDefaultRowHeight(int height) {
    rowHeight_ = height;
    Reshaped();
}

void StringGrid::SetFixedColor(std::uint32_t color) {
    fixedColor_ = color;
    Reshaped();
}

void StringGrid::EndUpdate() {
    if (updating_ <= 0 || --updating_ > 0) return;
    const bool reshaped = reshapedWhileUpdating_, cells = cellsChangedWhileUpdating_;
    reshapedWhileUpdating_ = cellsChangedWhileUpdating_ = false;
    if (!listener_) return;
    if (reshaped)
        listener_->GridReshaped(*this);
    else if (cells)
        listener_->GridCellsChanged(*this);
}

StringGrid::~StringGrid() {
    if (listener_) listener_->GridGone(*this);
}

void StringGrid::TakeCells(StringGrid&& other) {
    StringGridListener* listener = listener_;
    const int updating = updating_;
    *this = std::move(other);
    listener_ = listener;
    updating_ = updating;
    Reshaped();
}

void StringGrid::Reshaped() {
    if (updating_)
        reshapedWhileUpdating_ = true;
    else if (listener_)
        listener_->GridReshaped(*this);
}

} // namespace kamelune
