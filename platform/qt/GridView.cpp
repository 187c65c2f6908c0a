#include "GridView.h"

#include "StringGridModel.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace kamelune {

// The fixed columns are a second view of the same model laid over the left of this one, sharing
// its selection and vertical scroll. Its viewport lies exactly over this one's, so mouse events
// are handed down unchanged and indexAt() answers for the columns it shows.
GridView::GridView(QWidget* parent) : QTableView(parent), overlay_(new QTableView(this)) {
    overlay_->setObjectName(QStringLiteral("FixedColumns"));
    overlay_->setFocusPolicy(Qt::NoFocus);
    overlay_->setFrameShape(QFrame::NoFrame);
    overlay_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    overlay_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    overlay_->verticalHeader()->hide();
    overlay_->hide();
    overlay_->viewport()->installEventFilter(this);
    setHorizontalScrollMode(ScrollPerPixel);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, overlay_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(overlay_->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        if (col >= fixed_) return;
        overlay_->setColumnWidth(col, size);
        PlaceOverlay();
    });
    connect(overlay_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col, int, int size) {
                if (col < fixed_) setColumnWidth(col, size);
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) { overlay_->setRowHeight(row, size); });
}

void GridView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    overlay_->setModel(model);
    overlay_->setSelectionModel(selectionModel());
    if (model) connect(model, &QAbstractItemModel::modelReset, this, &GridView::SyncFixedColumns);
    SyncFixedColumns();
}

int GridView::FixedWidth() const {
    int width = 0;
    for (int c = 0; c < fixed_; ++c)
        if (!isColumnHidden(c)) width += columnWidth(c);
    return width;
}

void GridView::SyncFixedColumns() {
    const auto* grid = dynamic_cast<const StringGridModel*>(model());
    fixed_ = grid && grid->Grid() ? std::min(grid->Grid()->FixedCols(), grid->columnCount()) : 0;
    // A style sheet set again polishes again: only when it changed.
    if (overlay_->styleSheet() != styleSheet()) overlay_->setStyleSheet(styleSheet());
    overlay_->setShowGrid(showGrid());
    overlay_->setSelectionBehavior(selectionBehavior());
    overlay_->setSelectionMode(selectionMode());
    overlay_->setWordWrap(wordWrap());
    overlay_->setEditTriggers(editTriggers());
    QHeaderView* from = horizontalHeader();
    QHeaderView* to = overlay_->horizontalHeader();
    if (to->styleSheet() != from->styleSheet()) to->setStyleSheet(from->styleSheet());
    to->setMinimumSectionSize(from->minimumSectionSize());
    to->setHighlightSections(false);
    overlay_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    overlay_->verticalHeader()->setMinimumSectionSize(1);
    overlay_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    const int columns = model() ? model()->columnCount() : 0;
    for (int c = 0; c < columns; ++c) {
        overlay_->setColumnHidden(c, c >= fixed_ || isColumnHidden(c));
        if (c < fixed_) overlay_->setColumnWidth(c, columnWidth(c));
    }
    overlay_->setVisible(fixed_ > 0);
    overlay_->verticalScrollBar()->setValue(verticalScrollBar()->value());
    PlaceOverlay();
}

void GridView::PlaceOverlay() {
    if (fixed_ == 0) return;
    // Before the first show the header is not visible yet, only not hidden.
    const bool shown = !horizontalHeader()->isHidden();
    const int header = shown ? horizontalHeader()->height() : 0;
    overlay_->horizontalHeader()->setVisible(shown);
    overlay_->horizontalHeader()->setFixedHeight(header);
    overlay_->setGeometry(frameWidth(), frameWidth(), std::min(FixedWidth(), viewport()->width()),
                          viewport()->height() + header);
    overlay_->raise();
}

QModelIndex GridView::indexAt(const QPoint& pos) const {
    if (fixed_ > 0 && pos.x() >= 0 && pos.x() < FixedWidth()) {
        int right = 0;
        for (int c = 0; c < fixed_; ++c) {
            if (isColumnHidden(c)) continue;
            right += columnWidth(c);
            if (pos.x() < right) {
                const int row = rowAt(pos.y());
                return row < 0 ? QModelIndex() : model()->index(row, c, rootIndex());
            }
        }
    }
    return QTableView::indexAt(pos);
}

QRect GridView::visualRect(const QModelIndex& index) const {
    QRect r = QTableView::visualRect(index);
    if (index.isValid() && index.column() < fixed_)
        r.moveLeft(horizontalHeader()->sectionPosition(index.column()));
    return r;
}

void GridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid()) return;
    if (index.column() < fixed_) {
        // A fixed cell is always in view across: only the rows move.
        const int across = horizontalScrollBar()->value();
        QTableView::scrollTo(index, hint);
        horizontalScrollBar()->setValue(across);
        return;
    }
    QTableView::scrollTo(index, hint);
    const int hidden = FixedWidth() - QTableView::visualRect(index).left();
    if (hidden > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
}

void GridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    PlaceOverlay();
}

void GridView::updateGeometries() {
    QTableView::updateGeometries();
    PlaceOverlay();
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == overlay_->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            QCoreApplication::sendEvent(viewport(), event);
            return true;
        default:
            break;
        }
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace kamelune
