#include "StringGrid.h"

#include <algorithm>
#include <cstring>

namespace kamelune {
namespace {
constexpr std::size_t kEndBytes = sizeof(std::uint32_t);
} // namespace

StringGrid::StringGrid(int cols, int rows) : cols_(std::max(cols, 0)) {
    rows_.resize(static_cast<std::size_t>(std::max(rows, 0)));
    colWidths_.assign(cols_, defaultColWidth_);
}

std::uint32_t StringGrid::CellEnd(const Row& row, int col) {
    std::uint32_t end = 0;
    std::memcpy(&end, row.data() + static_cast<std::size_t>(col) * kEndBytes, kEndBytes);
    return end;
}

StringGrid::Row StringGrid::PackRow(std::span<const std::string_view> cells) const {
    const std::size_t n = std::min(cells.size(), static_cast<std::size_t>(cols_));
    std::size_t text = 0;
    for (std::size_t c = 0; c < n; ++c)
        text += cells[c].size();
    if (text == 0) return {};
    const std::size_t head = static_cast<std::size_t>(cols_) * kEndBytes;
    Row row(head + text, '\0');
    char* out = row.data() + head;
    std::uint32_t end = 0;
    for (std::size_t c = 0; c < static_cast<std::size_t>(cols_); ++c) {
        if (c < n && !cells[c].empty()) {
            std::memcpy(out, cells[c].data(), cells[c].size());
            out += cells[c].size();
            end += static_cast<std::uint32_t>(cells[c].size());
        }
        std::memcpy(row.data() + c * kEndBytes, &end, kEndBytes);
    }
    return row;
}

void StringGrid::SetColCount(int cols) {
    cols = std::max(cols, 0);
    if (cols == cols_) return;
    const int before = cols_;
    std::vector<std::string_view> cells;
    for (auto& row : rows_) {
        if (row.empty()) continue;
        const Row old = std::move(row);
        cells.clear();
        cols_ = before;
        for (int c = 0; c < std::min(cols, before); ++c)
            cells.push_back(CellIn(old, c));
        cols_ = cols;
        row = PackRow(cells);
    }
    cols_ = cols;
    colWidths_.resize(cols, defaultColWidth_);
    fixedCols_ = std::min(fixedCols_, cols_);
    Reshaped();
}

void StringGrid::SetRowCount(int rows) {
    rows = std::max(rows, 0);
    if (rows == RowCount()) return;
    rows_.resize(static_cast<std::size_t>(rows));
    fixedRows_ = std::min(fixedRows_, rows);
    Reshaped();
}

std::string_view StringGrid::CellIn(const Row& row, int col) const {
    if (row.empty()) return {};
    const std::uint32_t start = col ? CellEnd(row, col - 1) : 0, end = CellEnd(row, col);
    return {row.data() + static_cast<std::size_t>(cols_) * kEndBytes + start, end - start};
}

std::string_view StringGrid::Cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= cols_ || row >= RowCount()) return {};
    return CellIn(rows_[static_cast<std::size_t>(row)], col);
}

std::vector<std::string> StringGrid::RowTexts(int row) const {
    std::vector<std::string> texts;
    if (row < 0 || row >= RowCount()) return texts;
    for (int c = 0; c < cols_; ++c)
        texts.emplace_back(Cell(c, row));
    return texts;
}

std::size_t StringGrid::CellBytes() const {
    std::size_t bytes = rows_.capacity() * sizeof(Row);
    for (const Row& row : rows_)
        if (row.capacity() > Row().capacity()) bytes += row.capacity() + 1;
    return bytes;
}

void StringGrid::CellsWritten(int col, int row) {
    // Written once per update: threads that fill distinct rows of a grid being updated (a folder
    // read) only read the flag.
    if (updating_) {
        if (!cellsChangedWhileUpdating_) cellsChangedWhileUpdating_ = true;
    } else if (listener_) {
        if (col < 0)
            listener_->GridCellsChanged(*this);
        else
            listener_->GridCellChanged(*this, col, row);
    }
}

void StringGrid::SetCell(int col, int row, std::string_view text) {
    if (col < 0 || row < 0 || col >= cols_ || row >= RowCount()) return;
    Row& r = rows_[static_cast<std::size_t>(row)];
    const std::size_t head = static_cast<std::size_t>(cols_) * kEndBytes;
    if (r.empty() && !text.empty()) r.assign(head, '\0');
    if (!r.empty()) {
        const std::uint32_t start = col ? CellEnd(r, col - 1) : 0, end = CellEnd(r, col);
        // text may lie in this very row: replace copes with that.
        r.replace(head + start, end - start, text);
        const std::uint32_t grown = static_cast<std::uint32_t>(text.size()) - (end - start);
        for (int c = col; c < cols_; ++c) {
            const std::uint32_t moved = CellEnd(r, c) + grown; // wraps back when it shrank
            std::memcpy(r.data() + static_cast<std::size_t>(c) * kEndBytes, &moved, kEndBytes);
        }
        if (CellEnd(r, cols_ - 1) == 0) Row().swap(r);
    }
    CellsWritten(col, row);
}

void StringGrid::SetRow(int row, std::span<const std::string_view> cells) {
    if (row < 0 || row >= RowCount()) return;
    rows_[static_cast<std::size_t>(row)] = PackRow(cells);
    CellsWritten(-1, row);
}

void StringGrid::ClearCells() {
    rows_.assign(rows_.size(), Row());
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
