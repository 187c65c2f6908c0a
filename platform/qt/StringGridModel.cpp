#include "StringGridModel.h"
#include "platform/qt/Widgets.h"

#include "GridView.h"
#include "platform/FileUtil.h"

#include <QColor>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>
#include <algorithm>

namespace kamelune {
namespace {
QString ToQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
} // namespace

StringGridModel::StringGridModel(StringGrid& grid, QObject* parent)
    : StringGridModel(static_cast<const StringGrid&>(grid), parent) {
    editableGrid_ = &grid;
}

StringGridModel::StringGridModel(const StringGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(&grid) {
    grid_->SetListener(this);
}

StringGridModel::~StringGridModel() {
    if (grid_) grid_->SetListener(nullptr);
}

int StringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !grid_ ? 0 : std::max(0, grid_->RowCount() - HeaderRows());
}

int StringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !grid_ ? 0 : grid_->ColCount();
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && editableGrid_ &&
        std::find(editable_.begin(), editable_.end(), index.column()) != editable_.end())
        f |= Qt::ItemIsEditable;
    return f;
}

bool StringGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    editableGrid_->SetCell(index.column(), GridRow(index.row()), value.toString().toStdString());
    return true;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !grid_) return {};
    const int row = GridRow(index.row());
    switch (role) {
    case Qt::EditRole:
        return ToQString(grid_->Cell(index.column(), row));
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        // A text's NUL bytes (the terminator many cameras store) are kept in the grid but would
        // draw as boxes.
        QString text = ToQString(grid_->Cell(index.column(), row));
        text.remove(QChar(0));
        return text;
    }
    case Qt::BackgroundRole:
        if (index.column() < grid_->FixedCols() || row < grid_->FixedRows())
            return Bgr(grid_->FixedColor());
        return {};
    default:
        return {};
    }
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || HeaderRows() == 0) return {}; // also when the grid is gone
    if (role == Qt::DisplayRole) return ToQString(grid_->Cell(section, 0));
    if (role == Qt::BackgroundRole) return Bgr(grid_->FixedColor());
    return {};
}

void StringGridModel::GridCellChanged(const StringGrid&, int col, int row) {
    if (row < HeaderRows()) {
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    const QModelIndex i = index(row - HeaderRows(), col);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

void StringGridModel::GridGone(const StringGrid& grid) {
    // A copy of the grid carries the listener too; only the grid shown counts.
    if (&grid != grid_) return;
    beginResetModel();
    grid_ = nullptr;
    editableGrid_ = nullptr;
    endResetModel();
}

void StringGridModel::GridReshaped(const StringGrid&) {
    beginResetModel();
    endResetModel();
}

// The view keeps its current cell and scroll place, which a reset would lose.
void StringGridModel::GridCellsChanged(const StringGrid&) {
    if (HeaderRows() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

namespace {

// The width a column needs for its widest number as shown, "%5d" blanks included, and for a
// count of its rows (a selection number, however many are selected later): the shapes (blanks,
// digits) are few, so each is measured once.
int NumberColumnWidth(const QTableView* view, const StringGrid& grid, int col) {
    std::vector<std::pair<qsizetype, qsizetype>> shapes{
        {0, static_cast<qsizetype>(std::to_string(grid.RowCount()).size())}};
    for (int r = grid.FixedRows(); r < grid.RowCount(); ++r) {
        const std::string_view text = grid.Cell(col, r);
        const std::size_t blanks = std::min(text.find_first_not_of(' '), text.size());
        const std::pair<qsizetype, qsizetype> shape{static_cast<qsizetype>(blanks),
                                                    static_cast<qsizetype>(text.size() - blanks)};
        if (std::find(shapes.begin(), shapes.end(), shape) == shapes.end()) shapes.push_back(shape);
    }
    const QFontMetrics metrics = view->fontMetrics();
    int widest = 0;
    for (const auto& [blanks, digits] : shapes)
        widest = std::max(widest,
                          metrics.horizontalAdvance(QString(blanks, u' ') + QString(digits, u'0')));
    // The cell's text margins on both sides, as the style draws them, and the grid line.
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    return widest + 2 * margin + 2;
}

} // namespace

void ApplyGridLook(QTableView* view, const StringGrid& grid, int numberColumns) {
    view->setShowGrid(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setMinimumSectionSize(1);
    view->verticalHeader()->setDefaultSectionSize(grid.DefaultRowHeight());
    QHeaderView* header = view->horizontalHeader();
    header->setVisible(grid.FixedRows() > 0);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setMinimumSectionSize(1);
    header->setHighlightSections(false);
    // A new style sheet polishes the header again: only when the colour changed.
    const QString style = QStringLiteral("QHeaderView::section { background-color: %1; "
                                         "border: 1px solid gray; padding: 0 2px; }")
                              .arg(QString::fromStdString(ColorToHtml(grid.FixedColor())));
    if (header->styleSheet() != style) header->setStyleSheet(style);
    header->setFixedHeight(grid.DefaultRowHeight() + 2);
    for (int c = 0; c < grid.ColCount(); ++c) {
        const int fit = c < numberColumns ? NumberColumnWidth(view, grid, c) : 0;
        if (const int width = std::max(grid.ColWidth(c), fit); view->columnWidth(c) != width)
            view->setColumnWidth(c, width);
    }
    if (auto* fixed = dynamic_cast<GridView*>(view)) fixed->SyncFixedColumns();
}

} // namespace kamelune
