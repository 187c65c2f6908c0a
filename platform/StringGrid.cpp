#include "StringGrid.h"

#include <algorithm>
#include <cstring>

namespace kamelune {
namespace {

// A packed row: the end offset of each cell's text, 2 bytes each while the row's texts fit in
// 65,535 bytes (nearly every row), else 4; then the texts back to back; then a little room, so
// that a short edit (a selection number) moves bytes but allocates nothing.
constexpr std::size_t kNarrowLimit = 0xFFFF;
constexpr std::size_t kRoom = 16;

std::size_t WidthFor(std::size_t textBytes) {
    return textBytes > kNarrowLimit ? 4 : 2;
}
// A narrow row is at most 2 × cols + 65,535 bytes long, a wide one longer than 4 × cols + 65,535.
std::size_t EndWidth(const std::string& row, std::size_t cols) {
    return row.size() > 2 * cols + kNarrowLimit ? 4 : 2;
}

std::uint32_t EndAt(const std::string& row, std::size_t width, std::size_t col) {
    if (width == 2) {
        std::uint16_t end = 0;
        std::memcpy(&end, row.data() + 2 * col, 2);
        return end;
    }
    std::uint32_t end = 0;
    std::memcpy(&end, row.data() + 4 * col, 4);
    return end;
}

void PutEnd(std::string& row, std::size_t width, std::size_t col, std::uint32_t end) {
    if (width == 2) {
        const auto narrow = static_cast<std::uint16_t>(end);
        std::memcpy(row.data() + 2 * col, &narrow, 2);
    } else {
        std::memcpy(row.data() + 4 * col, &end, 4);
    }
}

std::string_view CellOf(const std::string& row, std::size_t cols, std::size_t col) {
    if (row.empty()) return {};
    const std::size_t width = EndWidth(row, cols);
    const std::uint32_t start = col ? EndAt(row, width, col - 1) : 0;
    return {row.data() + width * cols + start, EndAt(row, width, col) - start};
}

std::string Pack(std::span<const std::string_view> cells, std::size_t cols) {
    const std::size_t n = std::min(cells.size(), cols);
    std::size_t text = 0;
    for (std::size_t c = 0; c < n; ++c)
        text += cells[c].size();
    if (text == 0) return {};
    const std::size_t width = WidthFor(text), head = width * cols;
    std::string row;
    row.reserve(head + text + kRoom);
    row.resize(head + text);
    char* out = row.data() + head;
    std::uint32_t end = 0;
    for (std::size_t c = 0; c < cols; ++c) {
        if (c < n && !cells[c].empty()) {
            std::memcpy(out, cells[c].data(), cells[c].size());
            out += cells[c].size();
            end += static_cast<std::uint32_t>(cells[c].size());
        }
        PutEnd(row, width, c, end);
    }
    return row;
}

// The first n cells of a row, repacked for cols columns.
std::string Repack(const std::string& row, std::size_t oldCols, std::size_t n, std::size_t cols) {
    std::vector<std::string_view> cells;
    cells.reserve(n);
    for (std::size_t c = 0; c < n; ++c)
        cells.push_back(CellOf(row, oldCols, c));
    return Pack(cells, cols);
}

} // namespace

StringGrid::StringGrid(int cols, int rows) : cols_(std::max(cols, 0)) {
    rows_.resize(static_cast<std::size_t>(std::max(rows, 0)));
    colWidths_.assign(cols_, defaultColWidth_);
}

void StringGrid::SetColCount(int cols) {
    cols = std::max(cols, 0);
    if (cols == cols_) return;
    const auto before = static_cast<std::size_t>(cols_), after = static_cast<std::size_t>(cols);
    for (auto& row : rows_)
        if (!row.empty()) row = Repack(row, before, std::min(before, after), after);
    cols_ = cols;
    colWidths_.resize(after, defaultColWidth_);
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

std::string_view StringGrid::Cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= cols_ || row >= RowCount()) return {};
    return CellOf(rows_[static_cast<std::size_t>(row)], static_cast<std::size_t>(cols_),
                  static_cast<std::size_t>(col));
}

std::vector<std::string> StringGrid::RowTexts(int row) const {
    std::vector<std::string> texts;
    if (row < 0 || row >= RowCount()) return texts;
    for (int c = 0; c < cols_; ++c)
        texts.emplace_back(Cell(c, row));
    return texts;
}

void StringGrid::RowCells(int row, std::vector<std::string_view>& cells) const {
    cells.clear();
    if (row < 0 || row >= RowCount()) return;
    const auto cols = static_cast<std::size_t>(cols_);
    cells.resize(cols);
    const Row& r = rows_[static_cast<std::size_t>(row)];
    if (r.empty()) return;
    const std::size_t width = EndWidth(r, cols);
    const char* text = r.data() + width * cols;
    std::uint32_t start = 0;
    for (std::size_t c = 0; c < cols; ++c) {
        const std::uint32_t end = EndAt(r, width, c);
        cells[c] = {text + start, end - start};
        start = end;
    }
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
    const auto cols = static_cast<std::size_t>(cols_), at = static_cast<std::size_t>(col);
    if (r.empty()) {
        if (!text.empty()) {
            std::vector<std::string_view> cells(at + 1);
            cells[at] = text;
            r = Pack(cells, cols);
        }
        CellsWritten(col, row);
        return;
    }
    const std::size_t width = EndWidth(r, cols), head = width * cols;
    const std::uint32_t start = at ? EndAt(r, width, at - 1) : 0, end = EndAt(r, width, at);
    const std::size_t texts = r.size() - head - (end - start) + text.size();
    if (texts == 0) {
        Row().swap(r);
    } else if (WidthFor(texts) != width) {
        // Across 65,535 bytes of text: the row takes the other width of offsets.
        std::vector<std::string> copies;
        for (std::size_t c = 0; c < cols; ++c)
            copies.emplace_back(c == at ? text : CellOf(r, cols, c));
        r = Pack(std::vector<std::string_view>(copies.begin(), copies.end()), cols);
    } else {
        const std::size_t from = head + start, size = head + texts;
        if (size > r.capacity()) {
            Row grown;
            grown.reserve(size + size / 8 + kRoom);
            grown.append(r, 0, from).append(text).append(r, head + end);
            r.swap(grown);
        } else {
            r.replace(from, end - start, text); // text may lie in this very row: replace copes
        }
        const std::uint32_t moved = static_cast<std::uint32_t>(text.size()) - (end - start);
        for (std::size_t c = at; c < cols; ++c)
            PutEnd(r, width, c, EndAt(r, width, c) + moved); // wraps back when it shrank
    }
    CellsWritten(col, row);
}

void StringGrid::SetRow(int row, std::span<const std::string_view> cells) {
    if (row < 0 || row >= RowCount()) return;
    rows_[static_cast<std::size_t>(row)] = Pack(cells, static_cast<std::size_t>(cols_));
    CellsWritten(-1, row);
}

void StringGrid::ClearColumnsFrom(int col) {
    const auto cols = static_cast<std::size_t>(cols_);
    const std::size_t keep = std::min(static_cast<std::size_t>(std::max(col, 0)), cols);
    for (auto& row : rows_)
        if (!row.empty()) row = Repack(row, cols, keep, cols);
    CellsWritten(-1, 0);
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
    // Cells and look change hands; each keeps its listener and its updates.
    std::swap(cols_, other.cols_);
    rows_.swap(other.rows_);
    std::swap(fixedCols_, other.fixedCols_);
    std::swap(fixedRows_, other.fixedRows_);
    colWidths_.swap(other.colWidths_);
    std::swap(defaultColWidth_, other.defaultColWidth_);
    std::swap(rowHeight_, other.rowHeight_);
    std::swap(fixedColor_, other.fixedColor_);
    Reshaped();
    other.Reshaped();
}

void StringGrid::TakeCellsKeepingLook(StringGrid&& other) {
    const int cols = cols_, rows = RowCount(), fixedCols = fixedCols_, fixedRows = fixedRows_;
    rows_.swap(other.rows_);
    std::swap(cols_, other.cols_);
    std::swap(fixedRows_, other.fixedRows_);
    for (StringGrid* g : {this, &other}) {
        g->colWidths_.resize(static_cast<std::size_t>(g->cols_), g->defaultColWidth_);
        g->fixedCols_ = std::min(g->fixedCols_, g->cols_);
        g->fixedRows_ = std::min(g->fixedRows_, g->RowCount());
    }
    if (cols != cols_ || rows != RowCount() || fixedCols != fixedCols_ || fixedRows != fixedRows_)
        Reshaped();
    else
        CellsWritten(-1, 0);
}

void StringGrid::Reshaped() {
    if (updating_)
        reshapedWhileUpdating_ = true;
    else if (listener_)
        listener_->GridReshaped(*this);
}

} // namespace kamelune
